#include "base/byte_order.h"
#include "base/file_magic.h"
#include "tests/support/temp_folder.h"
#include "tests/voice/wave_fixtures.h"
#include "voice/sound_file.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarnel::test {
namespace {

std::vector<uint8_t> ApmBytes(uint32_t checkA, uint32_t checkB, size_t streamSize, uint32_t rate = 11025)
{
    std::vector<uint8_t> bytes(32 + streamSize, 0x5A);
    std::fill_n(bytes.begin(), 32, 0);
    WriteLe32(bytes.data(), FileMagic);
    WriteLe32(bytes.data() + 4, checkA);
    WriteLe32(bytes.data() + 8, checkB);
    WriteLe32(bytes.data() + 12, rate);
    return bytes;
}

TEST(SoundFile, ApmOfOneStreamByteShowsItsFigures)
{
    TempFolder folder;
    FileMessage message;
    const auto figures = DescribeSoundFile(folder.Write("x.apm", ApmBytes(254, 1, 1, 8000)), message);
    ASSERT_TRUE(figures);
    EXPECT_EQ(figures->size, 33u);
    EXPECT_EQ(figures->streamSize, 1u);
    EXPECT_EQ(figures->sampleRate, 8000u);
    EXPECT_FLOAT_EQ(figures->playTime, 4 / 22050.0f);
    EXPECT_EQ(PlayTimeText(figures->playTime), "0.00");
}

struct RefusalCase {
    const char* name;
    const char* file;
    std::vector<uint8_t> bytes;
    std::string text;
    std::string caption;
};

class SoundFileRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(SoundFileRefusal, ShowsTheMessageBoxOfTheFileSelection)
{
    TempFolder folder;
    FileMessage message;
    EXPECT_FALSE(DescribeSoundFile(folder.Write(GetParam().file, GetParam().bytes), message));
    EXPECT_EQ(message.text, GetParam().text);
    EXPECT_EQ(message.caption, GetParam().caption);
}

WaveLayout Stereo()
{
    WaveLayout layout;
    layout.channels = 2;
    layout.data.assign(16, 0);
    return layout;
}

WaveLayout Rate(uint32_t rate)
{
    WaveLayout layout;
    layout.sampleRate = rate;
    layout.data.assign(16, 0);
    return layout;
}

WaveLayout FloatSamples()
{
    WaveLayout layout = Rate(11025);
    layout.formatTag = 3;
    return layout;
}

INSTANTIATE_TEST_SUITE_P(
    Files, SoundFileRefusal,
    testing::Values(
        RefusalCase{"ApmOfHeaderOnly", "a.apm", ApmBytes(254, 1, 0),
                    "ADPCM File Size Error!! \r\n\r\nFile is not ADPCM File    \r\n\r\na.apm", "File Size Error"},
        RefusalCase{"ApmOtherCheckValues", "b.APM", ApmBytes(253, 2, 10),
                    "ADPCM File Header Error!! \r\n\r\nFile is not ADPCM File    \r\n\r\nb.APM", "File Format Error"},
        RefusalCase{"NotRiff", "c.wav", std::vector<uint8_t>(64, 0), "File Error!! \r\nNot Wave File    \r\n\r\nc.wav",
                    "File Error"},
        RefusalCase{"Float", "d.wav", WaveBytes(FloatSamples()),
                    "File Format Error!! \r\n\r\nFile is not PCM format    \r\n\r\nd.wav", "File Format Error"},
        RefusalCase{"Stereo", "e.wav", WaveBytes(Stereo()),
                    "File Format Error!! \r\n\r\nFile is not Mono Channel format    \r\n\r\ne.wav",
                    "File Format Error"},
        RefusalCase{"Rate22050", "f.wav", WaveBytes(Rate(22050)),
                    "File Format Error!! \r\n\r\nSampling rate is not 11kHz     \r\n\r\nf.wav", "File Format Error"}),
    [](const testing::TestParamInfo<RefusalCase>& tested) { return tested.param.name; });

TEST(SoundFile, WaveFiguresCountFourDataBytesPerStreamByte)
{
    TempFolder folder;
    const auto bytes = MonoWave(std::vector<uint8_t>(22050, 0));
    FileMessage message;
    const auto figures = DescribeSoundFile(folder.Write("one second.wav", bytes), message);
    ASSERT_TRUE(figures);
    EXPECT_EQ(figures->size, bytes.size());
    EXPECT_EQ(figures->streamSize, 22050u / 4);
    EXPECT_EQ(figures->sampleRate, 11025u);
    EXPECT_EQ(PlayTimeText(figures->playTime), "1.00");
}

TEST(SoundFile, ApmWrittenIsReadBackAsItsStream)
{
    TempFolder folder;
    const std::vector<uint8_t> stream = PatternBytes(5000, 3);
    ASSERT_TRUE(WriteApmFile(folder.Path("hello.apm"), 11025, stream));
    const auto bytes = folder.Read("hello.apm");
    ASSERT_EQ(bytes.size(), 5032u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 32), ApmBytes(254, 1, 0));
    std::vector<uint8_t> read;
    ASSERT_EQ(ReadApmStream(folder.Path("hello.apm"), 5000, read), StreamRead::Read);
    EXPECT_EQ(read, stream);
    EXPECT_FALSE(folder.Exists("hello.apm.part"));
}

struct ApmReadCase {
    const char* name;
    size_t fileSize;  // 0: no file
    uint32_t maxSize;
    StreamRead result;
    size_t streamSize;
};

TEST(SoundFile, ApmStreamIsReadUpToItsBound)
{
    const ApmReadCase cases[] = {
        {"at the bound", 32 + 5000, 5000, StreamRead::Read, 5000},
        {"one byte over", 32 + 5001, 5000, StreamRead::TooLong, 0},
        {"no stream", 32, 0, StreamRead::Read, 0},
        {"shorter than its header", 31, 5000, StreamRead::Unreadable, 0},
        {"missing", 0, 5000, StreamRead::Unreadable, 0},
    };
    for (const ApmReadCase& c : cases) {
        TempFolder folder;
        if (c.fileSize > 0)
            folder.Write("x.apm", PatternBytes(c.fileSize, 4));
        std::vector<uint8_t> stream;
        EXPECT_EQ(ReadApmStream(folder.Path("x.apm"), c.maxSize, stream), c.result) << c.name;
        EXPECT_EQ(stream.size(), c.streamSize) << c.name;
    }
}

TEST(SoundFile, IntermediateCopyIsTheStreamBesideItsSource)
{
    TempFolder folder;
    EXPECT_EQ(IntermediateCopyPath("/a/hello.wav"), "/a/hello.wav.bin");
    ASSERT_TRUE(WriteIntermediateCopy(folder.Path("hello.wav"), {1, 2, 3}));
    EXPECT_EQ(folder.Read("hello.wav.bin"), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(SoundFile, KindFollowsTheLastThreeCharacters)
{
    EXPECT_TRUE(IsApmPath("x.APM"));
    EXPECT_TRUE(IsWavPath("/a/b.Wav"));
    EXPECT_FALSE(IsWavPath("wav.mp3"));
}

}  // namespace
}  // namespace skarnel::test
