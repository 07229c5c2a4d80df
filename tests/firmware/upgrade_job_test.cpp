#include "firmware/firmware_upgrade.h"
#include "firmware/product_lines.h"
#include "link/product_info.h"
#include "model/model_data_lists.h"
#include "model/model_procedures.h"
#include "sim/firmware_download.h"
#include "sim/model_data_commands.h"
#include "tests/firmware/upgrade_files.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/old_file.h"
#include "tests/support/simulated_link.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace skarnel::test {
namespace {

constexpr uint32_t kKt40 = 16003300;

// The job's window: each log line with the time it came, the questions by title with an
// answer scripted per title (Yes unless told otherwise).
class UpgradeWindow final : public Reporter {
public:
    explicit UpgradeWindow(Clock& clock) : clock_(clock) {}

    void ReportProgress(int, const std::string&) override {}
    void ReportLogLine(const std::string& text) override { lines.push_back({text, clock_.NowMs()}); }
    void ReportProgressRange(int, int) override {}
    void ReportFailedExchange(uint32_t, int) override {}
    void ShowMessage(const std::string& text, const std::string&, MessageIcon) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        questions.push_back({title, text, icon});
        const auto answer = answers.find(title);
        return answer == answers.end() || answer->second;
    }

    struct Line {
        std::string text;
        int64_t atMs;
    };
    struct Question {
        std::string title;
        std::string text;
        MessageIcon icon;
    };

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const Line& line : lines)
            texts.push_back(line.text);
        return texts;
    }
    size_t Count(const std::string& text) const
    {
        return std::count_if(lines.begin(), lines.end(), [&](const Line& line) { return line.text == text; });
    }
    // Where the first line of that text stands; lines.size() when none.
    size_t IndexOf(const std::string& text, size_t from = 0) const
    {
        for (size_t i = from; i < lines.size(); ++i)
            if (lines[i].text == text)
                return i;
        return lines.size();
    }
    std::vector<std::string> QuestionTitles() const
    {
        std::vector<std::string> titles;
        for (const Question& question : questions)
            titles.push_back(question.title);
        return titles;
    }

    std::vector<Line> lines;
    std::vector<Question> questions;
    std::vector<std::string> messages;
    std::map<std::string, bool> answers;

private:
    Clock& clock_;
};

class RecordingProductLines final : public ProductLines {
public:
    void ShowProductLines(const ProductInfo& info) override { shown.push_back(ProductLinesOf(info)); }
    std::vector<ProductLineTexts> shown;
};

sim::ControllerState Kt40Controller(uint32_t memoryVersion = 1000)
{
    sim::ControllerState state;
    state.product.appProductCode = kKt40;
    state.product.bootProductCode = kKt40;
    state.product.memoryVersion = memoryVersion;
    return state;
}

// A simulated controller that takes firmware and keeps model memories, with the job's window.
struct UpgradeLink : SimulatedLink {
    explicit UpgradeLink(sim::ControllerState state = Kt40Controller()) : SimulatedLink(std::move(state))
    {
        sim::InstallFirmwareDownload(engine());
        sim::InstallModelDataCommands(engine());
        engine().KeepRequestLog(true);
        link.ownerWindow = &window;
    }

    JobOutcome Upgrade(const UpgradeImages& images)
    {
        FirmwareUpgradeRequest request;
        request.firmwarePath = WriteUpgradeFile(files, "upgrade.bin", images);
        request.bootIncluded = images.bootIncluded ? 1 : 0;
        request.backupPath = SystemBackupPath(files.Root());
        return FirmwareUpgradeJob(link, request, &productLines);
    }

    // The requests of that code in the order sent, as their groups.
    std::vector<int> GroupsOf(uint8_t code) const
    {
        std::vector<int> groups;
        for (const sim::Request& request : device->engine().RequestLog())
            if (request.code == code)
                groups.push_back(request.group);
        return groups;
    }
    // The codes sent, in order, up to the first of the given code.
    std::vector<std::pair<int, int>> RequestsBefore(uint8_t code) const
    {
        std::vector<std::pair<int, int>> requests;
        for (const sim::Request& request : device->engine().RequestLog()) {
            if (request.code == code)
                break;
            requests.emplace_back(request.group, request.code);
        }
        return requests;
    }
    sim::ControllerState& state() { return engine().state(); }

    TempFolder files;
    UpgradeWindow window{clock};
    RecordingProductLines productLines;
};

constexpr uint8_t kRestart = 0x20;
constexpr uint8_t kDownloadStart = 0x32;
constexpr uint8_t kFileInformation = 0x12;
constexpr uint8_t kDataBlock = 0x13;
constexpr uint8_t kProductInfo = 0x11;
constexpr uint8_t kDisplayOn = 0x23;
constexpr uint8_t kDisplayClear = 0x22;
constexpr uint8_t kRfPause = 0x31;

UpgradeImages ApplicationOnly(uint32_t version = 106, uint32_t memoryVersion = 1000)
{
    return {PlainApplicationImage(kKt40, version, memoryVersion), {}, {}, false};
}

TEST(FirmwareUpgrade, ApplicationOnlyGoesThroughTheBootLoaderStepByStep)
{
    UpgradeLink f;
    const UpgradeImages images = ApplicationOnly();
    const JobOutcome result = f.Upgrade(images);
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.finalText, "Firmware Download Success");
    EXPECT_EQ(f.window.Texts(), (std::vector<std::string>{
                                    "Bootup Packet Receive",
                                    "Download Start Command Send",
                                    "Download Start Command Send - OK",
                                    "Product Information Read From Controller",
                                    "   >> AppPCode:16003300,  AppVer:105,  BootPCode:16003300,  BootVer:12,  "
                                    "MemVer:1000",
                                    "   >> Product Name:KT-40,  Buyer:Vennacor",
                                    "Address Information Read From Controller",
                                    "   >> AppPCodeAddr:0x4100,  AppVerAddr:0x4104,  BootPCodeAddr:0x100,  "
                                    "BootVerAddr:0x104,  MemVerAddr:0x4108",
                                    "Product Information Read From File",
                                    "   >> Product Code:16003300,  Version:106,  MemVersion:1000",
                                    "Product Code Compare - Ok",
                                    "Version Compare - Ok",
                                    "Application File Information Send",
                                    "Application Firmware Download Start!",
                                    "Application Firmware Download Success!!",
                                }));
    EXPECT_TRUE(f.window.questions.empty());
    EXPECT_EQ(f.GroupsOf(kRestart), std::vector<int>{0});
    EXPECT_EQ(f.GroupsOf(kDownloadStart), std::vector<int>{1});
    EXPECT_EQ(f.GroupsOf(kRfPause), std::vector<int>{1}) << "only the pause sent once after the image";
    // The conversion check reads in the application; display on and clear come before the
    // boot loader's product information; the upgraded application is read at the end.
    EXPECT_EQ(f.GroupsOf(kProductInfo), (std::vector<int>{0, 1, 0}));
    const auto beforeFileInformation = f.RequestsBefore(kFileInformation);
    const auto at = [&](int group, int code) {
        return std::find(beforeFileInformation.begin(), beforeFileInformation.end(), std::pair{group, code}) -
               beforeFileInformation.begin();
    };
    EXPECT_LT(at(1, kDisplayOn), at(1, kDisplayClear));
    EXPECT_LT(at(1, kDisplayClear), at(1, kProductInfo));
    EXPECT_EQ(f.state().firmware.receivedImages.at(ImageKind::Application), images.application);
    EXPECT_EQ(f.state().product.appVersion, 106u);
    ASSERT_EQ(f.productLines.shown.size(), 2u);
    EXPECT_EQ(f.productLines.shown[0][2], "App Version   : 105");
    EXPECT_EQ(f.productLines.shown[1][2], "App Version   : 106") << "the lines end with what the controller runs now";
}

TEST(FirmwareUpgrade, BootLoaderGoesInFromTheApplicationAfterTheRfQuestion)
{
    UpgradeLink f;
    UpgradeImages images = ApplicationOnly();
    images.bootLoader = PlainBootLoaderImage(kKt40, 13);
    images.bootIncluded = true;
    const JobOutcome result = f.Upgrade(images);
    EXPECT_EQ(result.finalText, "Firmware Download Success");
    ASSERT_EQ(f.window.questions.size(), 1u);
    EXPECT_EQ(f.window.questions[0].title, "RF Off");
    EXPECT_EQ(f.window.questions[0].text,
              "Warning! Switch-OFF your RC-model!  \r\n\r\nRF will be switched OFF. \r\n\r\n\r\n\r\n Continue?");
    EXPECT_EQ(f.window.Texts().front(), "Boot Loader Download Start");
    EXPECT_EQ(f.GroupsOf(kRfPause), (std::vector<int>{4, 1}));
    EXPECT_EQ(f.GroupsOf(kDownloadStart), (std::vector<int>{0, 1}));
    EXPECT_EQ(f.GroupsOf(kFileInformation), (std::vector<int>{0, 1}));
    EXPECT_EQ(f.GroupsOf(kDisplayOn), std::vector<int>{1}) << "no display commands for the boot loader image";
    EXPECT_EQ(f.GroupsOf(kRestart), std::vector<int>{0}) << "one restart, before the application";
    EXPECT_EQ(f.window.Count("Boot Loader File Information Send"), 1u);
    EXPECT_EQ(f.window.Count("Version Compare - Ok"), 2u) << "the boot loader weighed against the boot loader";
    const size_t success = f.window.IndexOf("Boot Loader Download Success!!");
    ASSERT_LT(success, f.window.lines.size());
    EXPECT_EQ(f.window.lines[success + 1].text, "Application Firmware Download Start");
    EXPECT_EQ(f.window.lines[success + 2].text, "Bootup Packet Receive");
    EXPECT_GE(f.window.lines[success + 2].atMs - f.window.lines[success + 1].atMs, 2000);
    EXPECT_EQ(f.state().firmware.receivedImages.at(ImageKind::BootLoader), images.bootLoader);
    EXPECT_EQ(f.state().firmware.receivedImages.at(ImageKind::Application), images.application);
    EXPECT_EQ(f.state().product.bootVersion, 13u);
}

TEST(FirmwareUpgrade, ApplicationFollowsTheStBootLoaderWithoutARestart)
{
    UpgradeLink f;
    UpgradeImages images = ApplicationOnly();
    images.bootLoader = PlainBootLoaderImage(kKt40, 13);
    images.stBootLoader = PatternBytes(0x900, 5);
    images.bootIncluded = true;
    const JobOutcome result = f.Upgrade(images);
    EXPECT_EQ(result.finalText, "Firmware Download Success");
    EXPECT_EQ(f.GroupsOf(kRestart), std::vector<int>{0}) << "the restart is for the ST boot loader";
    EXPECT_EQ(f.GroupsOf(kDownloadStart), (std::vector<int>{0, 1}));
    EXPECT_EQ(f.window.Count("Download Start Command Send"), 2u);
    EXPECT_EQ(f.GroupsOf(kFileInformation), (std::vector<int>{0, 8, 1}));
    EXPECT_EQ(f.GroupsOf(kDisplayOn), (std::vector<int>{8, 1}));
    EXPECT_EQ(f.window.Count("Product Information Read From File"), 2u) << "the ST boot loader image is not checked";
    const size_t stSuccess = f.window.IndexOf("ST Boot Loader Download Success!!");
    ASSERT_LT(stSuccess + 2, f.window.lines.size());
    EXPECT_EQ(f.window.lines[stSuccess + 1].text, "Application Firmware Download Start");
    EXPECT_EQ(f.window.lines[stSuccess + 2].text, "Product Information Read From Controller");
    EXPECT_GE(f.window.lines[stSuccess + 2].atMs - f.window.lines[stSuccess + 1].atMs, 2000);
    for (const auto& [kind, image] :
         {std::pair{ImageKind::BootLoader, images.bootLoader}, std::pair{ImageKind::StBootLoader, images.stBootLoader},
          std::pair{ImageKind::Application, images.application}})
        EXPECT_EQ(f.state().firmware.receivedImages.at(kind), image) << ProfileOf(kind).name;
}

TEST(FirmwareUpgrade, NoToTheRfQuestionSendsNothingToTheRfProcess)
{
    UpgradeLink f;
    f.window.answers["RF Off"] = false;
    UpgradeImages images = ApplicationOnly();
    images.bootLoader = PlainBootLoaderImage(kKt40, 13);
    images.bootIncluded = true;
    const JobOutcome result = f.Upgrade(images);
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.finalText, "RF switch off - Canceled");
    EXPECT_TRUE(f.GroupsOf(kRfPause).empty());
    EXPECT_TRUE(f.GroupsOf(kDownloadStart).empty());
}

struct VersionCase {
    const char* name;
    uint32_t imageVersion;
    bool answer;
    bool asked;
    const char* line;  // the compare line, or nothing when the job ends
    const char* finalText;
};

class FirmwareUpgradeVersions : public testing::TestWithParam<VersionCase> {};

TEST_P(FirmwareUpgradeVersions, OnlyAnOlderImageIsAskedAbout)
{
    const VersionCase& c = GetParam();
    UpgradeLink f;
    f.window.answers["Old Version"] = c.answer;
    const JobOutcome result = f.Upgrade(ApplicationOnly(c.imageVersion));
    EXPECT_EQ(result.finalText, c.finalText);
    const auto asked = c.asked ? std::vector<std::string>{"Old Version"} : std::vector<std::string>{};
    EXPECT_EQ(f.window.QuestionTitles(), asked);
    if (c.asked) {
        EXPECT_EQ(f.window.questions[0].text, "The firmware file to be updated is lower than the product version "
                                              "\r\n \r\nDo you want to download?");
    }
    if (c.line) {
        EXPECT_EQ(f.window.Count(c.line), 1u);
    }
    EXPECT_EQ(f.GroupsOf(kFileInformation).size(), c.line ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirmwareUpgradeVersions,
    testing::Values(VersionCase{"equal", 105, true, false, "Version Compare - Ok", "Firmware Download Success"},
                    VersionCase{"newer", 200, true, false, "Version Compare - Ok", "Firmware Download Success"},
                    VersionCase{"olderYes", 104, true, true, "Version Compare - Down Grade",
                                "Firmware Download Success"},
                    VersionCase{"olderNo", 104, false, true, nullptr, "Old Version Firmware File"}),
    [](const auto& entry) { return std::string(entry.param.name); });

// The models the controller lists.
class ModelNames final : public ModelDataLists {
public:
    void AddPcFile(const std::string&) override {}
    void AddControllerModel(const std::string& text) override { names.push_back(text); }
    std::vector<std::string> names;
};

std::vector<std::string> ControllerModels(UpgradeLink& f)
{
    ModelNames lists;
    NullReporter quiet;
    f.link.ownerWindow = &quiet;
    EXPECT_TRUE(ListControllerModels(f.link, lists));
    f.link.ownerWindow = &f.window;
    return lists.names;
}

TEST(FirmwareUpgrade, NewMemoryLayoutSavesTheModelsFirstAndRestoresThemConverted)
{
    UpgradeLink f;
    const std::vector<std::string> before = ControllerModels(f);
    f.window.lines.clear();
    const JobOutcome result = f.Upgrade(ApplicationOnly(106, 1001));
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.finalText, "Firmware Download, Model Data Restore Process Success");
    const size_t backup = f.window.IndexOf("System Data Backup Start!!");
    EXPECT_EQ(backup, 0u);
    const size_t saved = f.window.IndexOf("Menu Data Backup Process Success");
    EXPECT_EQ(f.window.lines.at(saved + 1).text, "Firmware Download Process Start");
    EXPECT_LT(saved, f.window.IndexOf("Download Start Command Send"));
    const size_t installed = f.window.IndexOf("Application Firmware Download Success!!");
    EXPECT_EQ(f.window.lines.at(installed + 1).text, "Firmware Download Success");
    EXPECT_EQ(f.window.lines.at(installed + 2).text, "System Data Restore Start!!");
    EXPECT_TRUE(f.files.Exists("Menu_Backup.mif"));
    EXPECT_EQ(f.state().product.memoryVersion, 1001u);
    EXPECT_EQ(ControllerModels(f), before);
}

// The final text of a failure after the backup: where the backup is and how to restore it.
std::string KeptBackupFinalText(const std::string& failText, const std::string& path, const std::string& word)
{
    return failText + "\r\n\r\nThe system data backup is kept in " + path +
           "\r\nRestore it with: skarnel-cli model restore-converted " + word;
}

TEST(FirmwareUpgrade, FailedRestoreKeepsTheBackupAndTheFinalTextSaysHowToRestoreIt)
{
    UpgradeLink f;
    const std::vector<std::string> before = ControllerModels(f);
    f.AddFault(sim::FaultKind::Nak, kGroupModelData, 0x34, 1000);
    const JobOutcome result = f.Upgrade(ApplicationOnly(106, 1001));
    EXPECT_FALSE(result.succeeded);
    const std::string backup = f.files.Path("Menu_Backup.mif");
    EXPECT_EQ(result.finalText, KeptBackupFinalText("Model Data Restore Process Fail", backup, backup));
    EXPECT_EQ(f.state().product.memoryVersion, 1001u) << "the firmware is in";

    f.KeepRepliesWhole();
    EXPECT_TRUE(RestoreSystemData(f.link, backup)) << "what restore-converted runs";
    EXPECT_EQ(ControllerModels(f), before);
}

TEST(FirmwareUpgrade, FailedTransferAfterTheBackupNamesTheBackupAsAShellWord)
{
    UpgradeLink f;
    f.AddFault(sim::FaultKind::Nak, 1, kDataBlock, 3, 2);
    const std::filesystem::path folder = f.files.Root() / "it's mine";
    std::filesystem::create_directory(folder);
    FirmwareUpgradeRequest request;
    request.firmwarePath = WriteUpgradeFile(f.files, "upgrade.bin", ApplicationOnly(106, 1001));
    request.backupPath = folder / "Menu_Backup.mif";
    const JobOutcome result = FirmwareUpgradeJob(f.link, request);
    EXPECT_FALSE(result.succeeded);
    const std::string backup = request.backupPath.string();
    EXPECT_EQ(result.finalText, KeptBackupFinalText("Firmware Download Fail", backup,
                                                    "'" + f.files.path() + "/it'\\''s mine/Menu_Backup.mif'"));
    EXPECT_TRUE(std::filesystem::exists(request.backupPath));
}

TEST(FirmwareUpgrade, LayoutWithoutConversionTablesAsksBeforeTheModelsAreLost)
{
    for (const bool yes : {true, false}) {
        UpgradeLink f;
        f.window.answers["Warning"] = yes;
        const JobOutcome result = f.Upgrade(ApplicationOnly(106, 1002));
        ASSERT_EQ(f.window.questions.size(), 1u);
        EXPECT_EQ(f.window.questions[0].text, "Model data conversion info does not exist.... \r\n \r\nAll model data "
                                              "will be deleted!! \r\n \r\nDo you want to download?");
        EXPECT_EQ(f.window.questions[0].icon, MessageIcon::Warning);
        EXPECT_EQ(f.window.Texts().front(), "Model data conversion info does not exist");
        EXPECT_EQ(f.window.Count("System Data Backup Start!!"), 0u);
        EXPECT_FALSE(f.files.Exists("Menu_Backup.mif"));
        EXPECT_EQ(result.finalText, yes ? "Firmware Download Success" : "Model Conversion Check - Fail  ");
        EXPECT_EQ(f.GroupsOf(kRestart).size(), yes ? 1u : 0u);
    }
}

TEST(FirmwareUpgrade, ConversionCheckRefusesAnotherProductsFileBeforeAnythingIsSent)
{
    UpgradeLink f;
    const JobOutcome result = f.Upgrade({PlainApplicationImage(16003600, 106, 1000), {}, {}, false});
    EXPECT_EQ(f.window.Texts(), (std::vector<std::string>{"Product Code Mismatch"}));
    EXPECT_EQ(result.finalText, "Model Conversion Check - Fail  ");
    EXPECT_TRUE(f.GroupsOf(kRestart).empty());
}

TEST(FirmwareUpgrade, BootLoaderOfAnotherProductIsRefusedBeforeItIsSent)
{
    UpgradeLink f;
    UpgradeImages images = ApplicationOnly();
    images.bootLoader = PlainBootLoaderImage(16003600, 13);
    images.bootIncluded = true;
    const JobOutcome result = f.Upgrade(images);
    EXPECT_EQ(result.finalText, "Product Code Mismatch");
    EXPECT_TRUE(f.GroupsOf(kFileInformation).empty());
}

TEST(FirmwareUpgrade, FailedApplicationTransferErasesTheApplicationArea)
{
    UpgradeLink f;
    f.AddFault(sim::FaultKind::Nak, 1, kDataBlock, 3, 2);
    const JobOutcome result = f.Upgrade(ApplicationOnly());
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.finalText, "Firmware Download Fail");
    EXPECT_EQ(f.window.Texts().back(), "Application Firmware Download Fail. Erase Application Area!");
    EXPECT_EQ(f.state().firmware.eraseCount, 1);
    EXPECT_EQ(f.state().firmware.receivedImages.count(ImageKind::Application), 0u);
}

TEST(FirmwareUpgrade, FailedBootLoaderTransferErasesNothing)
{
    UpgradeLink f;
    f.AddFault(sim::FaultKind::Nak, 0, kDataBlock, 3);
    UpgradeImages images = ApplicationOnly();
    images.bootLoader = PlainBootLoaderImage(kKt40, 13);
    images.bootIncluded = true;
    EXPECT_EQ(f.Upgrade(images).finalText, "Firmware Download Fail");
    EXPECT_EQ(f.state().firmware.eraseCount, 0);
    EXPECT_EQ(f.window.Count("Application Firmware Download Fail. Erase Application Area!"), 0u);
}

TEST(FirmwareUpgrade, SilentBootLoaderEndsTheJobAfterTheBootUpWait)
{
    UpgradeLink f;
    f.AddFault(sim::FaultKind::NoReply, 1, 0x30, 1);
    const int64_t start = f.clock.NowMs();
    const JobOutcome result = f.Upgrade(ApplicationOnly());
    EXPECT_EQ(result.finalText, "Bootup Packet Receive Fail");
    const int64_t waited = f.clock.NowMs() - start;
    EXPECT_GE(waited, 10'100 + 200);
    EXPECT_LT(waited, 11'000);
    EXPECT_TRUE(f.GroupsOf(kDownloadStart).empty());
}

TEST(FirmwareUpgrade, BackupFailureEndsTheJobBeforeTheFirmwareIsTouched)
{
    UpgradeLink f;
    FirmwareUpgradeRequest request;
    request.firmwarePath = WriteUpgradeFile(f.files, "upgrade.bin", ApplicationOnly(106, 1001));
    request.backupPath = f.files.Root() / "missing-folder" / "Menu_Backup.mif";
    const JobOutcome result = FirmwareUpgradeJob(f.link, request);
    EXPECT_EQ(result.finalText, "Menu Data Backup Process Fail");
    EXPECT_TRUE(f.GroupsOf(kRestart).empty());
    request.backupPath.clear();
    EXPECT_EQ(FirmwareUpgradeJob(f.link, request).finalText, "Menu Data Backup Process Fail");
}

// A disk that fills up during the backup before an upgrade keeps the backup of an earlier upgrade.
TEST(FirmwareUpgrade, BackupThatFailsHalfWayKeepsTheOldBackupAndTouchesNoFirmware)
{
    UpgradeLink f;
    FirmwareUpgradeRequest request;
    request.firmwarePath = WriteUpgradeFile(f.files, "upgrade.bin", ApplicationOnly(106, 1001));
    request.backupPath = SystemBackupPath(f.files.Root());
    const OldFile old(request.backupPath, PatternBytes(100, 9));
    const JobOutcome result = UnderFileSizeLimit(6000, [&] { return FirmwareUpgradeJob(f.link, request); });
    EXPECT_EQ(result.finalText, "Menu Data Backup Process Fail") << "and no word of a kept backup";
    EXPECT_EQ(f.window.Count("Backup File Write Fail"), 1u);
    EXPECT_TRUE(old.Kept());
    EXPECT_EQ(PartFilesUnder(f.files.Root()), std::vector<std::string>{});
    EXPECT_TRUE(f.GroupsOf(kRestart).empty());
}

TEST(FirmwareUpgrade, ProductLinesShowTheControllersTexts)
{
    ProductInfo info;
    info.productName = "KT-40";
    info.buyer = "Vennacor";
    info.AppVerText = "1.05";
    info.BootVerText = "0.12";
    info.AppPCodeText = "16003300";
    EXPECT_EQ(ProductLinesOf(info),
              (ProductLineTexts{"Product Name : KT-40", "Buyer : Vennacor", "App Version   : 1.05",
                                "Boot Version  : 0.12", "Product Code : 16003300"}));
    EXPECT_EQ(BlankProductLines()[2], "App Version   : ");
}

}  // namespace
}  // namespace skarnel::test
