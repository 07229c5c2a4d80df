#include "tests/support/temp_folder.h"
#include "tests/voice/wave_fixtures.h"
#include "voice/wave_control.h"

#include <gtest/gtest.h>

#include <random>

namespace skarnel::test {
namespace {

struct CheckCase {
    const char* name;
    WaveLayout layout;
    int result;
};

WaveLayout Layout(void (*change)(WaveLayout&))
{
    WaveLayout layout;
    layout.data.assign(10'000, 0);
    change(layout);
    return layout;
}

class WaveCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(WaveCheck, GivesTheResultOfTheFirstFailingTest)
{
    TempFolder folder;
    const std::string path = folder.Write("sound.wav", WaveBytes(GetParam().layout));
    uint32_t size = 0;
    uint32_t rate = 0;
    uint32_t bytesPerSec = 0;
    EXPECT_EQ(CWave_Control::CheckWaveFile(path, size, rate, bytesPerSec), GetParam().result);
    EXPECT_EQ(size, GetParam().result == kWaveNotWaveFile ? 0u : 2500u);
    EXPECT_EQ(rate, GetParam().result == kWaveAccepted ? GetParam().layout.sampleRate : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WaveCheck,
    testing::Values(CheckCase{"Mono11025", Layout([](WaveLayout&) {}), kWaveAccepted},
                    CheckCase{"Mono8000", Layout([](WaveLayout& s) { s.sampleRate = 8000; }), kWaveAccepted},
                    CheckCase{"EightBitPasses", Layout([](WaveLayout& s) { s.bitsPerSample = 8; }), kWaveAccepted},
                    CheckCase{"PaddedChunkFirst", Layout([](WaveLayout& s) {
                                  s.junkBeforeFormat = {1, 2, 3};
                              }),
                              kWaveAccepted},
                    CheckCase{"Float", Layout([](WaveLayout& s) { s.formatTag = 3; }), kWaveNotPcm},
                    CheckCase{"Stereo", Layout([](WaveLayout& s) { s.channels = 2; }), kWaveNotMono},
                    CheckCase{"Rate22050", Layout([](WaveLayout& s) { s.sampleRate = 22050; }), kWaveBadSampleRate},
                    CheckCase{"DataBeforeFormat", Layout([](WaveLayout& s) { s.dataBeforeFormat = true; }),
                              kWaveNotWaveFile},
                    CheckCase{"NotWaveForm", Layout([](WaveLayout& s) { s.formType = "AVI "; }), kWaveNotWaveFile},
                    CheckCase{"ShortFormat", Layout([](WaveLayout& s) { s.formatSize = 14; }), kWaveNotWaveFile}),
    [](const testing::TestParamInfo<CheckCase>& tested) { return tested.param.name; });

TEST(WaveCheckFile, RefusesWhatIsNoRiffFile)
{
    TempFolder folder;
    uint32_t size = 7;
    uint32_t rate = 0;
    uint32_t bytesPerSec = 0;
    for (const std::vector<uint8_t>& bytes : {std::vector<uint8_t>{}, std::vector<uint8_t>(100, 'R')})
        EXPECT_EQ(CWave_Control::CheckWaveFile(folder.Write("x.wav", bytes), size, rate, bytesPerSec),
                  kWaveNotWaveFile);
    EXPECT_EQ(CWave_Control::CheckWaveFile(folder.Path("missing.wav"), size, rate, bytesPerSec), kWaveNotWaveFile);
    EXPECT_EQ(size, 7u);
}

TEST(WaveOpen, SetsTheFiguresOfTheFormatRecord)
{
    TempFolder folder;
    CWave_Control wave;
    ASSERT_TRUE(wave.OpenWave(folder.Write("a.wav", MonoWave(std::vector<uint8_t>(22050, 0)))));
    EXPECT_EQ(wave.dataSize, 22050u);
    EXPECT_EQ(wave.avgBytesPerSec, 22050u);
    EXPECT_FLOAT_EQ(wave.duration, 1.0f);
    EXPECT_EQ(wave.waveFormat.bitsPerSample, 16);
    EXPECT_FALSE(wave.OpenWave(folder.Write("b.wav", {1, 2, 3})));
}

// Converts data bytes of a 16-bit mono file with option 4.
std::vector<uint8_t> Convert(const std::vector<uint8_t>& data, int resolution = kVoiceResolution)
{
    TempFolder folder;
    CWave_Control wave;
    std::vector<uint8_t> stream;
    const int count = wave.ConvertToAdpcm(folder.Write("s.wav", MonoWave(data)), stream, resolution);
    EXPECT_EQ(count, static_cast<int>(stream.size()));
    return stream;
}

TEST(AdpcmConversion, GivesOneByteForEveryWholePairOfSamples)
{
    EXPECT_EQ(Convert(std::vector<uint8_t>(10'000, 0)).size(), 2500u);
    EXPECT_EQ(Convert(std::vector<uint8_t>(10'002, 0)).size(), 2500u);
    EXPECT_EQ(Convert(std::vector<uint8_t>(10'001, 0), 0).size(), 5000u);
}

TEST(AdpcmConversion, SilenceIsZeroThroughout)
{
    const auto stream = Convert(std::vector<uint8_t>(4000, 0));
    EXPECT_EQ(stream, std::vector<uint8_t>(1000, 0x00));
}

struct KnownAnswer {
    const char* name;
    std::vector<int16_t> samples;
    int resolution;
    std::vector<uint8_t> stream;
};

class AdpcmKnownAnswer : public testing::TestWithParam<KnownAnswer> {};

TEST_P(AdpcmKnownAnswer, EncodesPairsLowNibbleFirst)
{
    EXPECT_EQ(Convert(Samples16(GetParam().samples), GetParam().resolution), GetParam().stream);
}

// Worked by hand from the quantiser: 2047 from predictor 0 and step 7 is code 7 (delta 11,
// step index 8); the next 2047 against predictor 11 and step 16 is code 7 again; -2048 after
// the first is code 15. -33 / 16 truncates to -2, code 9 (floor division would give -3, code
// 10), and the following 0 is code 1.
INSTANTIATE_TEST_SUITE_P(
    Samples, AdpcmKnownAnswer,
    testing::Values(KnownAnswer{"RisingToFullScale", {32767, 32767, 32767, 32767}, 4, {0x77, 0x77}},
                    KnownAnswer{"FullSwing", {32767, -32768}, 4, {0xF7}},
                    KnownAnswer{"TruncatesTowardZero", {-33, 0}, 4, {0x19}},
                    KnownAnswer{"SmallNegative", {-17, -17}, 4, {0x09}},
                    KnownAnswer{"FullResolution", {7, 0}, 8, {0xB4}}),
    [](const testing::TestParamInfo<KnownAnswer>& tested) { return tested.param.name; });

TEST(AdpcmEncoder, FirstFullScaleSampleMovesPredictorAndStepIndex)
{
    CWave_Control wave;
    EXPECT_EQ(wave.EncodeSample(32767 / 16, kVoiceResolution), 7);
    EXPECT_EQ(wave.predictor, 11);
    EXPECT_EQ(wave.stepIndex, 8);
}

TEST(AdpcmEncoder, PredictorStaysInTheRangeOfTheResolution)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> sample(-32768, 32767);
    for (int resolution : {1, 4, 8}) {
        CWave_Control wave;
        const int divisor = 1 << (8 - resolution);
        const int limit = 1 << (7 + resolution);
        for (int k = 0; k < 20'000; ++k) {
            const int value = k % 100 < 50 ? (k % 2 ? 32767 : -32768) : sample(random);
            const int code = wave.EncodeSample(value / divisor, resolution);
            ASSERT_GE(code, 0);
            ASSERT_LE(code, 15);
            ASSERT_GE(wave.predictor, -limit);
            ASSERT_LE(wave.predictor, limit - 1);
            ASSERT_GE(wave.stepIndex, 0);
            ASSERT_LE(wave.stepIndex, 88);
        }
    }
}

TEST(AdpcmEncoder, PredictorSettlesAtTheClampOfAHeldMaximum)
{
    CWave_Control wave;
    for (int k = 0; k < 200; ++k)
        wave.EncodeSample(255, 1);
    EXPECT_EQ(wave.predictor, 255);
}

TEST(AdpcmConversion, EightBitOptionStartsAtMidScale)
{
    EXPECT_EQ(Convert(std::vector<uint8_t>(6, 128), 0), std::vector<uint8_t>(3, 0x00));
}

TEST(AdpcmConversion, EachConversionStartsFromTheInitialState)
{
    TempFolder folder;
    const std::string path = folder.Write("s.wav", MonoWave(Samples16({32767, 32767, -32768, 1000})));
    CWave_Control wave;
    std::vector<uint8_t> first;
    std::vector<uint8_t> second;
    ASSERT_EQ(wave.ConvertToAdpcm(path, first, 4), 2);
    ASSERT_EQ(wave.ConvertToAdpcm(path, second, 4), 2);
    EXPECT_EQ(first, second);
}

TEST(AdpcmConversion, FailsOnFilesItCannotRead)
{
    TempFolder folder;
    CWave_Control wave;
    std::vector<uint8_t> stream;
    EXPECT_EQ(wave.ConvertToAdpcm(folder.Path("missing.wav"), stream, 4), 0);
    WaveLayout layout;
    layout.dataBeforeFormat = true;
    layout.data.assign(100, 0);
    EXPECT_EQ(wave.ConvertToAdpcm(folder.Write("early.wav", WaveBytes(layout)), stream, 4), 0);
    EXPECT_EQ(wave.ConvertToAdpcm(folder.Write("ok.wav", MonoWave(std::vector<uint8_t>(8, 0))), stream, 9), 0);
}

TEST(AdpcmConversion, StreamLongerThanItsBoundIsRefusedUnread)
{
    TempFolder folder;
    const std::string path = folder.Write("s.wav", MonoWave(std::vector<uint8_t>(400, 0)));
    CWave_Control wave;
    std::vector<uint8_t> stream;
    EXPECT_EQ(wave.ConvertToAdpcm(path, stream, 4, 100), 100);
    EXPECT_FALSE(wave.streamTooLong);
    EXPECT_EQ(wave.ConvertToAdpcm(path, stream, 4, 99), 0);
    EXPECT_TRUE(wave.streamTooLong);
    EXPECT_TRUE(stream.empty());
    EXPECT_EQ(wave.ConvertToAdpcm(path, stream, 0, 199), 0);
    EXPECT_TRUE(wave.streamTooLong);
}

TEST(AdpcmConversion, DataChunkLongerThanTheFileFailsWithoutReading)
{
    TempFolder folder;
    auto bytes = MonoWave(std::vector<uint8_t>(100, 0));
    bytes[bytes.size() - 100 - 4 + 3] = 0x7F;  // the data chunk claims about 2 GB
    CWave_Control wave;
    std::vector<uint8_t> stream;
    EXPECT_EQ(wave.ConvertToAdpcm(folder.Write("long.wav", bytes), stream, 4), 0);
}

}  // namespace
}  // namespace skarnel::test
