#include "firmware/views/firmware_view.h"
#include "shell/label.h"
#include "shell/settings_keys.h"
#include "shell/view_table.h"
#include "tests/firmware/upgrade_files.h"
#include "tests/support/gui_support.h"
#include "tests/support/pty_frame.h"
#include "tests/support/simulated_frame.h"
#include "tests/support/temp_folder.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

// The Firmware view of a main frame of the given kind, with the settings prepared.
template <class Frame> struct FirmwareViewOn {
    explicit FirmwareViewOn(const std::function<void(CApp_Settings&)>& presets = {})
        : frame({}, TestFrameOptions(), presets),
          view(dynamic_cast<CFirmware_View*>(frame.frame->OpenView(kViewFirmware)))
    {
    }

    std::string UpgradeFile(uint32_t version = 106)
    {
        return WriteUpgradeFile(files, "fw upgrade.bin", {PlainApplicationImage(3001, version, 1000), {}, {}, false});
    }

    RecordingMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    TempFolder files;
    Frame frame;
    CFirmware_View* view;
};

// On an in-process simulated controller, which the test reaches as controller().
struct FirmwareViewFixture : FirmwareViewOn<SimulatedFrameFixture> {
    using FirmwareViewOn::FirmwareViewOn;
    SimulatedController& controller() { return frame.controller; }
};

// On skarnel-sim's PTY.
using EndToEndFirmwareViewFixture = FirmwareViewOn<PtyFrameFixture>;

std::vector<QString> ProductLineTexts(const CFirmware_View& view)
{
    std::vector<QString> texts;
    for (size_t i = 0; i < 5; ++i)
        texts.push_back(view.ProductLine(i)->text());
    return texts;
}

const std::vector<QString> kBlankLines{
    "Product Name : ", "Buyer : ", "App Version   : ", "Boot Version  : ", "Product Code : "};

TEST(FirmwareView, OpensWithItsTextsAndTheWarningsHidden)
{
    FirmwareViewFixture f;
    ASSERT_NE(f.view, nullptr);
    EXPECT_EQ(ProductLineTexts(*f.view), kBlankLines);
    EXPECT_EQ(f.view->ProductGroup()->title(), " [ Product Info ] ");
    EXPECT_EQ(f.view->ProductInfoButton()->text(), "Product Info Read");
    EXPECT_EQ(f.view->DownloadButton()->text(), "Download Start");
    EXPECT_EQ(f.view->BrowseButton()->text(), "File Browse");
    EXPECT_EQ(f.view->StatusLine()->text(), "standby ");
    EXPECT_EQ(f.view->LogList()->columnWidth(2), 550);
    EXPECT_EQ(f.view->LogList()->horizontalHeaderItem(2)->text(), "Log");
    const std::pair<CLabel*, const char*> labels[] = {{f.view->CableLabel(), "Do Not Remove The USB Cable"},
                                                      {f.view->DownloadLabel(), "During Firmware Download     "}};
    for (const auto& [label, text] : labels) {
        EXPECT_EQ(label->text(), text);
        EXPECT_TRUE(label->isHidden());
        EXPECT_EQ(label->TextColor(), QColor(255, 255, 0));
        EXPECT_EQ(label->Background().color(), QColor(Qt::black));
        EXPECT_EQ(label->font().family(), "Tahoma");
        EXPECT_TRUE(label->font().bold());
    }
    EXPECT_STREQ(ViewSpecFor(kViewFirmware).title, "Firmware Upgrade");
}

struct LayoutCase {
    int width;
    int warningFont;
};

TEST(FirmwareView, LayoutFollowsTheClientSize)
{
    FirmwareViewFixture f;
    ShowOffScreen(*f.frame.frame);
    // The warnings' font follows the room beside the product box, width - 360.
    const LayoutCase cases[] = {{881, 31}, {861, 31}, {860, 29}, {841, 29}, {840, 27}, {801, 27},
                                {800, 25}, {761, 25}, {760, 23}, {741, 23}, {740, 20}};
    for (const LayoutCase& c : cases) {
        f.view->resize(c.width, 500);
        const int third = (c.width - 370) / 3;
        EXPECT_EQ(f.view->PathBox()->geometry(), QRect(10, 10, c.width - 20, 25)) << c.width;
        EXPECT_EQ(f.view->ProductInfoButton()->geometry(), QRect(350, 50, third, 85)) << c.width;
        EXPECT_EQ(f.view->DownloadButton()->geometry(), QRect(third + 355, 50, third, 85)) << c.width;
        EXPECT_EQ(f.view->BrowseButton()->geometry(), QRect(2 * third + 360, 50, third, 85)) << c.width;
        EXPECT_EQ(f.view->CableLabel()->geometry(), QRect(350, 45, c.width - 360, 45)) << c.width;
        EXPECT_EQ(f.view->DownloadLabel()->geometry(), QRect(350, 90, c.width - 360, 45)) << c.width;
        EXPECT_EQ(f.view->ProgressBar()->geometry(), QRect(10, 170, c.width - 20, 30)) << c.width;
        EXPECT_EQ(f.view->LogList()->geometry(), QRect(10, 210, c.width - 20, 280)) << c.width;
        EXPECT_EQ(f.view->CableLabel()->font().pixelSize(), c.warningFont) << c.width;
        EXPECT_EQ(f.view->DownloadLabel()->font().pixelSize(), c.warningFont) << c.width;
    }
    // Narrower than the view's minimum the warning would be cut at 20 pixels: it shrinks instead.
    f.view->resize(600, 500);
    for (const CLabel* label : {f.view->CableLabel(), f.view->DownloadLabel()}) {
        EXPECT_LT(label->font().pixelSize(), 20);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
    }
    EXPECT_TRUE(f.view->CableLabel()->isHidden()) << "the layout leaves the labels' visibility alone";
}

TEST(FirmwareView, FileBrowseKeepsOnlyAFileThatPassesTheCheck)
{
    FirmwareViewFixture f;
    const std::string good = WriteUpgradeFile(
        f.files, "boot.bin", {PlainApplicationImage(3001, 106, 1000), PlainBootLoaderImage(3001, 13), {}, true});
    f.dialogs.answer = QString::fromStdString(good);
    f.view->BrowseButton()->click();
    EXPECT_EQ(f.dialogs.filters.back(), "Upgrade Binary File(*.bin)|*.bin|ALL Filess(*.*)|*.*||");
    EXPECT_EQ(f.view->PathBox()->text().toStdString(), good);
    EXPECT_EQ(f.view->FileName(), "boot.bin");
    EXPECT_EQ(f.view->BootIncluded(), 1u);

    f.dialogs.answer = QString::fromStdString(f.files.Write("zeros.bin", std::vector<uint8_t>(64, 0)));
    f.view->BrowseButton()->click();
    EXPECT_EQ(f.boxes.Texts(),
              std::vector<QString>{"Firmware file can't be read. \r\nPlease recheck the downloaded file."});
    EXPECT_TRUE(f.view->PathBox()->text().isEmpty());
    EXPECT_TRUE(f.view->FullPath().isEmpty());

    f.dialogs.answer = QString::fromStdString(good);
    f.view->BrowseButton()->click();
    f.dialogs.answer.clear();
    f.view->BrowseButton()->click();
    EXPECT_TRUE(f.view->FullPath().isEmpty()) << "a cancelled choice forgets the file";
    EXPECT_TRUE(f.view->FileName().isEmpty());
    f.view->DownloadButton()->click();
    EXPECT_FALSE(f.view->IsBusy()) << "without a file nothing starts";
}

TEST(FirmwareView, UpgradeRunsAsAJobAndRemembersItsFile)
{
    FirmwareViewFixture f;
    const std::string file = f.UpgradeFile();
    f.dialogs.answer = QString::fromStdString(file);
    f.view->BrowseButton()->click();
    f.view->DownloadButton()->click();
    ASSERT_TRUE(f.view->IsBusy());
    EXPECT_TRUE(f.view->Port().IsConnected());
    // The frame is not shown (painting it would start Qt's own threads); what counts is what
    // the view hides and shows.
    EXPECT_TRUE(f.view->DownloadButton()->isHidden());
    EXPECT_TRUE(f.view->BrowseButton()->isHidden());
    EXPECT_TRUE(f.view->ProductInfoButton()->isHidden());
    EXPECT_FALSE(f.view->CableLabel()->isHidden());
    EXPECT_FALSE(f.view->DownloadLabel()->isHidden());
    EXPECT_EQ(f.frame.settings->ReadText(kKeyFirmwareFullPath).toStdString(), file);
    EXPECT_EQ(f.frame.settings->ReadText(kKeyFirmwareFileName), "fw upgrade.bin");
    ASSERT_TRUE(RunUntilJobEnds(*f.view));

    const std::vector<std::string> log = LogTexts(*f.view);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log.front(), "Download Process Start!!");
    EXPECT_EQ(log[log.size() - 2], "Firmware Download Success");
    EXPECT_EQ(log.back(), "Download Process Stop");
    const auto boxes = f.boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Firmware Download Success");
    EXPECT_EQ(boxes[0].title, "Download");
    EXPECT_FALSE(f.view->DownloadButton()->isHidden());
    EXPECT_TRUE(f.view->CableLabel()->isHidden());
    EXPECT_FALSE(f.view->Port().IsConnected());
    EXPECT_EQ(f.view->ProductLine(2)->text(), "App Version   : 106") << "read again from the upgraded controller";
    EXPECT_EQ(f.view->StatusLine()->text(), "Firmware Download Success") << "not the last block's count";
}

TEST(FirmwareView, StoredFileIsShownAndItsBootLoaderCountsAtTheStart)
{
    TempFolder stored;
    const std::string file = WriteUpgradeFile(
        stored, "boot.bin", {PlainApplicationImage(3001, 106, 1000), PlainBootLoaderImage(3001, 13), {}, true});
    FirmwareViewFixture f([&](CApp_Settings& settings) {
        settings.WriteText(kKeyFirmwareFullPath, QString::fromStdString(file));
        settings.WriteText(kKeyFirmwareFileName, "boot.bin");
    });
    EXPECT_EQ(f.view->PathBox()->text().toStdString(), file);
    f.boxes.AnswerWith(false);
    f.view->DownloadButton()->click();
    ASSERT_TRUE(RunUntilJobEnds(*f.view));
    const auto boxes = f.boxes.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].title, "RF Off");
    EXPECT_TRUE(boxes[0].onUiThread);
    EXPECT_EQ(boxes[1].text, "RF switch off - Canceled");
}

TEST(FirmwareViewEndToEnd, ProductInfoReadShowsTheControllersLines)
{
    EndToEndFirmwareViewFixture f;
    f.view->ProductInfoButton()->click();
    EXPECT_FALSE(f.view->Port().IsConnected());
    EXPECT_EQ(ProductLineTexts(*f.view),
              (std::vector<QString>{"Product Name : KT-40", "Buyer : Vennacor", "App Version   : 105",
                                    "Boot Version  : 12", "Product Code : 3001"}));
    EXPECT_EQ(LogTexts(*f.view), (std::vector<std::string>{
                                     "Product Info Read Start!!",
                                     "Product Information Read From Controller",
                                     "   >> AppPCode:3001,  AppVer:105,  BootPCode:3001,  BootVer:12,  MemVer:1000",
                                     "   >> Product Name:KT-40,  Buyer:Vennacor",
                                 }));
}

TEST(FirmwareView, ProductInfoReadFailureIsLogged)
{
    FirmwareViewFixture f;
    f.controller().AddFault("nak,code=0x11,count=3");
    f.view->ProductInfoButton()->click();
    EXPECT_FALSE(f.view->Port().IsConnected());
    const std::vector<std::string> log = LogTexts(*f.view);
    EXPECT_EQ(log.front(), "Product Info Read Start!!");
    EXPECT_EQ(log.back(), "Product Information Read Fail");
    EXPECT_EQ(ProductLineTexts(*f.view), kBlankLines);
}

}  // namespace
}  // namespace skarnel::test
