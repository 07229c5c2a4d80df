#include "base/byte_order.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_folder.h"
#include "tests/voice/wave_fixtures.h"
#include "voice/sound_file.h"
#include "voice/voice_bundle.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace skarnel::test {
namespace {

constexpr uint32_t kFlashSize = 0x190000;
constexpr uint32_t kModelCode = 0x00F430E4;

// A sound on disk and its list row.
VoiceSource WaveSource(const TempFolder& folder, const std::string& name, size_t dataSize)
{
    const std::string path = folder.Write(name, MonoWave(PatternBytes(dataSize, 1)));
    return {path, name, MonoWave({}).size() + dataSize, 11025};
}

VoiceSource ApmSource(const TempFolder& folder, const std::string& name, size_t streamSize)
{
    const std::string path = folder.Path(name);
    EXPECT_TRUE(WriteApmFile(path, 8000, PatternBytes(streamSize, 2)));
    return {path, name, 32 + streamSize, 8000};
}

VoiceFileInfo Slot(const VoiceImage& image, size_t slot)
{
    return VoiceFileInfo::Decode(RecordAt<VoiceFileInfo::kSize>(image.info, 32 * slot));
}

TEST(VoiceImage, PlacesSoundsOneAfterAnotherFrom0x2000)
{
    TempFolder folder;
    RecordingReporter reporter;
    const std::vector<VoiceSource> sounds{WaveSource(folder, "welcome_to_the_field.wav", 40'000),
                                          ApmSource(folder, "x.apm", 5000)};
    VoiceImage image;
    std::string failText;
    ASSERT_TRUE(BuildVoiceImage(sounds, 4, kFlashSize, StopRequest{}, reporter, image, failText));
    const VoiceFileInfo first = Slot(image, 0);
    EXPECT_EQ(first.size, 10'000u);
    EXPECT_EQ(first.address, 0x2000u);
    EXPECT_EQ(first.index, 0);
    EXPECT_EQ(first.indexCheck, 0xFFFF);
    EXPECT_EQ(first.sampleRate, 11025);
    EXPECT_EQ(first.Name(), "welcome_to_the_fi");
    const VoiceFileInfo second = Slot(image, 1);
    EXPECT_EQ(second.address, 0x4710u);
    EXPECT_EQ(second.indexCheck, 0xFFFE);
    EXPECT_EQ(second.sampleRate, 8000);
    EXPECT_EQ(second.Name(), "x");
    EXPECT_FALSE(Slot(image, 2).IsValid());
    EXPECT_EQ(image.data.size(), 15'000u);
    std::vector<uint8_t> apmStream;
    ASSERT_EQ(ReadApmStream(sounds[1].path, kFlashSize, apmStream), StreamRead::Read);
    EXPECT_TRUE(std::equal(apmStream.begin(), apmStream.end(), image.data.begin() + 10'000));
    EXPECT_EQ(folder.Read("welcome_to_the_field.wav.bin"),
              std::vector<uint8_t>(image.data.begin(), image.data.begin() + 10'000));
    EXPECT_EQ(reporter.LogLines(),
              (std::vector<std::string>{"1/2: welcome_to_the_field.wav. File Convert Start", "File Convert Success",
                                        "2/2: x.apm. File Convert Start"}));
}

TEST(VoiceImage, NameKeepsAtMost17CharactersOfTheStem)
{
    VoiceFileInfo info;
    for (const auto& [listed, stored] : std::vector<std::pair<std::string, std::string>>{
             {"ab.wav", "ab"}, {"x.apm", "x"}, {"abc", ""}, {"welcome_to_the_field.wav", "welcome_to_the_fi"}}) {
        info.SetNameFromListed(listed);
        EXPECT_EQ(info.Name(), stored);
        EXPECT_EQ(info.name.back(), 0);
    }
}

struct FitCase {
    uint32_t flashSize;
    bool fits;
};

class VoiceImageFit : public testing::TestWithParam<FitCase> {};

TEST_P(VoiceImageFit, StreamsAndTableMustFitTheFlash)
{
    TempFolder folder;
    RecordingReporter reporter;
    VoiceImage image;
    std::string failText;
    const bool built = BuildVoiceImage({ApmSource(folder, "a.apm", 1000)}, 4, GetParam().flashSize, StopRequest{},
                                       reporter, image, failText);
    EXPECT_EQ(built, GetParam().fits);
    EXPECT_EQ(failText, GetParam().fits ? "" : "Flash Memory Not Enough");
}

INSTANTIATE_TEST_SUITE_P(Sizes, VoiceImageFit,
                         testing::Values(FitCase{8192 + 1000, true}, FitCase{8192 + 999, false}, FitCase{0, false}));

class RecordedRows final : public VoiceBuildRows {
public:
    void MarkRow(size_t row, const char* mark) override { marks.push_back(std::to_string(row) + mark); }
    std::vector<std::string> marks;
};

TEST(VoiceImage, FailuresStopTheBuildWithTheirText)
{
    TempFolder folder;
    RecordingReporter reporter;
    VoiceImage image;
    std::string failText;
    RecordedRows rows;
    const VoiceSource good = ApmSource(folder, "a.apm", 10);
    const VoiceSource broken{folder.Write("b.wav", {1, 2, 3}), "b.wav", 3, 11025};
    EXPECT_FALSE(BuildVoiceImage({good, broken}, 4, kFlashSize, StopRequest{}, reporter, image, failText, &rows));
    EXPECT_EQ(failText, "File Convert Fail");
    EXPECT_EQ(rows.marks, (std::vector<std::string>{"0\xE2\x88\x9A", "0Ok", "1\xE2\x88\x9A", "1X"}));

    rows.marks.clear();
    EXPECT_FALSE(BuildVoiceImage({{folder.Path("gone.apm"), "gone.apm", 40, 8000}}, 4, kFlashSize, StopRequest{},
                                 reporter, image, failText, &rows));
    EXPECT_EQ(failText, "File Open Fail");
    EXPECT_EQ(rows.marks, (std::vector<std::string>{"0\xE2\x88\x9A"}));

    StopRequest stop;
    stop.Request();
    EXPECT_FALSE(BuildVoiceImage({good}, 4, kFlashSize, stop, reporter, image, failText));
    EXPECT_EQ(failText, "Thread Stop Flag Set");
}

// Files of several gigabytes, sparse on disk, so that reading them whole would show as the
// memory and time it takes.
std::string HugeApm(const TempFolder& folder)
{
    const std::string path = folder.Path("huge.apm");
    EXPECT_TRUE(WriteApmFile(path, 11025, {}));
    std::filesystem::resize_file(path, 5'000'000'000);
    return path;
}

std::string HugeWave(const TempFolder& folder)
{
    constexpr uint32_t kDataSize = 0xF0000000;
    std::vector<uint8_t> bytes = MonoWave({});
    WriteLe32(bytes.data() + 4, 36 + kDataSize);  // the RIFF chunk's size
    WriteLe32(bytes.data() + 40, kDataSize);      // the data chunk's size
    const std::string path = folder.Write("huge.wav", bytes);
    std::filesystem::resize_file(path, bytes.size() + kDataSize);
    return path;
}

TEST(VoiceImage, SoundsOfSeveralGigabytesAreRefusedUnread)
{
    TempFolder folder;
    const std::string sounds[] = {HugeApm(folder), HugeWave(folder)};
    for (const std::string& path : sounds) {
        RecordingReporter reporter;
        RecordedRows rows;
        VoiceImage image;
        std::string failText;
        const VoiceSource sound{path, std::filesystem::path(path).filename().string(), 0, 11025};
        EXPECT_FALSE(BuildVoiceImage({sound}, 4, kFlashSize, StopRequest{}, reporter, image, failText, &rows)) << path;
        EXPECT_EQ(failText, "Flash Memory Not Enough") << path;
        EXPECT_EQ(rows.marks, (std::vector<std::string>{"0\xE2\x88\x9A", "0X"})) << path;
        EXPECT_FALSE(folder.Exists("huge.wav.bin")) << path;
    }
}

TEST(VoiceImage, FillsEverySlotUpTo254)
{
    TempFolder folder;
    RecordingReporter reporter;
    const VoiceSource sound = ApmSource(folder, "a.apm", 3);
    VoiceImage image;
    std::string failText;
    ASSERT_TRUE(
        BuildVoiceImage(std::vector<VoiceSource>(255, sound), 4, kFlashSize, StopRequest{}, reporter, image, failText));
    EXPECT_EQ(Slot(image, 254).index, 254);
    EXPECT_EQ(Slot(image, 254).address, 0x2000u + 254 * 3);
    EXPECT_FALSE(
        BuildVoiceImage(std::vector<VoiceSource>(256, sound), 4, kFlashSize, StopRequest{}, reporter, image, failText));
}

TEST(VoiceBundleFile, PackageWritesHeaderTableAndData)
{
    TempFolder folder;
    RecordingReporter reporter;
    std::string finalText;
    ASSERT_TRUE(PackageVoiceBundle({WaveSource(folder, "hello.wav", 40'000)}, folder.Path("set.vdf"), 3, kModelCode,
                                   kFlashSize, StopRequest{}, reporter, finalText));
    EXPECT_EQ(finalText, "Bundle File Make Success");
    EXPECT_EQ(reporter.LogLines().back(), "File Header Create");
    const auto bytes = folder.Read("set.vdf");
    ASSERT_EQ(bytes.size(), 18'224u);
    const uint32_t expected[] = {0x005F12CD, 254, 1, 1, 8192, 10'000, 3, kModelCode};
    for (size_t k = 0; k < 8; ++k)
        EXPECT_EQ(ReadLe32(bytes.data() + 4 * k), expected[k]) << "header field " << k;
    EXPECT_EQ(ReadLe32(bytes.data() + 32 + 8160), 3u);
    EXPECT_EQ(ReadLe32(bytes.data() + 32 + 8164), kModelCode);
    EXPECT_EQ(VoiceFileInfo::Decode(RecordAt<VoiceFileInfo::kSize>(bytes, 32)).Name(), "hello");
    EXPECT_FALSE(folder.Exists("set.vdf.part"));
}

TEST(VoiceBundleFile, FailedPackageKeepsTheEarlierBundle)
{
    TempFolder folder;
    RecordingReporter reporter;
    std::string finalText;
    folder.Write("set.vdf", {9, 9, 9});
    EXPECT_FALSE(PackageVoiceBundle({{folder.Path("gone.wav"), "gone.wav", 100, 11025}}, folder.Path("set.vdf"), 1,
                                    kModelCode, kFlashSize, StopRequest{}, reporter, finalText));
    EXPECT_EQ(finalText, "File Convert Fail");
    EXPECT_EQ(folder.Read("set.vdf"), (std::vector<uint8_t>{9, 9, 9}));
    EXPECT_FALSE(folder.Exists("set.vdf.part"));
    EXPECT_FALSE(PackageVoiceBundle({}, folder.Path("no/such/folder/set.vdf"), 1, kModelCode, kFlashSize, StopRequest{},
                                    reporter, finalText));
    EXPECT_EQ(finalText, "Target File Create - Fail");
}

// A bundle of one 100-byte sound with the header fields changed as the case says.
std::vector<uint8_t> BundleBytes(void (*change)(VoiceBundleHeader&), size_t cut = 0)
{
    VoiceBundleHeader header;
    header.fileCount = 1;
    header.dataSize = 100;
    header.voiceDataVersion = 2;
    change(header);
    const auto headerBytes = header.Encode();
    std::vector<uint8_t> bytes(headerBytes.begin(), headerBytes.end());
    VoiceFileInfo info = VoiceFileInfo::ForSlot(0);
    info.size = 100;
    info.address = 0x2000;
    const auto record = info.Encode();
    bytes.insert(bytes.end(), record.begin(), record.end());
    bytes.resize(32 + 8192 + 100 - cut, 0x33);
    return bytes;
}

struct CheckCase {
    const char* name;
    std::vector<uint8_t> bytes;
    std::optional<uint32_t> controllerVersion;
    std::string failText;
};

class VoiceBundleCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(VoiceBundleCheck, RefusesOrAcceptsAsTheHeaderSays)
{
    TempFolder folder;
    RecordingReporter reporter;
    VoiceBundle bundle;
    std::string failText;
    const bool accepted = CheckVoiceBundle(folder.Write("b.vdf", GetParam().bytes), GetParam().controllerVersion, true,
                                           reporter, bundle, failText);
    EXPECT_EQ(accepted, GetParam().failText.empty());
    EXPECT_EQ(failText, GetParam().failText);
    if (accepted) {
        EXPECT_EQ(bundle.data, std::vector<uint8_t>(100, 0x33));
        ASSERT_EQ(bundle.Records().size(), 1u);
        EXPECT_EQ(bundle.Records()[0].size, 100u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, VoiceBundleCheck,
    testing::Values(CheckCase{"Written", BundleBytes([](VoiceBundleHeader&) {}), 2, ""},
                    CheckCase{"NoControllerKnown", BundleBytes([](VoiceBundleHeader&) {}), std::nullopt, ""},
                    CheckCase{"ChecksAddingTo255", BundleBytes([](VoiceBundleHeader& h) {
                                  h.checkValueA = 200;
                                  h.checkValueB = 55;
                              }),
                              2, ""},
                    CheckCase{"ChecksAddingTo256", BundleBytes([](VoiceBundleHeader& h) { h.checkValueB = 2; }), 2,
                              "File Header Check Value Mismatch"},
                    CheckCase{"ChecksWrappingTo255", BundleBytes([](VoiceBundleHeader& h) {
                                  h.checkValueA = 0xFFFFFFFF;
                                  h.checkValueB = 256;
                              }),
                              2, "File Header Check Value Mismatch"},
                    CheckCase{"WrongMagic", BundleBytes([](VoiceBundleHeader& h) { h.fileMagic = 0x005F12CE; }), 2,
                              "File Header Flag Mismatch"},
                    CheckCase{"OtherVersion", BundleBytes([](VoiceBundleHeader& h) { h.voiceDataVersion = 3; }), 2,
                              "Voice Data Version Mismatch"},
                    CheckCase{"Truncated", BundleBytes([](VoiceBundleHeader&) {}, 1), 2, "File Size Mismatch"},
                    CheckCase{"InfoSizeNotTheTable", BundleBytes([](VoiceBundleHeader& h) { h.infoSize = 8192 + 32; }),
                              2, "File Header Info Mismatch"},
                    CheckCase{"MoreRecordsThanSlots", BundleBytes([](VoiceBundleHeader& h) { h.fileCount = 256; }), 2,
                              "File Header Info Mismatch"},
                    CheckCase{"ShorterThanAHeader", std::vector<uint8_t>(10, 0), 2, "File Header Flag Mismatch"}),
    [](const testing::TestParamInfo<CheckCase>& tested) { return tested.param.name; });

TEST(VoiceBundleCheck, LogsBothVersionsOnAMismatch)
{
    TempFolder folder;
    RecordingReporter reporter;
    VoiceBundle bundle;
    std::string failText;
    const auto path = folder.Write("b.vdf", BundleBytes([](VoiceBundleHeader& h) { h.voiceDataVersion = 3; }));
    EXPECT_FALSE(CheckVoiceBundle(path, 2, false, reporter, bundle, failText));
    EXPECT_EQ(reporter.LogLines(),
              (std::vector<std::string>{"Voice Data Version Mismatch",
                                        "Voice File Version : 3, Controller Voice Data Version : 2"}));
    reporter.Clear();
    EXPECT_TRUE(CheckVoiceBundle(path, 3, false, reporter, bundle, failText));
    EXPECT_EQ(reporter.LogLines(), (std::vector<std::string>{"Voice File Version : 3, Voice File Count : 1"}));
    EXPECT_TRUE(bundle.data.empty());
    EXPECT_FALSE(CheckVoiceBundle(folder.Path("none.vdf"), 3, false, reporter, bundle, failText));
    EXPECT_EQ(failText, "File Open Fail");
}

TEST(VoiceBundleCheck, DataMustFitTheFlashLessTwoTables)
{
    VoiceBundleHeader header;
    header.dataSize = 1'622'016;
    EXPECT_TRUE(BundleFitsFlash(header, 0x190000));
    header.dataSize += 1;
    EXPECT_FALSE(BundleFitsFlash(header, 0x190000));
    header.dataSize = 0;
    EXPECT_FALSE(BundleFitsFlash(header, 8192));
}

}  // namespace
}  // namespace skarnel::test
