#pragma once

#include "sim/controller_engine.h"
#include "sim/sd_card.h"
#include "sim/telemetry_commands.h"

namespace skarnel::sim {

// Every command the simulated controller answers: the application's, the boot loader's
// download, model data, the SD card, telemetry and the voice flash. skarnel-sim and the
// in-process controller of the tests serve the same set.
void InstallAllCommands(ControllerEngine& engine, SdCard& card, const TelemetrySettings& telemetry);

}  // namespace skarnel::sim
