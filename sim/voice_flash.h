#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace skarnel::sim {

// The controller's voice flash: its geometry, the voice data version its firmware expects,
// and its bytes (0xFF where erased; a write can only clear bits, as on a real flash).
struct VoiceFlash {
    uint32_t sectorSize = 4096;
    uint32_t flashSize = 0x190000;
    uint32_t voiceDataVersion = 2;
    // Time between the busy frames the erase sends, one a sector.
    int64_t eraseStepMs = 10;
    std::vector<uint8_t> bytes;
    std::optional<uint32_t> lastPlayed;
    uint32_t eraseCount = 0;

    uint32_t SectorCount() const { return sectorSize ? flashSize / sectorSize : 0; }
    // The bytes, sized to the flash and erased, on first use.
    std::vector<uint8_t>& Memory();
};

}  // namespace skarnel::sim
