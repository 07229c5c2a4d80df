#pragma once

#include <cstdint>

namespace skarnel {

// The 32-bit magic that opens the system's own files: upgrade files (twice), menu backups,
// the conversion table set, sound files, voice bundles and live logs.
inline constexpr uint32_t FileMagic = 0x005F12CD;

}  // namespace skarnel
