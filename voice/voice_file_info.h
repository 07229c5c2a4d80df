#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace skarnel {

// The controller's voice flash: an info table of 256 slots of 32 bytes, then the ADPCM
// streams back to back.
inline constexpr uint32_t kVoiceInfoTableSize = 8192;
inline constexpr uint32_t kVoiceDataAddress = 0x2000;
inline constexpr size_t kVoiceSlotCount = 256;
// Slot 255 holds the voice data version and the model code, so 255 sounds fit.
inline constexpr size_t kMaxVoiceFiles = 255;
inline constexpr size_t kVoiceVersionSlotOffset = 8160;

// The record of one stored sound, the same in the voice flash's info table and in bundles.
struct VoiceFileInfo {
    static constexpr size_t kSize = 32;
    static constexpr size_t kNameSize = 18;
    static constexpr size_t kMaxNameLength = kNameSize - 1;

    uint32_t size = 0;
    uint32_t address = 0;
    uint16_t index = 0;
    uint16_t indexCheck = 0;
    uint16_t sampleRate = 0;
    std::array<uint8_t, kNameSize> name{};

    // The record of slot `slot`, with its index check.
    static VoiceFileInfo ForSlot(uint16_t slot);
    std::array<uint8_t, kSize> Encode() const;
    static VoiceFileInfo Decode(std::span<const uint8_t, kSize> bytes);
    // An all-zero slot is invalid, which is how readers find the end of the list.
    bool IsValid() const { return index == 0xFFFF - indexCheck; }
    // The name bytes up to the first zero, trailing white space removed, as UTF-8 (the
    // controller keeps a Latin-1 byte a character).
    std::string Name() const;
    // The name as a list shows a file ("hello.wav"): without its last four characters, at
    // most 17 characters, the low byte of each.
    void SetNameFromListed(const std::string& listedName);
};

// Slot 255 of an info table: the voice data version, then the model code.
void WriteVersionSlot(uint8_t* infoTable, uint32_t voiceDataVersion, uint32_t modelCode);

}  // namespace skarnel
