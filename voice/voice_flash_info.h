#pragma once

#include <cstddef>
#include <cstdint>

namespace skarnel {

// The voice flash's geometry and the voice data version the controller's firmware expects:
// the 16-byte payload of the reply to the flash information read.
struct VoiceFlashInfo {
    static constexpr size_t kSize = 16;

    uint32_t sectorSize = 0;
    uint32_t flashSize = 0;
    uint32_t sectorCount = 0;
    uint32_t voiceDataVersion = 0;
};

// Flash reads and writes move this much data a frame.
inline constexpr uint32_t kVoiceChunkSize = 2048;
// After a failed write the download starts again at the boundary of this at or below it.
inline constexpr uint32_t kVoiceRewriteSector = 4096;

// The kind argument of WriteVoiceArea.
inline constexpr int kVoiceInfoArea = 1;
inline constexpr int kVoiceDataArea = 0;

}  // namespace skarnel
