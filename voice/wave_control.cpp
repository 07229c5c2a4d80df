#include "voice/wave_control.h"

#include "base/byte_order.h"
#include "voice/adpcm_tables.h"
#include "voice/riff_reader.h"

#include <algorithm>

namespace skarnel {
namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint32_t kRate11k = 11025;
constexpr uint32_t kRate8k = 8000;
constexpr uint64_t kBytesPerPair16 = 4;
constexpr uint64_t kBytesPerPair8 = 2;

uint64_t RemainingBytes(std::ifstream& file)
{
    const std::streamoff here = file.tellg();
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    file.seekg(here);
    return here >= 0 && end > here ? static_cast<uint64_t>(end - here) : 0;
}

int Sample16(const uint8_t* bytes, int divisor)
{
    return static_cast<int16_t>(ReadLe16(bytes)) / divisor;
}

}  // namespace

WaveFormat WaveFormat::Decode(std::span<const uint8_t, kSize> bytes)
{
    return {ReadLe16(bytes.data()),     ReadLe16(bytes.data() + 2),  ReadLe32(bytes.data() + 4),
            ReadLe32(bytes.data() + 8), ReadLe16(bytes.data() + 12), ReadLe16(bytes.data() + 14)};
}

int CWave_Control::CheckWaveFile(const std::filesystem::path& path, uint32_t& sizeEstimate, uint32_t& sampleRate,
                                 uint32_t& avgBytesPerSec)
{
    std::ifstream file(path, std::ios::binary);
    const auto chunks = file ? LocateWaveChunks(file) : std::nullopt;
    if (!chunks)
        return kWaveNotWaveFile;
    sizeEstimate = chunks->dataSize >> 2;
    const WaveFormat format = WaveFormat::Decode(chunks->format);
    if (format.formatTag != kFormatPcm)
        return kWaveNotPcm;
    if (format.channels != 1)
        return kWaveNotMono;
    if (format.samplesPerSec != kRate11k && format.samplesPerSec != kRate8k)
        return kWaveBadSampleRate;
    sampleRate = format.samplesPerSec;
    avgBytesPerSec = format.avgBytesPerSec;
    return kWaveAccepted;
}

bool CWave_Control::OpenWave(const std::filesystem::path& path)
{
    if (wave_.is_open())
        wave_.close();
    wave_.clear();
    wave_.open(path, std::ios::binary);
    const auto chunks = wave_ ? LocateWaveChunks(wave_) : std::nullopt;
    if (!chunks)
        return false;
    waveFormat = WaveFormat::Decode(chunks->format);
    dataSize = chunks->dataSize;
    avgBytesPerSec = waveFormat.avgBytesPerSec;
    duration = avgBytesPerSec ? static_cast<float>(dataSize) / static_cast<float>(avgBytesPerSec) : 0.0f;
    wave_.clear();
    wave_.seekg(static_cast<std::streamoff>(chunks->dataOffset));
    return static_cast<bool>(wave_);
}

// A data chunk that claims more than the file holds fails before anything is allocated.
bool CWave_Control::ReadData(std::vector<uint8_t>& data)
{
    const bool complete = dataSize <= RemainingBytes(wave_);
    if (complete) {
        data.resize(dataSize);
        wave_.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(dataSize));
    }
    const bool read = complete && static_cast<bool>(wave_);
    wave_.close();
    return read;
}

void CWave_Control::ResetEncoder(int resolution)
{
    predictor = AdpcmRange(resolution).initial;
    stepIndex = 0;
}

int CWave_Control::ConvertToAdpcm(const std::filesystem::path& path, std::vector<uint8_t>& stream, int resolution,
                                  uint32_t maxStreamSize)
{
    stream.clear();
    streamTooLong = false;
    if (resolution < 0 || resolution > kMaxResolution)
        return 0;
    ResetEncoder(resolution);
    if (!OpenWave(path))
        return 0;
    const uint64_t pairSize = resolution == 0 ? kBytesPerPair8 : kBytesPerPair16;
    if (dataSize / pairSize > maxStreamSize) {
        wave_.close();
        streamTooLong = true;
        return 0;
    }
    std::vector<uint8_t> data;
    if (!ReadData(data))
        return 0;
    stream.resize(data.size() / pairSize);
    const int divisor = AdpcmRange(resolution).divisor;
    for (size_t k = 0; k < stream.size(); ++k) {
        const uint8_t* pair = data.data() + pairSize * k;
        const int first = resolution == 0 ? pair[0] : Sample16(pair, divisor);
        const int second = resolution == 0 ? pair[1] : Sample16(pair + 2, divisor);
        const int low = EncodeSample(first, resolution);
        const int high = EncodeSample(second, resolution);
        stream[k] = static_cast<uint8_t>(low + 16 * high);
    }
    return static_cast<int>(stream.size());
}

int CWave_Control::EncodeSample(int sample, int resolution)
{
    const int step = kAdpcmStepTable[static_cast<size_t>(stepIndex)];
    int diff = sample - predictor;
    int code = 0;
    if (diff < 0) {
        code = 8;
        diff = -diff;
    }
    int delta = step >> 3;
    if (diff >= step) {
        code |= 4;
        diff -= step;
        delta += step;
    }
    if (diff >= step >> 1) {
        code |= 2;
        diff -= step >> 1;
        delta += step >> 1;
    }
    if (diff >= step >> 2) {
        code |= 1;
        delta += step >> 2;
    }
    predictor += (code & 8) ? -delta : delta;
    const AdpcmResolution range = AdpcmRange(resolution);
    if (predictor > range.maximum)
        predictor = range.maximum;
    else if (predictor < range.minimum)
        predictor = range.minimum;
    const int index = std::clamp(stepIndex + kAdpcmIndexAdjustment[static_cast<size_t>(code)], 0, kAdpcmMaxStepIndex);
    stepIndex = static_cast<int8_t>(index);
    return code;
}

}  // namespace skarnel
