#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skarnel::test {

// A WAV file built in the test, chunk by chunk.
struct WaveLayout {
    uint16_t formatTag = 1;
    uint16_t channels = 1;
    uint32_t sampleRate = 11025;
    uint16_t bitsPerSample = 16;
    std::vector<uint8_t> data;
    bool dataBeforeFormat = false;
    uint32_t formatSize = 16;
    std::string formType = "WAVE";
    // An odd-sized chunk placed before the fmt chunk (padded to even), when not empty.
    std::vector<uint8_t> junkBeforeFormat;
};

std::vector<uint8_t> WaveBytes(const WaveLayout& layout);
// 16-bit little-endian samples as data bytes.
std::vector<uint8_t> Samples16(const std::vector<int16_t>& samples);
// A 16-bit mono 11025 Hz file with these data bytes.
std::vector<uint8_t> MonoWave(const std::vector<uint8_t>& data);

}  // namespace skarnel::test
