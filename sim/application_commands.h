#pragma once

namespace skarnel::sim {

class ControllerEngine;

// Product information, version addresses, the display, RF pause, restart into the boot loader
// and the real-time clock.
void InstallApplicationCommands(ControllerEngine& engine);

}  // namespace skarnel::sim
