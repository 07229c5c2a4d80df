#pragma once

#include "base/job.h"

#include "base/file_magic.h"
#include "voice/voice_file_info.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace skarnel {

class Reporter;

// The 32-byte header of a voice bundle (.vdf): header, info table, data area, nothing after.
struct VoiceBundleHeader {
    static constexpr size_t kSize = 32;

    uint32_t fileMagic = FileMagic;
    uint32_t checkValueA = 254;
    uint32_t checkValueB = 1;
    uint32_t fileCount = 0;
    uint32_t infoSize = kVoiceInfoTableSize;
    uint32_t dataSize = 0;
    uint32_t voiceDataVersion = 0;
    uint32_t modelCode = 0;

    std::array<uint8_t, kSize> Encode() const;
    static VoiceBundleHeader Decode(std::span<const uint8_t, kSize> bytes);
};

// A transmitter model a voice set is made for, with its default flash geometry.
struct VoiceModel {
    const char* name;
    const char* choiceText;
    uint32_t modelCode;
    uint32_t sectorSize;
    uint32_t sectorCount;
    uint32_t flashSize;
};
inline constexpr std::array<VoiceModel, 2> kVoiceModels{{
    {"KT-40", "Model : KT-40", 0x00F430E4, 4096, 400, 0x190000},
    {"KR-70", "Model : KR-70", 0x00F437EC, 4096, 400, 0x190000},
}};

// One sound of a set, as its list row shows it.
struct VoiceSource {
    std::filesystem::path path;
    std::string name;  // the file name with its extension
    uint64_t fileSize = 0;
    uint32_t sampleRate = 0;
};

// The content of a voice flash: the info table and the data area.
struct VoiceImage {
    std::vector<uint8_t> info = std::vector<uint8_t>(kVoiceInfoTableSize, 0);
    std::vector<uint8_t> data;
    uint32_t fileCount = 0;
};

// Told about each sound while an image is built, so that a list can mark its rows.
class VoiceBuildRows {
public:
    virtual ~VoiceBuildRows() = default;
    virtual void MarkRow(size_t, const char*) {}
    virtual void SoundPlaced(size_t, const VoiceFileInfo&) {}
};

// The row marks of a build.
inline constexpr const char* kRowStarted = "\xE2\x88\x9A";  // √
inline constexpr const char* kRowPlaced = "Ok";
inline constexpr const char* kRowFailed = "X";

// Builds the image of a list of sounds: converts each WAV file (and leaves its "%s.bin"
// copy), takes each .apm file's stream, places them one after another. Stops with its
// failure text in failText; the stop request is looked at before each sound. Slot 255 is
// left for the caller.
bool BuildVoiceImage(const std::vector<VoiceSource>& sounds, int resolution, uint32_t flashSize,
                     const StopRequest& stop, Reporter& reporter, VoiceImage& image, std::string& failText,
                     VoiceBuildRows* rows = nullptr);

// The Package job: builds the image and writes the bundle. The file is written beside the
// target and moved over it only when complete, so a failed build leaves any earlier bundle
// as it was. The final text in finalText.
bool PackageVoiceBundle(const std::vector<VoiceSource>& sounds, const std::filesystem::path& target,
                        uint32_t voiceDataVersion, uint32_t modelCode, uint32_t flashSize, const StopRequest& stop,
                        Reporter& reporter, std::string& finalText, VoiceBuildRows* rows = nullptr);

// A bundle read back from its file.
struct VoiceBundle {
    VoiceBundleHeader header;
    std::vector<uint8_t> info;
    std::vector<uint8_t> data;

    // Records 0 .. file count - 1 of the info table.
    std::vector<VoiceFileInfo> Records() const;
};

// Reads and checks a bundle: the header's magic and check values, the version against the
// controller's (when one is known), and that the file holds what its header promises. With
// readData the data area is read too. Logs the detail lines; the failure text in failText.
bool CheckVoiceBundle(const std::filesystem::path& path, std::optional<uint32_t> controllerVersion, bool readData,
                      Reporter& reporter, VoiceBundle& bundle, std::string& failText);

// The bundle file for a chosen name: as it is when it holds ".vdf" (any case) after its first
// character, else with ".vdf" added.
std::filesystem::path BundleFileName(const std::filesystem::path& chosen);

// Whether a bundle's data fits a controller's voice flash of that size.
bool BundleFitsFlash(const VoiceBundleHeader& header, uint32_t flashSize);

}  // namespace skarnel
