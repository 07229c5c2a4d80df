#pragma once

#include "sim/controller_engine.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace skarnel::test {

// The SD card of a controller that lists whatever names it is given: folder "/0" the first
// kHostileFolderSize of them, "/1" the next and so on, each name a file of three bytes ("abc").
// Installed over the card commands of the engine (log stop, initialise and space stay theirs).
inline constexpr size_t kHostileFolderSize = 5000;
void InstallHostileCard(sim::ControllerEngine& engine, std::shared_ptr<const std::vector<std::string>> names);
// The folder that lists names[index].
std::string HostileFolderOf(size_t index);

}  // namespace skarnel::test
