#pragma once

#include <cstdint>

namespace skarnel {

// Command codes of the voice flash (group 2).
enum VoiceFlashCode : uint8_t {
    kCodeVoiceFlashInfo = 0x30,
    kCodeVoiceFlashInit = 0x31,
    kCodeVoiceInfoWrite = 0x32,
    kCodeVoiceDataWrite = 0x33,
    kCodeVoiceFileInfoRead = 0x34,
    kCodeVoiceDataRead = 0x35,
    kCodeVoicePlay = 0x36,
};

}  // namespace skarnel
