#pragma once

#include "sim/controller_engine.h"

namespace skarnel::fuzz {

// The simulated controllers the seeds come from. Each holds the real commands of the simulator.

// A KT40 of memory version 1001 whose model list names its first `usedModels` seeded models
// and no other, with the application and model data commands.
sim::ControllerState ModelControllerState(int usedModels);
void InstallModelCommands(sim::ControllerEngine& engine);

// A voice flash holding two sounds, with the application and voice flash commands.
sim::ControllerState VoiceControllerState();
void InstallVoiceCommands(sim::ControllerEngine& engine);

}  // namespace skarnel::fuzz
