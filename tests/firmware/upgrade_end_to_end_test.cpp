#include "tests/firmware/upgrade_files.h"
#include "tests/support/processes.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>

namespace skarnel::test {
namespace {

constexpr uint32_t kKt40 = 16003300;
constexpr size_t kModelFileHeaderSize = 4096;

bool Holds(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> ModelFileNames(const std::filesystem::path& folder)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

// The command line's backup lands in the application folder; each test gets its own.
class UpgradeCommandLine : public testing::Test {
protected:
    void SetUp() override
    {
        const char* previous = std::getenv("SKARNEL_HOME");
        previousHome_ = previous ? std::optional<std::string>(previous) : std::nullopt;
        ::setenv("SKARNEL_HOME", home.path().c_str(), 1);
    }
    void TearDown() override
    {
        if (previousHome_)
            ::setenv("SKARNEL_HOME", previousHome_->c_str(), 1);
        else
            ::unsetenv("SKARNEL_HOME");
    }

    TempFolder home;
    TempFolder files;

private:
    std::optional<std::string> previousHome_;
};

TEST_F(UpgradeCommandLine, NewMemoryVersionComesWithTheModelsConverted)
{
    TempFolder state;
    SimProcess sim({"--app-product-code", "16003300", "--boot-product-code", "16003300", "--memory-version", "1000",
                    "--state-dir", state.path(), "--restart-delay-ms", "200", "--boot-loader-idle-ms", "300"});
    const auto cli = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--port", sim.DevicePath()});
        return RunCli(arguments);
    };
    const std::string before = files.Path("before");
    ASSERT_EQ(cli({"model", "backup", before}).exitCode, 0);
    const std::string upgrade =
        WriteUpgradeFile(files, "kt40.bin", {PlainApplicationImage(kKt40, 110, 1001), {}, {}, false});

    const CommandResult result = cli({"firmware", "upgrade", upgrade});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    const std::vector<std::string> lines = OutputLines(result.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), "Download Process Start!!");
    EXPECT_EQ(lines[1], "System Data Backup Start!!");
    EXPECT_TRUE(Holds(lines, "   >> Product Code:16003300,  Version:110,  MemVersion:1001"));
    EXPECT_TRUE(Holds(lines, "System Data Restore Start!!"));
    EXPECT_EQ(lines[lines.size() - 2], "Download Process Stop");
    EXPECT_EQ(lines.back(), "Firmware Download, Model Data Restore Process Success");
    EXPECT_TRUE(std::filesystem::exists(home.Root() / "Menu_Backup.mif"));

    // The restore ends with a restart; the boot loader hands over to the application when idle.
    CommandResult info = cli({"info"});
    for (int attempt = 0; attempt < 50 && info.exitCode != 0; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        info = cli({"info"});
    }
    EXPECT_NE(info.out.find("AppVer:110,  BootPCode:16003300,  BootVer:12,  MemVer:1001"), std::string::npos)
        << info.out;
    EXPECT_FALSE(Holds(lines, "Nack Receive")) << result.out;

    // What the controller holds now is what the old models become in the new layout.
    const std::string after = files.Path("after");
    const std::string converted = files.Path("converted");
    ASSERT_EQ(cli({"model", "backup", after}).exitCode, 0);
    std::vector<std::string> convert{"model", "convert", "-o", converted};
    for (const std::string& name : ModelFileNames(before))
        convert.push_back(before + "/" + name);
    ASSERT_EQ(cli(convert).exitCode, 0);
    ASSERT_EQ(ModelFileNames(after), ModelFileNames(before));
    for (const std::string& name : ModelFileNames(after)) {
        const std::vector<uint8_t> restored = files.Read("after/" + name);
        const std::vector<uint8_t> expected = files.Read("converted/" + name);
        ASSERT_EQ(restored.size(), expected.size()) << name;
        EXPECT_TRUE(std::equal(restored.begin() + kModelFileHeaderSize, restored.end(),
                               expected.begin() + kModelFileHeaderSize))
            << name;
        EXPECT_NE(files.Read("before/" + name), restored) << name << " is in the new layout";
    }
}

TEST_F(UpgradeCommandLine, QuestionWithoutATerminalIsRefusedAndTheJobFails)
{
    SimProcess sim;
    const std::string upgrade = WriteUpgradeFile(
        files, "boot.bin", {PlainApplicationImage(3001, 106, 1000), PlainBootLoaderImage(3001, 13), {}, true});
    const CommandResult refused = RunCli({"--port", sim.DevicePath(), "firmware", "upgrade", upgrade});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(OutputLines(refused.out),
              (std::vector<std::string>{"Download Process Start!!", "Boot Loader Download Start",
                                        "Download Process Stop", "RF switch off - Canceled"}));
    const CommandResult missing = RunCli({"--port", sim.DevicePath(), "firmware", "upgrade", files.Path("none.bin")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "Firmware file can't be read. \r\nPlease recheck the downloaded file.\n");
}

}  // namespace
}  // namespace skarnel::test
