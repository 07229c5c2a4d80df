#include "model/model_files.h"
#include "base/byte_order.h"
#include "tests/model/model_test_support.h"
#include "tests/support/temp_folder.h"
#include "tests/support/processes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarnel::test {
namespace {

constexpr size_t kCommonBase = 0x1000;
constexpr size_t kModelBase = 0x2000;
constexpr size_t kModelSize = 0x1000;

// A simulated controller process whose model flash lives in a state folder.
struct Controller {
    explicit Controller(const std::string& productCode = "16003300", const std::string& memoryVersion = "1001")
        : product(productCode), memory(memoryVersion)
    {
        Start();
    }
    void Start()
    {
        sim = std::make_unique<SimProcess>(std::vector<std::string>{"--app-product-code", product, "--memory-version",
                                                                    memory, "--state-dir", state.Root().string()});
    }
    void Stop() { sim.reset(); }
    CommandResult Cli(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--port", sim->DevicePath()});
        return RunCli(arguments);
    }
    std::filesystem::path FlashFile() const { return state.Root() / "model_flash.bin"; }

    std::string product;
    std::string memory;
    TempFolder state;
    std::unique_ptr<SimProcess> sim;
};

// Compares the controller's flash with a system backup: the common-set block and every listed model.
void ExpectFlashHoldsBackup(const std::vector<uint8_t>& flash, const std::vector<uint8_t>& mif)
{
    const MenuFileHeader header = MenuFileHeader::Decode(RecordAt<MenuFileHeader::kSize>(mif, 0));
    ASSERT_GT(header.usedModelCount, 0);
    EXPECT_TRUE(std::equal(mif.begin() + 1024, mif.begin() + 5120, flash.begin() + kCommonBase));
    for (size_t k = 0; k < header.usedModelCount; ++k) {
        const auto record = mif.begin() + 5120 + static_cast<std::ptrdiff_t>(8192 * k);
        const auto model =
            flash.begin() + kModelBase + static_cast<std::ptrdiff_t>(kModelSize * header.usedModelIndex[k]);
        EXPECT_TRUE(std::equal(record, record + kModelSize, model)) << "model " << int{header.usedModelIndex[k]};
    }
}

// Changes the stopped controller's common set and models where a restore writes them.
void ChangeMemory(const std::filesystem::path& flashFile)
{
    std::vector<uint8_t> flash = ReadFileBytes(flashFile);
    std::fill_n(flash.begin() + kCommonBase, 0x40, 0xEE);
    flash[0x1200 + 1] = 255;  // model 2 (CUB) leaves the model list
    for (size_t n = 0; n < 5; ++n)
        std::fill_n(flash.begin() + kModelBase + n * kModelSize, 200, 0x11);
    WriteFileBytes(flashFile, flash);
}

struct RestoreCommand {
    const char* name;
    const char* command;
    const char* success;
};

class BackupAndRestore : public testing::TestWithParam<RestoreCommand> {};

TEST_P(BackupAndRestore, RoundTripsTheFlashThroughTheSimulator)
{
    Controller controller;
    TempFolder files;
    const std::string mif = (files.Root() / "backup.mif").string();
    const CommandResult saved = controller.Cli({"model", "save", mif});
    ASSERT_EQ(saved.exitCode, 0) << saved.out;
    EXPECT_EQ(OutputLines(saved.out).back(), "Menu Data Backup Process Success");

    controller.Stop();
    ChangeMemory(controller.FlashFile());
    controller.Start();
    const CommandResult listed = controller.Cli({"model", "list"});
    EXPECT_NE(listed.out.find("2  None\n"), std::string::npos) << listed.out;

    const CommandResult restored = controller.Cli({"model", GetParam().command, mif});
    ASSERT_EQ(restored.exitCode, 0) << restored.out;
    EXPECT_EQ(OutputLines(restored.out).back(), GetParam().success);
    controller.Stop();
    ExpectFlashHoldsBackup(ReadFileBytes(controller.FlashFile()), ReadFileBytes(mif));
}

INSTANTIATE_TEST_SUITE_P(Commands, BackupAndRestore,
                         testing::Values(RestoreCommand{"bySections", "restore", "Menu Data Restore Process Success"},
                                         RestoreCommand{"converted", "restore-converted",
                                                        "Model Data Restore Process Success"}),
                         [](const auto& entry) { return std::string(entry.param.name); });

TEST(ModelCommandLine, BackupWritesOneFilePerModelAndNamesThem)
{
    Controller controller;
    TempFolder files;
    const CommandResult result = controller.Cli({"model", "backup", files.Root().string()});
    ASSERT_EQ(result.exitCode, 0) << result.out;
    const std::vector<std::string> lines = OutputLines(result.out);
    EXPECT_EQ(lines.front(), "Menu Data Backup Start!!");
    EXPECT_EQ(lines[lines.size() - 2], "Model Info Read/Write Process Stop");
    EXPECT_EQ(lines.back(), "Model Data Backup Process Success");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "HELI - ALPHA"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), (files.Root() / "hALPHA01.mdl").string()), lines.end());
    EXPECT_EQ(ReadFileBytes(files.Root() / "aEXTRA 33005.mdl").size(), 4096u + kModelSize);
}

TEST(ModelCommandLine, RestoreOfAnotherProductsFileChangesNothing)
{
    Controller kt40;
    TempFolder files;
    const std::string mif = (files.Root() / "kt40.mif").string();
    ASSERT_EQ(kt40.Cli({"model", "save", mif}).exitCode, 0);
    Controller kt20("16003600", "1001");
    const std::vector<uint8_t> before = ReadFileBytes(kt20.FlashFile());
    const CommandResult result = kt20.Cli({"model", "restore", mif});
    EXPECT_EQ(result.exitCode, 1);
    const std::vector<std::string> lines = OutputLines(result.out);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Product Code Mismatch. Charger: 16003600   File: 16003300"),
              lines.end());
    EXPECT_EQ(lines.back(), "Menu Data Restore Process Fail");
    kt20.Stop();
    EXPECT_EQ(ReadFileBytes(kt20.FlashFile()), before);
}

TEST(ModelCommandLine, RestoreRefusesAFileWithoutTheMagic)
{
    Controller controller;
    TempFolder files;
    const auto mif = files.Root() / "zeros.mif";
    WriteFileBytes(mif, std::vector<uint8_t>(5120, 0));
    const CommandResult result = controller.Cli({"model", "restore", mif.string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(OutputLines(result.out),
              (std::vector<std::string>{"File Header Check - Flag Value Mismatch", "Menu Data Restore Process Fail"}));
}

TEST(ModelCommandLine, OffLineConversionReportsEveryReplacedValue)
{
    Controller controller;
    TempFolder files;
    ASSERT_EQ(controller.Cli({"model", "backup", (files.Root() / "kt40").string()}).exitCode, 0);
    std::vector<uint8_t> alpha = ReadFileBytes(files.Root() / "kt40" / "hALPHA01.mdl");
    alpha[4096 + 3] = 7;  // timer_1_switch on the KT40's eighth switch
    WriteFileBytes(files.Root() / "kt40" / "hALPHA01.mdl", alpha);
    const CommandResult result = RunCli(
        {"model", "convert", "--to", "KT20", "--mem", "1000", "--report", "-o", (files.Root() / "kt20").string(),
         (files.Root() / "kt40" / "hALPHA01.mdl").string(), (files.Root() / "kt40" / "aEXTRA 33005.mdl").string()});
    EXPECT_EQ(result.exitCode, 0) << result.out;
    const std::vector<std::string> lines = OutputLines(result.out);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "   Field 2 timer_1_switch: 7 -> 0 (out of range 0..5)"),
              lines.end())
        << result.out;
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "aEXTRA 33005.mdl: not converted, its wing, tail and flap set-up does not fit the KT20"),
              lines.end());
    EXPECT_EQ(lines.back(), "1 of 2 model files converted");
    EXPECT_EQ(ReadFileBytes(files.Root() / "kt20" / "hALPHA01.mdl").size(), 8192u);
}

TEST(ModelCommandLine, ConversionAgainstTheControllerUsesItsLayout)
{
    Controller kt40("16003300", "1000");
    TempFolder files;
    ASSERT_EQ(kt40.Cli({"model", "backup", files.Root().string()}).exitCode, 0);
    Controller kt20("16003600", "1001");
    const CommandResult result =
        kt20.Cli({"model", "convert", "-o", (files.Root() / "out").string(), (files.Root() / "aCUB02.mdl").string()});
    EXPECT_EQ(result.exitCode, 0) << result.out;
    const std::vector<uint8_t> converted = ReadFileBytes(files.Root() / "out" / "aCUB02.mdl");
    ASSERT_EQ(converted.size(), 8192u);
    const ModelFileHeader header = ModelFileHeader::Decode(RecordAt<ModelFileHeader::kValuesSize>(converted, 0));
    EXPECT_EQ(header.productCode, 16003600u);
    EXPECT_EQ(header.memoryVersion, 1001u);
}

TEST(ModelCommandLine, OffLineTargetNeedsBothProductAndMemoryVersion)
{
    EXPECT_EQ(RunCli({"model", "convert", "--to", "KT20", "-o", "/tmp", "x.mdl"}).exitCode, 2);
    EXPECT_EQ(RunCli({"model", "convert", "--to", "KT30", "--mem", "1000", "-o", "/tmp", "x.mdl"}).exitCode, 2);
    EXPECT_EQ(RunCli({"model", "convert", "--to", "KT20", "--mem", "1002", "-o", "/tmp", "x.mdl"}).exitCode, 2);
}

}  // namespace
}  // namespace skarnel::test
