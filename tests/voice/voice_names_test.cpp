#include "base/printable_text.h"
#include "tests/support/hostile_names.h"
#include "tests/support/temp_folder.h"
#include "tests/voice/voice_link.h"
#include "tests/voice/wave_fixtures.h"
#include "voice/voice_bundle.h"
#include "voice/voice_codes.h"
#include "voice/voice_jobs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace skarnel::test {
namespace {

namespace fs = std::filesystem;

VoiceSource WaveSound(const TempFolder& folder, const std::string& name)
{
    const std::vector<uint8_t> wave = MonoWave(PatternBytes(400, 1));
    return {folder.Write(name, wave), name, wave.size(), 11025};
}

TEST(VoiceNames, NonAsciiNamesRoundTripThroughTheVoiceFlash)
{
    struct Case {
        std::string file;
        std::string stored;
        std::string listed;
    };
    const std::vector<Case> cases = {
        {"Gr\xc3\xbc\xc3\x9f"
         "e.wav",
         "Gr\xfc\xdf"
         "e",
         "Gr\xc3\xbc\xc3\x9f"
         "e"},
        {"\xc3\x87"
         "a va.wav",
         "\xc7"
         "a va",
         "\xc3\x87"
         "a va"},
    };
    VoiceLink t(0x40000);
    TempFolder folder;
    std::vector<VoiceSource> sounds;
    for (const Case& c : cases)
        sounds.push_back(WaveSound(folder, c.file));
    std::string finalText;
    ASSERT_TRUE(Ended(SendVoiceSounds(t.link, sounds, 2, kVoiceModels[0], StopRequest{}), finalText)) << finalText;

    std::vector<VoiceFileInfo> records;
    ASSERT_TRUE(Ended(ListVoiceFiles(t.link, StopRequest{}, records), finalText)) << finalText;
    ASSERT_EQ(records.size(), cases.size());
    std::vector<fs::path> written;
    const fs::path backup = folder.Root() / "backup";
    fs::create_directory(backup);
    ASSERT_TRUE(Ended(BackupVoiceFiles(t.link, backup, StopRequest{}, written), finalText)) << finalText;
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto stored = records[i].name.begin();
        EXPECT_EQ(std::string(stored, stored + static_cast<std::ptrdiff_t>(cases[i].stored.size())), cases[i].stored);
        EXPECT_EQ(records[i].name[cases[i].stored.size()], 0);
        EXPECT_EQ(records[i].Name(), cases[i].listed);
        EXPECT_TRUE(fs::is_regular_file(backup / (cases[i].listed + ".apm"))) << cases[i].listed;
    }
}

TEST(VoiceNames, ANameLatin1LacksIsRefusedBeforeTheFlashIsErased)
{
    VoiceLink t(0x40000);
    TempFolder folder;
    // U+20AC would go as 0xAC and name another sound; a stray byte still goes as it is.
    const std::vector<VoiceSource> sounds = {WaveSound(folder, "ok\xff.wav"), WaveSound(folder, "\xe2\x82\xac.wav")};
    std::string finalText;
    EXPECT_FALSE(Ended(SendVoiceSounds(t.link, sounds, 2, kVoiceModels[0], StopRequest{}), finalText));
    EXPECT_EQ(finalText, "File Name Error : \xe2\x82\xac.wav (only Latin-1 characters)");
    EXPECT_TRUE(t.Requests(kCodeVoiceFlashInit).empty());
    EXPECT_TRUE(t.Requests(kCodeVoiceDataWrite).empty());
}

bool HoldsNoControlByte(const std::string& line)
{
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

TEST(VoiceNames, HostileNamesNeverLeaveTheBackupFolder)
{
    TempFolder root;
    const fs::path backup = root.Root() / "backup";
    const fs::path outside = root.Root() / "outside";
    fs::create_directories(backup);
    fs::create_directories(outside);
    const std::vector<std::string> names = HostileNames(outside);
    VoiceLink t;
    for (size_t first = 0; first < names.size(); first += kMaxVoiceFiles - 1) {
        std::vector<VoiceFileInfo> records;
        for (size_t i = first; i < std::min(names.size(), first + kMaxVoiceFiles - 1); ++i)
            records.push_back(StoredRecord(static_cast<uint16_t>(i - first), 1, kVoiceDataAddress, names[i]));
        t.StoreRecords(records);
        std::vector<fs::path> written;
        std::string finalText;
        ASSERT_TRUE(Ended(BackupVoiceFiles(t.link, backup, StopRequest{}, written), finalText)) << finalText;
        ASSERT_EQ(written.size(), records.size());
        for (const fs::path& path : written)
            EXPECT_TRUE(StaysDirectlyIn(backup, path)) << PrintableName(path.string());
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root.Root())) {
        if (entry.path() == backup || entry.path() == outside)
            continue;
        EXPECT_TRUE(StaysDirectlyIn(backup, entry.path())) << PrintableName(entry.path().string());
        EXPECT_EQ(entry.path().extension(), ".apm") << PrintableName(entry.path().string());
    }
    EXPECT_TRUE(fs::is_empty(outside));
    for (const std::string& line : t.reporter.LogLines())
        EXPECT_TRUE(HoldsNoControlByte(line)) << "a name must not break the log's lines: " << PrintableName(line);
}

}  // namespace
}  // namespace skarnel::test
