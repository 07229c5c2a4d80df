#pragma once

namespace skarnel::sim {

class ControllerEngine;
class SdCard;

// The SD card commands: the log stop of group 3 and the file commands of group 6, served from
// the card, which must outlive the engine. Faults come from the engine's fault plan (e.g.
// "busy,group=3,count=10" or "no-reply,group=6,code=0x38,at=2").
void InstallSdCardCommands(ControllerEngine& engine, SdCard& card);

}  // namespace skarnel::sim
