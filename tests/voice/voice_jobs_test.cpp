#include "base/byte_order.h"
#include "base/format.h"
#include "tests/support/temp_folder.h"
#include "tests/voice/voice_link.h"
#include "tests/voice/wave_fixtures.h"
#include "voice/voice_bundle.h"
#include "voice/voice_codes.h"
#include "voice/voice_jobs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarnel::test {
namespace {

using sim::FaultKind;

constexpr uint32_t kSmallFlash = 0x10000;  // 16 sectors

// A bundle file of sounds of these sizes and names, for voice data version `version`.
std::string WriteBundle(const TempFolder& folder, const std::vector<std::pair<uint32_t, std::string>>& sounds,
                        uint32_t version, std::vector<uint8_t>* dataOut = nullptr)
{
    VoiceBundleHeader header;
    header.fileCount = static_cast<uint32_t>(sounds.size());
    header.voiceDataVersion = version;
    std::vector<uint8_t> info(kVoiceInfoTableSize, 0);
    std::vector<uint8_t> data;
    for (size_t slot = 0; slot < sounds.size(); ++slot) {
        const VoiceFileInfo record =
            StoredRecord(static_cast<uint16_t>(slot), sounds[slot].first,
                         kVoiceDataAddress + static_cast<uint32_t>(data.size()), sounds[slot].second);
        const auto bytes = record.Encode();
        std::copy(bytes.begin(), bytes.end(), info.begin() + static_cast<std::ptrdiff_t>(slot * bytes.size()));
        const std::vector<uint8_t> stream = PatternBytes(sounds[slot].first, static_cast<uint32_t>(slot + 1));
        data.insert(data.end(), stream.begin(), stream.end());
    }
    header.dataSize = static_cast<uint32_t>(data.size());
    WriteVersionSlot(info.data(), version, 0x00F430E4);
    const auto headerBytes = header.Encode();
    std::vector<uint8_t> file(headerBytes.begin(), headerBytes.end());
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), data.begin(), data.end());
    if (dataOut)
        *dataOut = data;
    return folder.Write("set.vdf", file);
}

std::vector<uint8_t> Codes(const VoiceLink& t)
{
    std::vector<uint8_t> codes;
    for (const sim::Request& request : t.device->engine().RequestLog())
        if (request.group == kGroupVoiceFlash && (codes.empty() || codes.back() != request.code))
            codes.push_back(request.code);
    return codes;
}

TEST(VoiceBundleDownload, ErasesThenWritesTheDataThenTheInfoTable)
{
    VoiceLink t(kSmallFlash);
    TempFolder folder;
    std::vector<uint8_t> data;
    const std::string bundle = WriteBundle(folder, {{5000, "hello"}, {3000, "welcome"}}, 2, &data);
    std::string finalText;
    ASSERT_TRUE(Ended(DownloadVoiceBundle(t.link, bundle, StopRequest{}), finalText));
    EXPECT_EQ(finalText, "File Download Complete");
    EXPECT_EQ(Codes(t), (std::vector<uint8_t>{kCodeVoiceFlashInfo, kCodeVoiceFlashInit, kCodeVoiceDataWrite,
                                              kCodeVoiceInfoWrite}));
    EXPECT_EQ(t.reporter.LogLines(),
              (std::vector<std::string>{
                  "RF Process Pause",
                  "ExFlash Version Read. Sector Size:0x1000.  Flash Size:0x10000. Sector Count:0x10,  Voice Version:2",
                  "Voice File Version : 2", "Download Start Command Send. Flash Initialize", "File Data Send Start",
                  "File Info Send Start"}));
    const std::vector<uint8_t> file = folder.Read("set.vdf");
    EXPECT_TRUE(std::equal(file.begin() + 32, file.begin() + 32 + kVoiceInfoTableSize, t.flash().bytes.begin()));
    EXPECT_TRUE(std::equal(data.begin(), data.end(), t.flash().bytes.begin() + kVoiceDataAddress));
}

struct RefusalCase {
    const char* name;
    uint32_t bundleVersion;
    bool answerYes;
    std::optional<FaultKind> flashInfoFault;
    std::string finalText;
};

class VoiceBundleRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(VoiceBundleRefusal, NothingIsErased)
{
    VoiceLink t(kSmallFlash);
    TempFolder folder;
    const std::string bundle = WriteBundle(folder, {{100, "a"}}, GetParam().bundleVersion);
    t.reporter.AnswerQuestionsWith(GetParam().answerYes);
    if (GetParam().flashInfoFault)
        t.AddFault(*GetParam().flashInfoFault, kCodeVoiceFlashInfo, 6);
    std::string finalText;
    EXPECT_FALSE(Ended(DownloadVoiceBundle(t.link, bundle, StopRequest{}), finalText));
    EXPECT_EQ(finalText, GetParam().finalText);
    EXPECT_TRUE(t.Requests(kCodeVoiceFlashInit).empty());
    EXPECT_EQ(t.flash().eraseCount, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, VoiceBundleRefusal,
    testing::Values(RefusalCase{"OtherVoiceDataVersion", 3, true, std::nullopt, "Voice Data Version Mismatch"},
                    RefusalCase{"RfStaysOn", 2, false, std::nullopt, "RF switch off - Canceled"},
                    RefusalCase{"FlashInformationUnread", 2, true, FaultKind::NoReply, "Flash Version Read Fail"}),
    [](const testing::TestParamInfo<RefusalCase>& c) { return std::string(c.param.name); });

TEST(VoiceBundleDownload, VersionMismatchNamesBothVersions)
{
    VoiceLink t(kSmallFlash);
    TempFolder folder;
    std::string finalText;
    EXPECT_FALSE(Ended(DownloadVoiceBundle(t.link, WriteBundle(folder, {{100, "a"}}, 3), StopRequest{}), finalText));
    const auto lines = t.reporter.LogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Voice Data Version Mismatch");
    EXPECT_EQ(lines.back(), "Voice File Version : 3, Controller Voice Data Version : 2");
}

TEST(VoiceBundleDownload, FailedDataWriteEndsBeforeTheInfoTable)
{
    VoiceLink t(kSmallFlash);
    TempFolder folder;
    t.AddFault(FaultKind::Nak, kCodeVoiceDataWrite, 4);
    std::string finalText;
    EXPECT_FALSE(Ended(DownloadVoiceBundle(t.link, WriteBundle(folder, {{5000, "a"}}, 2), StopRequest{}), finalText));
    EXPECT_EQ(finalText, "File Data Send Fail");
    EXPECT_TRUE(t.Requests(kCodeVoiceInfoWrite).empty());
}

// A 16-bit mono WAV file whose stream is streamSize bytes, as the file selection lists it.
VoiceSource WaveSound(const TempFolder& folder, const std::string& name, size_t streamSize)
{
    const std::vector<uint8_t> wave = MonoWave(PatternBytes(4 * streamSize, static_cast<uint32_t>(streamSize)));
    return {folder.Write(name, wave), name, wave.size(), 11025};
}

TEST(VoiceSoundsSend, ConvertsThenErasesThenWritesWithTheVersionSlot)
{
    VoiceLink t(0x40000);
    TempFolder folder;
    const VoiceModel& model = kVoiceModels[1];
    std::string finalText;
    ASSERT_TRUE(Ended(SendVoiceSounds(t.link, {WaveSound(folder, "a.wav", 3000), WaveSound(folder, "bee.wav", 5000)}, 7,
                                      model, StopRequest{}),
                      finalText));
    EXPECT_EQ(finalText, "File Download Complete");
    EXPECT_EQ(Codes(t), (std::vector<uint8_t>{kCodeVoiceFlashInfo, kCodeVoiceFlashInit, kCodeVoiceDataWrite,
                                              kCodeVoiceInfoWrite}));
    EXPECT_EQ(t.Count("2/2: bee.wav. File Convert Start"), 1);
    const std::vector<uint8_t>& flash = t.flash().bytes;
    const VoiceFileInfo second = VoiceFileInfo::Decode(RecordAt<VoiceFileInfo::kSize>(flash, 32));
    EXPECT_EQ(second.Name(), "bee");
    EXPECT_EQ(second.address, kVoiceDataAddress + 3000);
    EXPECT_EQ(ReadLe32(flash.data() + kVoiceVersionSlotOffset), 7u);
    EXPECT_EQ(ReadLe32(flash.data() + kVoiceVersionSlotOffset + 4), model.modelCode);
    EXPECT_EQ(folder.Read("bee.wav.bin").size(), 5000u);
    EXPECT_TRUE(std::equal(flash.begin() + kVoiceDataAddress + 3000, flash.begin() + kVoiceDataAddress + 8000,
                           folder.Read("bee.wav.bin").begin()));
}

struct SendRefusal {
    const char* name;
    uint32_t controllerFlash;
    size_t streamSize;
    bool missingFile;
    std::string finalText;
};

class VoiceSoundsFit : public testing::TestWithParam<SendRefusal> {};

TEST_P(VoiceSoundsFit, NothingIsErasedUnlessEverySoundIsConvertedAndFits)
{
    VoiceLink t(GetParam().controllerFlash);
    TempFolder folder;
    VoiceSource sound = WaveSound(folder, "a.wav", GetParam().streamSize);
    if (GetParam().missingFile)
        sound.path = folder.Path("gone.wav");
    std::string finalText;
    const bool sent = Ended(SendVoiceSounds(t.link, {sound}, 2, kVoiceModels[0], StopRequest{}), finalText);
    EXPECT_EQ(sent, GetParam().finalText == "File Download Complete");
    EXPECT_EQ(finalText, GetParam().finalText);
    EXPECT_EQ(t.Requests(kCodeVoiceFlashInit).empty(), !sent);
}

INSTANTIATE_TEST_SUITE_P(
    Sounds, VoiceSoundsFit,
    testing::Values(SendRefusal{"Unconvertible", 0x40000, 100, true, "File Convert Fail"},
                    SendRefusal{"LargerThanTheControllersFlash", 0x4000, 8193, false, "Flash Memory Not Enough"},
                    SendRefusal{"FillsTheControllersFlash", 0x4000, 8192, false, "File Download Complete"}),
    [](const testing::TestParamInfo<SendRefusal>& c) { return std::string(c.param.name); });

TEST(VoiceFileList, StopsAtTheFirstInvalidSlot)
{
    VoiceLink t;
    t.StoreRecords({StoredRecord(0, 100, 0x2000, "a"), StoredRecord(1, 300, 0x2064, "bee")});
    std::vector<VoiceFileInfo> records;
    std::string finalText;
    ASSERT_TRUE(Ended(ListVoiceFiles(t.link, StopRequest{}, records), finalText));
    EXPECT_EQ(finalText, "File List Read Complete");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].Name(), "bee");
    EXPECT_EQ(t.Count("ADPCM #1. File Info Read Ok. File Name : bee. File Size : 300. File Address : 0x2064"), 1);
    EXPECT_EQ(t.reporter.LogLines().back(), "ADPCM #2. File Info Invalid.");
}

TEST(VoiceFileList, AFullTableEndsAfterSlot254)
{
    VoiceLink t;
    std::vector<VoiceFileInfo> stored;
    for (uint16_t slot = 0; slot < kMaxVoiceFiles; ++slot)
        stored.push_back(StoredRecord(slot, 10, kVoiceDataAddress + 10u * slot, Format("s%d", slot)));
    t.StoreRecords(stored);
    std::vector<VoiceFileInfo> records;
    std::string finalText;
    ASSERT_TRUE(Ended(ListVoiceFiles(t.link, StopRequest{}, records), finalText));
    EXPECT_EQ(records.size(), kMaxVoiceFiles);
    EXPECT_EQ(t.Requests(kCodeVoiceFileInfoRead).size(), kMaxVoiceFiles);
}

TEST(VoiceFileList, StopRequestEndsTheLoop)
{
    VoiceLink t;
    StopRequest stop;
    stop.Request();
    std::vector<VoiceFileInfo> records;
    std::string finalText;
    EXPECT_FALSE(Ended(ListVoiceFiles(t.link, stop, records), finalText));
    EXPECT_EQ(finalText, "Thread Stop Flag Set");
    EXPECT_TRUE(t.Requests(kCodeVoiceFileInfoRead).empty());
}

TEST(VoiceFileList, ARecordThatCannotBeReadFailsTheListKeepingTheRecordsBeforeIt)
{
    VoiceLink t;
    t.StoreRecords({StoredRecord(0, 100, 0x2000, "a"), StoredRecord(1, 300, 0x2064, "bee")});
    t.AddFault(FaultKind::Nak, kCodeVoiceFileInfoRead, 1, 2);
    std::vector<VoiceFileInfo> records;
    std::string finalText;
    EXPECT_FALSE(Ended(ListVoiceFiles(t.link, StopRequest{}, records), finalText));
    EXPECT_EQ(finalText, "ADPCM #1. File Info Read Fail");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Name(), "a");
}

TEST(VoiceFileBackupJob, ARecordThatCannotBeReadInTheListFailsTheBackupBeforeAnyFile)
{
    VoiceLink t;
    TempFolder folder;
    t.StoreRecords({StoredRecord(0, 10, 0x2000, "hello"), StoredRecord(1, 20, 0x200A, "owl")});
    t.AddFault(FaultKind::Nak, kCodeVoiceFileInfoRead, 1, 2);
    std::vector<std::filesystem::path> written;
    std::string finalText;
    EXPECT_FALSE(Ended(BackupVoiceFiles(t.link, folder.Root(), StopRequest{}, written), finalText));
    EXPECT_EQ(finalText, "ADPCM #1. File Info Read Fail");
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Root()));
}

TEST(VoiceFileBackupJob, WritesEveryStoredSoundUnderASafeName)
{
    VoiceLink t;
    TempFolder folder;
    const std::filesystem::path backup = folder.Root() / "ADPCM_Backup";
    std::filesystem::create_directories(backup);
    t.StoreRecords({StoredRecord(0, 3000, 0x2000, "hello"), StoredRecord(1, 100, 0x2BB8, "../up"),
                    StoredRecord(2, 100, 0x2C1C, "a/b"), StoredRecord(3, 100, 0x2C80, "")});
    const std::vector<uint8_t> sounds = PatternBytes(3300, 4);
    std::copy(sounds.begin(), sounds.end(), t.flash().Memory().begin() + kVoiceDataAddress);
    std::vector<std::filesystem::path> written;
    std::string finalText;
    ASSERT_TRUE(Ended(BackupVoiceFiles(t.link, backup, StopRequest{}, written), finalText));
    EXPECT_EQ(finalText, "File Backup Complete");
    EXPECT_EQ(written, (std::vector<std::filesystem::path>{backup / "hello.apm", backup / "___up.apm",
                                                           backup / "a_b.apm", backup / "NONAME.apm"}));
    EXPECT_FALSE(std::filesystem::exists(folder.Root() / "up.apm"));
    const std::vector<uint8_t> hello = folder.Read("ADPCM_Backup/hello.apm");
    ASSERT_EQ(hello.size(), 32u + 3000);
    EXPECT_EQ(ReadLe32(hello.data() + 12), 11025u);
    EXPECT_TRUE(std::equal(sounds.begin(), sounds.begin() + 3000, hello.begin() + 32));
    EXPECT_EQ(t.Count("ADPCM #0. File Data Read Ok."), 1);
}

TEST(VoiceFileBackupJob, SoundsOfOneNameGetFilesOfTheirOwn)
{
    VoiceLink t;
    TempFolder folder;
    t.StoreRecords({StoredRecord(0, 10, 0x2000, "hello"), StoredRecord(1, 20, 0x200A, "hello"),
                    StoredRecord(2, 30, 0x201E, "hello_1")});
    std::vector<std::filesystem::path> written;
    std::string finalText;
    ASSERT_TRUE(Ended(BackupVoiceFiles(t.link, folder.Root(), StopRequest{}, written), finalText));
    EXPECT_EQ(written, (std::vector<std::filesystem::path>{folder.Root() / "hello.apm", folder.Root() / "hello_1.apm",
                                                           folder.Root() / "hello_1_2.apm"}));
    EXPECT_EQ(folder.Read("hello.apm").size(), 32u + 10);
    EXPECT_EQ(folder.Read("hello_1.apm").size(), 32u + 20);
    EXPECT_EQ(folder.Read("hello_1_2.apm").size(), 32u + 30);
}

TEST(VoiceFileBackupJob, AnEmptyTableIsACompleteBackupOfNothing)
{
    VoiceLink t;
    TempFolder folder;
    t.StoreRecords({});
    std::vector<std::filesystem::path> written;
    std::string finalText;
    ASSERT_TRUE(Ended(BackupVoiceFiles(t.link, folder.Root(), StopRequest{}, written), finalText));
    EXPECT_EQ(finalText, "File Backup Complete");
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Root()));
}

}  // namespace
}  // namespace skarnel::test
