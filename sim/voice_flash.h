#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace skarnel::sim {

// The controller's voice flash: its geometry, the voice data version its firmware expects,
// and its bytes (0xFF where erased; a write can only clear bits, as on a real flash). With a
// state file it keeps its bytes between runs of the simulator.
struct VoiceFlash {
    uint32_t sectorSize = 4096;
    uint32_t flashSize = 0x190000;
    uint32_t voiceDataVersion = 2;
    // Time between the busy frames the erase sends, one a sector.
    int64_t eraseStepMs = 10;
    std::vector<uint8_t> bytes;
    std::optional<uint32_t> lastPlayed;
    uint32_t eraseCount = 0;
    std::filesystem::path stateFile;

    uint32_t SectorCount() const { return sectorSize ? flashSize / sectorSize : 0; }
    // The bytes, sized to the flash and erased, on first use.
    std::vector<uint8_t>& Memory();
};

inline constexpr const char* kVoiceFlashFileName = "voice_flash.bin";

// Loads the state file when there is one; false with a reason when it exists but does not
// hold an image of the flash's size.
bool LoadVoiceFlash(VoiceFlash& flash, std::string& error);
// Keeps a changed range of the flash in the state file, if there is one.
void SaveVoiceFlash(VoiceFlash& flash, uint32_t address, size_t size);

}  // namespace skarnel::sim
