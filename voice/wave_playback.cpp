#include "voice/wave_playback.h"

#include "base/format.h"
#include "voice/riff_reader.h"

#include <cmath>
#include <fstream>

namespace skarnel {
namespace {

constexpr int64_t kTicksPerSecond = 10'000'000;
constexpr int kSilence = -10000;

}  // namespace

std::optional<int64_t> WavePlayTime(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    const std::optional<WaveChunks> chunks = LocateWaveChunks(file);
    if (!chunks)
        return std::nullopt;
    // The byte rate is the third field of the format record.
    const auto& format = chunks->format;
    const uint32_t avgBytesPerSec = static_cast<uint32_t>(format[8]) | static_cast<uint32_t>(format[9]) << 8 |
                                    static_cast<uint32_t>(format[10]) << 16 | static_cast<uint32_t>(format[11]) << 24;
    if (avgBytesPerSec == 0)
        return std::nullopt;
    return static_cast<int64_t>(chunks->dataSize) * kTicksPerSecond / avgBytesPerSec;
}

std::string PlayerTimeText(int64_t ticks)
{
    const int64_t milliseconds = ticks / kTicksPerMillisecond;
    const int64_t minutes = milliseconds / 1000 / 60;
    const double seconds = static_cast<double>(milliseconds) / 1000.0 - 60.0 * static_cast<double>(minutes);
    return Format("%d m %.2f s", static_cast<int>(minutes), seconds);
}

int64_t SeekPosition(int percent, int64_t duration)
{
    // percent × duration can pass 64 bits for the longest durations.
    return static_cast<int64_t>(static_cast<__int128>(percent) * duration / 100);
}

int PositionPercent(int64_t position, int64_t duration)
{
    if (duration <= 0)
        return 0;
    return static_cast<int>(static_cast<__int128>(position) * 100 / duration);
}

int VolumeOfSlider(int position)
{
    return -100 * position;
}

float LinearGain(int hundredthsDb)
{
    if (hundredthsDb <= kSilence)
        return 0.0f;
    return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

}  // namespace skarnel
