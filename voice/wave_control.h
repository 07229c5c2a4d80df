#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <vector>

namespace skarnel {

// The format record of a WAV file: the first 16 bytes of its fmt chunk.
struct WaveFormat {
    static constexpr size_t kSize = 16;

    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;

    static WaveFormat Decode(std::span<const uint8_t, kSize> bytes);
};

// Why CheckWaveFile refuses a file (0 accepts it).
enum WaveCheckResult : int {
    kWaveAccepted = 0,
    kWaveNotWaveFile = 1,
    kWaveNotPcm = 2,
    kWaveNotMono = 3,
    kWaveBadSampleRate = 4,
};

// Every conversion of the voice jobs reduces 16-bit samples to 12 bits.
inline constexpr int kVoiceResolution = 4;
inline constexpr int kMaxResolution = 8;

// Reads WAV files and turns them into the controller's 4-bit ADPCM stream: two samples a
// byte, the first in the low nibble, no block headers. One object per job; it converts any
// number of files one after another.
class CWave_Control {
public:
    // The size estimate is set whenever the data chunk was found; the rates only on acceptance.
    static int CheckWaveFile(const std::filesystem::path& path, uint32_t& sizeEstimate, uint32_t& sampleRate,
                             uint32_t& avgBytesPerSec);

    bool OpenWave(const std::filesystem::path& path);
    // The stream bytes of the whole data chunk (resolution 0..8); 0 on failure. A data chunk
    // whose stream would be longer than maxStreamSize is refused before it is read, with
    // streamTooLong set.
    int ConvertToAdpcm(const std::filesystem::path& path, std::vector<uint8_t>& stream, int resolution,
                       uint32_t maxStreamSize = UINT32_MAX);
    // One sample against the current state, which it updates; the 4-bit code.
    int EncodeSample(int sample, int resolution);

    uint32_t dataSize = 0;
    bool streamTooLong = false;
    uint32_t avgBytesPerSec = 0;
    float duration = 0;
    WaveFormat waveFormat;
    int8_t stepIndex = 0;
    int32_t predictor = 0;

private:
    bool ReadData(std::vector<uint8_t>& data);
    void ResetEncoder(int resolution);

    std::ifstream wave_;
};

}  // namespace skarnel
