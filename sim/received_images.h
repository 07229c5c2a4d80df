#pragma once

#include "firmware/image_kind.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace skarnel::sim {

// Prints a line for each complete image and, when a folder is given, writes the image there
// under ReceivedImageFileName (never under the name the PC sent).
std::function<void(ImageKind, const std::vector<uint8_t>&)> ReceivedImageReporter(const std::string& folder);

}  // namespace skarnel::sim
