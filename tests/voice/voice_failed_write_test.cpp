#include "tests/support/file_size_limit.h"
#include "tests/support/old_file.h"
#include "tests/support/processes.h"
#include "tests/support/temp_folder.h"
#include "tests/voice/voice_link.h"
#include "tests/voice/wave_fixtures.h"
#include "voice/voice_bundle.h"
#include "voice/voice_codes.h"
#include "voice/voice_jobs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>

namespace skarnel::test {
namespace {

// Short of every file below: a backup fails in its second chunk, a bundle in its info table.
constexpr size_t kFileSizeLimit = 2048;

// A WAV file whose stream is streamSize bytes, as the file selection lists it.
VoiceSource WaveSound(const TempFolder& folder, const std::string& name, size_t streamSize)
{
    const std::vector<uint8_t> wave = MonoWave(PatternBytes(4 * streamSize, 7));
    return {folder.Write(name, wave), name, wave.size(), 11025};
}

// A file the voice writers make, written on a disk that fills up half-way through it; the
// texts the writer ended with.
struct VoiceWriter {
    const char* name;
    const char* target;
    std::function<std::vector<std::string>(VoiceLink&, const TempFolder& folder)> run;
    std::vector<std::string> told;
};

const VoiceWriter kWriters[] = {
    {"FileBackup",
     "hello.apm",
     [](VoiceLink& t, const TempFolder& folder) {
         t.StoreRecords({StoredRecord(0, 3000, kVoiceDataAddress, "hello")});
         const std::vector<uint8_t> sound = PatternBytes(3000, 4);
         std::copy(sound.begin(), sound.end(), t.flash().Memory().begin() + kVoiceDataAddress);
         std::vector<std::filesystem::path> written;
         const JobOutcome outcome = UnderFileSizeLimit(
             kFileSizeLimit, [&] { return BackupVoiceFiles(t.link, folder.Root(), StopRequest{}, written); });
         EXPECT_FALSE(outcome.succeeded);
         return std::vector<std::string>{t.reporter.LogLines().back(), outcome.finalText};
     },
     {"File Creat Fail", "ADPCM #0. File Data Read Fail."}},
    {"Bundle",
     "set.vdf",
     [](VoiceLink& t, const TempFolder& folder) {
         const VoiceModel& model = kVoiceModels[0];
         const std::vector<VoiceSource> sounds{WaveSound(folder, "hello.wav", 3000)};
         std::string finalText;
         const bool made = UnderFileSizeLimit(kFileSizeLimit, [&] {
             return PackageVoiceBundle(sounds, folder.Path("set.vdf"), 2, model.modelCode, model.flashSize,
                                       StopRequest{}, t.reporter, finalText);
         });
         EXPECT_FALSE(made);
         return std::vector<std::string>{finalText};
     },
     {"Target File Write - Fail"}},
    {"SoundFileFromWave",
     "hello.apm",
     [](VoiceLink&, const TempFolder& folder) {
         const VoiceSource sound = WaveSound(folder, "hello.wav", 3000);
         const std::vector<std::string> encode{"voice", "encode", sound.path.string(), "-o", folder.Path("hello.apm")};
         const CommandResult result = UnderFileSizeLimit(kFileSizeLimit, [&] { return RunCli(encode); });
         EXPECT_EQ(result.exitCode, 1);
         return std::vector<std::string>{OutputLines(result.out).back()};
     },
     {"File Creat Fail"}},
    // The raw copy beside a converted sound is a by-product: the job goes on without it.
    {"SideCopyOfAConvertedSound",
     "hello.wav.bin",
     [](VoiceLink& t, const TempFolder& folder) {
         const std::vector<VoiceSource> sounds{WaveSound(folder, "hello.wav", 3000)};
         const JobOutcome outcome = UnderFileSizeLimit(
             kFileSizeLimit, [&] { return SendVoiceSounds(t.link, sounds, 2, kVoiceModels[1], StopRequest{}); });
         EXPECT_TRUE(outcome.succeeded);
         return std::vector<std::string>{outcome.finalText};
     },
     {"File Download Complete"}},
};

void PrintTo(const VoiceWriter& row, std::ostream* out)
{
    *out << row.name;
}

class VoiceFailedWrite : public testing::TestWithParam<VoiceWriter> {};

TEST_P(VoiceFailedWrite, KeepsTheOldFileAndSaysSo)
{
    const VoiceWriter& writer = GetParam();
    VoiceLink t(0x40000);
    TempFolder folder;
    const OldFile old(folder.Root() / writer.target, PatternBytes(100, 9));
    EXPECT_EQ(writer.run(t, folder), writer.told);
    EXPECT_TRUE(old.Kept());
    EXPECT_EQ(PartFilesUnder(folder.Root()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Writers, VoiceFailedWrite, testing::ValuesIn(kWriters),
                         [](const auto& entry) { return std::string(entry.param.name); });

}  // namespace
}  // namespace skarnel::test
