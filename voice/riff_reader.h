#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <optional>

namespace skarnel {

// Where a WAV file keeps its format record and its samples.
struct WaveChunks {
    static constexpr size_t kFormatSize = 16;

    std::array<uint8_t, kFormatSize> format{};
    uint32_t dataSize = 0;
    uint64_t dataOffset = 0;
};

// Finds the first RIFF chunk of form "WAVE", the "fmt " chunk in it and the "data" chunk
// after the fmt chunk. Nothing when any is missing or the format record is short, which
// makes a data chunk that stands before the fmt chunk a malformed file.
std::optional<WaveChunks> LocateWaveChunks(std::istream& file);

}  // namespace skarnel
