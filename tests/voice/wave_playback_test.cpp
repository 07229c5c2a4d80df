#include "tests/support/temp_folder.h"
#include "tests/voice/wave_fixtures.h"
#include "voice/wave_playback.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace skarnel::test {
namespace {

TEST(WavePlayback, TimeTexts)
{
    const std::pair<int64_t, const char*> cases[] = {
        {0, "0 m 0.00 s"},           {755'000'000, "1 m 15.50 s"},
        {50'000'000, "0 m 5.00 s"},  {599'900'000, "0 m 59.99 s"},
        {600'000'000, "1 m 0.00 s"},
    };
    for (const auto& [ticks, text] : cases)
        EXPECT_EQ(PlayerTimeText(ticks), text) << ticks;
}

TEST(WavePlayback, SeekAndPercentHold64BitPositions)
{
    const int64_t longest = std::numeric_limits<int64_t>::max() / 2;
    EXPECT_EQ(SeekPosition(50, 100'000'000), 50'000'000);
    EXPECT_EQ(SeekPosition(100, longest), longest);
    EXPECT_EQ(SeekPosition(33, longest), static_cast<int64_t>(static_cast<__int128>(longest) * 33 / 100));
    EXPECT_EQ(PositionPercent(longest / 2, longest), 49);
    EXPECT_EQ(PositionPercent(longest, longest), 100);
    EXPECT_EQ(PositionPercent(5, 0), 0);
}

TEST(WavePlayback, VolumeBounds)
{
    EXPECT_EQ(VolumeOfSlider(0), 0);
    EXPECT_EQ(VolumeOfSlider(100), -10000);
    EXPECT_FLOAT_EQ(LinearGain(0), 1.0f);
    EXPECT_FLOAT_EQ(LinearGain(-10000), 0.0f);
    EXPECT_NEAR(LinearGain(-2000), 0.1f, 1e-6);
}

TEST(WavePlayback, PlayTimeComesFromTheDataChunkAndTheByteRate)
{
    TempFolder files;
    EXPECT_EQ(WavePlayTime(files.Write("a.wav", MonoWave(std::vector<uint8_t>(22050, 0)))), 10'000'000);
    EXPECT_FALSE(WavePlayTime(files.Path("missing.wav")));
    WaveLayout noForm;
    noForm.formType = "AVI ";
    EXPECT_FALSE(WavePlayTime(files.Write("b.wav", WaveBytes(noForm))));
}

}  // namespace
}  // namespace skarnel::test
