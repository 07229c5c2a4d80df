#pragma once

#include "voice/views/media_control_function.h"

#include <memory>

namespace skarnel {

// The media player of Qt Multimedia with the default sound device.
std::unique_ptr<MediaBackend> MakeQtMediaBackend();

}  // namespace skarnel
