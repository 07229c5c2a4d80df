#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace skarnel {

// The arithmetic of the wave player. Times are in 100-ns units, as the player keeps them.
inline constexpr int64_t kTicksPerMillisecond = 10'000;

// The play time of a WAV file from its data chunk and byte rate; nothing for a file that is
// no RIFF WAVE file with a format record and a data chunk, or has no byte rate.
std::optional<int64_t> WavePlayTime(const std::filesystem::path& path);
// "%d m %.2f s" of whole milliseconds: 75.5 s is "1 m 15.50 s".
std::string PlayerTimeText(int64_t ticks);
// The position percent of the way through, in 64-bit arithmetic.
int64_t SeekPosition(int percent, int64_t duration);
// The whole percent a position is of the duration; 0 for no duration.
int PositionPercent(int64_t position, int64_t duration);
// The volume of a slider position 0 (top, full volume) .. 100, in hundredths of a decibel.
int VolumeOfSlider(int position);
// The linear gain of a volume in hundredths of a decibel; 0 at -10000 (silence) and below.
float LinearGain(int hundredthsDb);

}  // namespace skarnel
