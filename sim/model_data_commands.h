#pragma once

namespace skarnel::sim {

class ControllerEngine;

// The model data commands of group 5: the data schema, flash reads and flash writes.
// Seeds the model memory when it holds nothing yet. Busy answers come from the fault plan
// (e.g. "busy,group=5,code=0x34,count=2").
void InstallModelDataCommands(ControllerEngine& engine);

}  // namespace skarnel::sim
