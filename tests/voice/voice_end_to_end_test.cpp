#include "base/byte_order.h"
#include "tests/support/processes.h"
#include "tests/support/temp_folder.h"
#include "tests/voice/wave_fixtures.h"
#include "voice/voice_file_info.h"
#include "voice/wave_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace skarnel::test {
namespace {

constexpr size_t kHeaderSize = 32;

std::string LastLine(const CommandResult& result)
{
    const auto lines = OutputLines(result.out);
    return lines.empty() ? std::string() : lines.back();
}

std::vector<uint8_t> Tone(size_t samples, double period)
{
    std::vector<int16_t> values(samples);
    for (size_t i = 0; i < samples; ++i)
        values[i] = static_cast<int16_t>(9000 * std::sin(static_cast<double>(i) / period));
    return MonoWave(Samples16(values));
}

// A simulated controller process with a small voice flash kept in a state folder.
struct VoiceController {
    explicit VoiceController(std::string voiceVersion = "2") : version(std::move(voiceVersion)) { Start(); }
    void Start()
    {
        sim = std::make_unique<SimProcess>(std::vector<std::string>{"--state-dir", state.path(), "--voice-flash-size",
                                                                    "0x40000", "--voice-data-version", version});
    }
    CommandResult Cli(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--port", sim->DevicePath(), "--yes"});
        return RunCli(arguments);
    }

    std::string version;
    TempFolder state;
    std::unique_ptr<SimProcess> sim;
};

// Two WAV files and one .apm file packaged into set.vdf.
struct VoiceSet {
    VoiceSet()
    {
        Write("hello.wav", Tone(11000, 5));
        Write("welcome_to_the_field.wav", Tone(4000, 9));
        const CommandResult encode = RunCli({"voice", "encode", folder.Path("hello.wav"), "-o", folder.Path("x.apm")});
        EXPECT_EQ(encode.exitCode, 0) << encode.out;
        const CommandResult bundle =
            RunCli({"voice", "bundle", folder.Path("hello.wav"), folder.Path("welcome_to_the_field.wav"),
                    folder.Path("x.apm"), "-o", folder.Path("set"), "--version", "2"});
        EXPECT_EQ(bundle.exitCode, 0) << bundle.out;
        EXPECT_EQ(LastLine(bundle), "Bundle File Make Success");
        bytes = folder.Read("set.vdf");
    }
    void Write(const std::string& name, const std::vector<uint8_t>& data) const { folder.Write(name, data); }
    std::string Path() const { return folder.Path("set.vdf"); }
    VoiceFileInfo Record(size_t slot) const
    {
        return VoiceFileInfo::Decode(RecordAt<VoiceFileInfo::kSize>(bytes, kHeaderSize + 32 * slot));
    }
    // The stream of a sound as the bundle carries it.
    std::vector<uint8_t> Stream(size_t slot) const
    {
        const VoiceFileInfo record = Record(slot);
        const auto from = bytes.begin() + kHeaderSize + kVoiceInfoTableSize + (record.address - kVoiceDataAddress);
        return {from, from + record.size};
    }

    TempFolder folder;
    std::vector<uint8_t> bytes;
};

TEST(VoiceEndToEnd, DownloadedBundleReadsBackByteForByteAndSurvivesARestart)
{
    VoiceSet set;
    VoiceController controller;
    const CommandResult download = controller.Cli({"voice", "download", set.Path()});
    ASSERT_EQ(download.exitCode, 0) << download.out;
    EXPECT_EQ(LastLine(download), "File Download Complete");

    TempFolder backup;
    const CommandResult read = controller.Cli({"voice", "backup", backup.path()});
    ASSERT_EQ(read.exitCode, 0) << read.out;
    EXPECT_EQ(LastLine(read), "File Backup Complete");
    const char* names[] = {"hello.apm", "welcome_to_the_fi.apm"};
    for (size_t slot = 0; slot < 2; ++slot) {
        const std::vector<uint8_t> file = backup.Read(names[slot]);
        ASSERT_GT(file.size(), kHeaderSize) << names[slot];
        EXPECT_EQ(ReadLe32(file.data() + 12), 11025u);
        EXPECT_EQ(std::vector<uint8_t>(file.begin() + kHeaderSize, file.end()), set.Stream(slot)) << names[slot];
    }

    controller.sim.reset();
    const std::vector<uint8_t> flash = controller.state.Read("voice_flash.bin");
    ASSERT_EQ(flash.size(), 0x40000u);
    EXPECT_TRUE(std::equal(set.bytes.begin() + kHeaderSize, set.bytes.end(), flash.begin()));

    controller.Start();
    const CommandResult list = controller.Cli({"voice", "list"});
    ASSERT_EQ(list.exitCode, 0) << list.out;
    const auto lines = OutputLines(list.out);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines.back(), "File List Read Complete");
    EXPECT_EQ(lines[lines.size() - 5], "1  hello  5500  1.00  8192  11025");
    EXPECT_EQ(lines[lines.size() - 3], "3  x  5500  1.00  15692  11025");
    // The stream bytes against the flash without its info table.
    EXPECT_EQ(lines[lines.size() - 2], "13000 / 253952 (5 %)");
}

TEST(VoiceEndToEnd, SendWritesTheSoundsStraightIntoTheFlash)
{
    VoiceSet set;
    VoiceController controller;
    const CommandResult send = controller.Cli({"voice", "send", set.folder.Path("hello.wav"), set.folder.Path("x.apm"),
                                               "--version", "2", "--model", "KR-70"});
    ASSERT_EQ(send.exitCode, 0) << send.out;
    EXPECT_EQ(LastLine(send), "File Download Complete");
    controller.sim.reset();
    const std::vector<uint8_t> flash = controller.state.Read("voice_flash.bin");
    ASSERT_EQ(flash.size(), 0x40000u);
    EXPECT_EQ(VoiceFileInfo::Decode(RecordAt<VoiceFileInfo::kSize>(flash, 32)).Name(), "x");
    EXPECT_EQ(ReadLe32(flash.data() + kVoiceVersionSlotOffset + 4), 0x00F437ECu);
    const std::vector<uint8_t> hello = set.Stream(0);
    EXPECT_TRUE(std::equal(hello.begin(), hello.end(), flash.begin() + kVoiceDataAddress));
    EXPECT_TRUE(std::equal(hello.begin(), hello.end(), flash.begin() + kVoiceDataAddress + hello.size()));
}

TEST(VoiceEndToEnd, EncodedSoundIsTheStreamOfTheConverter)
{
    VoiceSet set;
    CWave_Control wave;
    std::vector<uint8_t> stream;
    ASSERT_GT(wave.ConvertToAdpcm(set.folder.Path("hello.wav"), stream, kVoiceResolution), 0);
    const std::vector<uint8_t> apm = set.folder.Read("x.apm");
    EXPECT_EQ(std::vector<uint8_t>(apm.begin() + kHeaderSize, apm.end()), stream);
    EXPECT_EQ(set.Stream(0), stream);
}

TEST(VoiceEndToEnd, PlayAsksTheControllerAndAnEmptySlotIsRefused)
{
    VoiceSet set;
    VoiceController controller;
    ASSERT_EQ(controller.Cli({"voice", "download", set.Path()}).exitCode, 0);
    const CommandResult played = controller.Cli({"voice", "play", "1"});
    EXPECT_EQ(played.exitCode, 0) << played.out;
    EXPECT_EQ(LastLine(played), "ADPCM Play Command Send");
    const CommandResult refused = controller.Cli({"voice", "play", "7"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(OutputLines(refused.out), (std::vector<std::string>{"Nack Receive", "ADPCM Play Command Send Fail"}));
}

TEST(VoiceEndToEnd, BundleOfAnotherVoiceDataVersionIsRefusedBeforeTheErase)
{
    VoiceSet set;
    VoiceController controller("3");
    const CommandResult info = controller.Cli({"voice", "info"});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(LastLine(info),
              "ExFlash Version Read. Sector Size:0x1000.  Flash Size:0x40000. Sector Count:0x40,  Voice Version:3");
    const CommandResult download = controller.Cli({"voice", "download", set.Path()});
    EXPECT_EQ(download.exitCode, 1);
    const auto lines = OutputLines(download.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 2], "Voice File Version : 2, Controller Voice Data Version : 3");
    EXPECT_EQ(lines.back(), "Voice Data Version Mismatch");
    controller.sim.reset();
    EXPECT_FALSE(controller.state.Exists("voice_flash.bin"));
}

TEST(VoiceEndToEnd, CheckListsABundleAndRefusesAStereoWave)
{
    VoiceSet set;
    const CommandResult check = RunCli({"voice", "check", set.Path()});
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_EQ(OutputLines(check.out),
              (std::vector<std::string>{"Voice File Version : 2, Voice File Count : 3", "1  hello  5500  11025",
                                        "2  welcome_to_the_fi  2000  11025", "3  x  5500  11025"}));
    WaveLayout stereo;
    stereo.channels = 2;
    stereo.data.assign(400, 0);
    set.Write("stereo.wav", WaveBytes(stereo));
    const CommandResult refused = RunCli({"voice", "check", set.folder.Path("stereo.wav")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.out.find("File is not Mono Channel format"), std::string::npos) << refused.out;
}

}  // namespace
}  // namespace skarnel::test

namespace skarnel::test {
namespace {

TEST(VoiceSpeak, SpokenTextPassesTheWaveCheckAndNeverReachesAShell)
{
    if (std::system("command -v espeak-ng >/dev/null && command -v sox >/dev/null") != 0)
        GTEST_SKIP() << "espeak-ng and sox are not installed";
    TempFolder folder;
    const std::string marker = folder.Path("ran");
    const CommandResult speak =
        RunCli({"voice", "speak", "Gear down; $(touch " + marker + ")", "-o", folder.Path("prompt.wav")});
    ASSERT_EQ(speak.exitCode, 0) << speak.out;
    EXPECT_FALSE(folder.Exists("ran"));
    uint32_t estimate = 0, rate = 0, byteRate = 0;
    EXPECT_EQ(CWave_Control::CheckWaveFile(folder.Path("prompt.wav"), estimate, rate, byteRate), kWaveAccepted);
    EXPECT_EQ(rate, 11025u);
    EXPECT_EQ(byteRate, 22050u);

    const CommandResult unknown = RunCli({"voice", "speak", "x", "-o", folder.Path("b.wav"), "--voice", "nosuchvoice"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_FALSE(folder.Exists("b.wav"));
}

}  // namespace
}  // namespace skarnel::test
