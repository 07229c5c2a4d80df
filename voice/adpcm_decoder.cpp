#include "voice/adpcm_decoder.h"

#include "base/byte_order.h"
#include "base/replacing_file.h"
#include "voice/adpcm_tables.h"
#include "voice/wave_control.h"

#include <algorithm>
#include <array>
#include <limits>

namespace skarnel {
namespace {

constexpr size_t kWaveHeaderSize = 44;

std::array<uint8_t, kWaveHeaderSize> MonoWaveHeader(uint32_t dataSize, uint32_t sampleRate)
{
    std::array<uint8_t, kWaveHeaderSize> header{};
    const auto text = [&](size_t at, const char* four) { std::copy_n(four, 4, header.begin() + at); };
    text(0, "RIFF");
    WriteLe32(header.data() + 4, 36 + dataSize);
    text(8, "WAVE");
    text(12, "fmt ");
    WriteLe32(header.data() + 16, 16);
    WriteLe16(header.data() + 20, 1);  // PCM
    WriteLe16(header.data() + 22, 1);  // mono
    WriteLe32(header.data() + 24, sampleRate);
    WriteLe32(header.data() + 28, sampleRate * 2);
    WriteLe16(header.data() + 32, 2);
    WriteLe16(header.data() + 34, 16);
    text(36, "data");
    WriteLe32(header.data() + 40, dataSize);
    return header;
}

}  // namespace

AdpcmDecoder::AdpcmDecoder(int resolution)
    : resolution_(std::clamp(resolution, 0, kMaxResolution)), predictor_(AdpcmRange(resolution_).initial)
{
}

int AdpcmDecoder::DecodeCode(int code)
{
    const int step = kAdpcmStepTable[static_cast<size_t>(stepIndex_)];
    int delta = step >> 3;
    if (code & 4)
        delta += step;
    if (code & 2)
        delta += step >> 1;
    if (code & 1)
        delta += step >> 2;
    const AdpcmResolution range = AdpcmRange(resolution_);
    predictor_ = std::clamp(predictor_ + ((code & 8) ? -delta : delta), range.minimum, range.maximum);
    stepIndex_ = std::clamp(stepIndex_ + kAdpcmIndexAdjustment[static_cast<size_t>(code & 15)], 0, kAdpcmMaxStepIndex);
    return predictor_;
}

int16_t AdpcmDecoder::Sample16() const
{
    // Resolution 0 works on unsigned 8-bit samples around 128.
    const int sample = resolution_ == 0 ? (predictor_ - 128) * 256 : predictor_ * AdpcmRange(resolution_).divisor;
    return static_cast<int16_t>(
        std::clamp(sample, int{std::numeric_limits<int16_t>::min()}, int{std::numeric_limits<int16_t>::max()}));
}

std::vector<int16_t> DecodeAdpcmStream(const std::vector<uint8_t>& stream, int resolution)
{
    AdpcmDecoder decoder(resolution);
    std::vector<int16_t> samples;
    samples.reserve(stream.size() * 2);
    for (const uint8_t byte : stream) {
        decoder.DecodeCode(byte & 15);
        samples.push_back(decoder.Sample16());
        decoder.DecodeCode(byte >> 4);
        samples.push_back(decoder.Sample16());
    }
    return samples;
}

bool WriteMonoWave(const std::filesystem::path& path, const std::vector<int16_t>& samples, uint32_t sampleRate)
{
    std::vector<uint8_t> bytes(kWaveHeaderSize + samples.size() * 2);
    const auto header = MonoWaveHeader(static_cast<uint32_t>(samples.size() * 2), sampleRate);
    std::copy(header.begin(), header.end(), bytes.begin());
    for (size_t i = 0; i < samples.size(); ++i)
        WriteLe16(bytes.data() + kWaveHeaderSize + 2 * i, static_cast<uint16_t>(samples[i]));
    return WriteReplacingFile(path, bytes.data(), bytes.size());
}

bool WriteVoicePreview(const std::filesystem::path& wave, const std::filesystem::path& target)
{
    CWave_Control control;
    std::vector<uint8_t> stream;
    if (control.ConvertToAdpcm(wave, stream, kVoiceResolution) == 0)
        return false;
    return WriteMonoWave(target, DecodeAdpcmStream(stream, kVoiceResolution), control.waveFormat.samplesPerSec);
}

}  // namespace skarnel
