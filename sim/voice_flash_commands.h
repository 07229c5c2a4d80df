#pragma once

namespace skarnel::sim {

class ControllerEngine;

// The voice flash commands of group 2: flash information, erase (a busy frame a sector, then
// an acknowledgement), info and data writes, file information and data reads, play.
void InstallVoiceFlashCommands(ControllerEngine& engine);

}  // namespace skarnel::sim
