#include "model/views/menu_view.h"
#include "base/byte_order.h"
#include "model/model_files.h"
#include "model/model_procedures.h"
#include "shell/view_table.h"
#include "tests/support/gui_support.h"
#include "tests/support/pty_frame.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/simulated_frame.h"
#include "tests/support/temp_folder.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace skarnel::test {
namespace {

// The Model Data view of a main frame of the given kind, on a controller with its seeded models.
template <class Frame> struct MenuViewOn {
    template <class Controller>
    explicit MenuViewOn(const Controller& controller)
        : frame(controller), view(dynamic_cast<CMenu_View*>(frame.frame->OpenView(kViewModelData)))
    {
    }

    bool RunToItsEnd() const { return RunUntilJobEnds(*view); }

    RecordingMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    TempFolder files;
    Frame frame;
    CMenu_View* view;
};

sim::ControllerState Kt40Controller()
{
    sim::ControllerState state;
    state.product.appProductCode = 16003300;
    state.product.memoryVersion = 1001;
    return state;
}

// On an in-process simulated controller, which the test reaches as controller().
struct MenuViewFixture : MenuViewOn<SimulatedFrameFixture> {
    MenuViewFixture() : MenuViewOn(Kt40Controller()) {}
    SimulatedController& controller() { return frame.controller; }
};

// On skarnel-sim's PTY.
struct EndToEndMenuViewFixture : MenuViewOn<PtyFrameFixture> {
    EndToEndMenuViewFixture()
        : MenuViewOn(std::vector<std::string>{"--app-product-code", "16003300", "--memory-version", "1001"})
    {
    }
};

std::vector<QString> Column(const QTableWidget* list, int column)
{
    std::vector<QString> texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts.push_back(list->item(row, column)->text());
    return texts;
}

// The seeded controller's 30 models as the Controller list shows them.
std::vector<QString> SeededModelRows()
{
    std::vector<QString> rows(30, "None");
    rows[0] = "HELI - ALPHA";
    rows[1] = "ACRO - CUB";
    rows[2] = "HELI - TREX 450";
    rows[4] = "ACRO - EXTRA 330";
    return rows;
}

const std::vector<QString> kBackupFileNames{"hALPHA01.mdl", "aCUB02.mdl", "hTREX 45003.mdl", "aEXTRA 33005.mdl"};

TEST(MenuView, BackupWritesAFilePerUsedModelAndKeepsTheRowsOfEarlierBackups)
{
    MenuViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.view->BackupButton()->click();
    EXPECT_FALSE(f.view->IsBusy()) << "a cancelled folder choice starts nothing";
    EXPECT_TRUE(f.view->BackupFolder().empty());

    f.dialogs.folder = QString::fromStdString(f.files.path());
    f.view->BackupButton()->click();
    EXPECT_TRUE(f.view->Port().IsConnected());
    EXPECT_TRUE(f.view->BackupButton()->isEnabled()) << "the buttons stay as they are while a job runs";
    ASSERT_TRUE(f.RunToItsEnd());

    EXPECT_EQ(Column(f.view->ControllerList(), 1), SeededModelRows());
    EXPECT_EQ(Column(f.view->PcList(), 1), kBackupFileNames);
    for (const QString& name : kBackupFileNames) {
        EXPECT_EQ(std::filesystem::file_size(f.files.Path(name.toStdString())), 4096u + 4096u);
    }
    EXPECT_EQ(f.view->PcList()->item(3, 2)->text(), QString::fromStdString(f.files.Path("aEXTRA 33005.mdl")));
    const std::vector<std::string> log = LogTexts(*f.view);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log.front(), "Menu Data Backup Start!!");
    EXPECT_EQ(log[log.size() - 2], "Model Data Backup Process Success");
    EXPECT_EQ(log.back(), "Model Info Read/Write Process Stop");
    EXPECT_FALSE(f.view->Port().IsConnected());
    EXPECT_TRUE(f.boxes.Texts().empty()) << "a model data job ends without a message box";

    f.view->BackupButton()->click();
    f.view->ModelListButton()->click();
    EXPECT_EQ(f.view->ControllerList()->rowCount(), 0) << "Model List during a backup only clears its list";
    ASSERT_TRUE(f.RunToItsEnd());
    EXPECT_EQ(Column(f.view->PcList(), 0).back(), "8");
    EXPECT_EQ(Column(f.view->PcList(), 1).back(), kBackupFileNames.back());
    EXPECT_EQ(f.view->ControllerList()->rowCount(), 30);
    EXPECT_EQ(LogTexts(*f.view).back(), "Model Info Read/Write Process Stop");
}

TEST(MenuView, ListsFitTheirRowsAndKeepTheGivenWidthsAsTheLeast)
{
    MenuViewFixture f;
    EXPECT_GE(f.view->PcList()->columnWidth(1), 150);
    f.dialogs.folder = QString::fromStdString(f.files.path());
    f.view->BackupButton()->click();
    ASSERT_TRUE(f.RunToItsEnd());
    ASSERT_GT(f.view->PcList()->rowCount(), 0);
    EXPECT_EQ(ListShapeFaults(*f.view->PcList()), std::vector<std::string>{});
    EXPECT_EQ(ListShapeFaults(*f.view->ControllerList()), std::vector<std::string>{});
    EXPECT_EQ(f.view->PcList()->item(0, 2)->toolTip(), f.view->PcList()->item(0, 2)->text()) << "a path shows whole";
}

TEST(MenuView, ModelListReplacesTheControllerListAndClosesThePort)
{
    MenuViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.view->ModelListButton()->click();
    f.view->ModelListButton()->click();
    EXPECT_EQ(Column(f.view->ControllerList(), 1), SeededModelRows());
    EXPECT_EQ(f.view->ControllerList()->item(29, 0)->text(), "30");
    const std::vector<std::string> log = LogTexts(*f.view);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "Model List Read Success");
    EXPECT_EQ(log.back(), "Model Info Read/Write Process Stop");
    EXPECT_FALSE(f.view->Port().IsConnected());

    f.frame.frame->SetPort(SerialPortId::FromPath("/dev/skarnel-no-such-port"));
    f.view->ModelListButton()->click();
    EXPECT_EQ(f.view->ControllerList()->rowCount(), 0);
    EXPECT_EQ(f.boxes.Texts(), std::vector<QString>{"Port Open Fail"});
}

// A system backup of the simulated controller, made through the command line.
std::string SaveMenuFile(EndToEndMenuViewFixture& f, const std::string& name)
{
    const std::string path = f.files.Path(name);
    const CommandResult saved = RunCli({"--port", f.frame.sim.DevicePath(), "model", "save", path});
    EXPECT_EQ(saved.exitCode, 0) << saved.err;
    return path;
}

// A system backup of the in-process controller, made by the procedure "model save" runs.
std::string SaveMenuFile(MenuViewFixture& f, const std::string& name)
{
    const std::string path = f.files.Path(name);
    const std::unique_ptr<CRS232> port = f.controller().Connections()->MakeConnection();
    EXPECT_TRUE(port->OpenPort(SerialPortId::FromPath(SimulatedController::kDevicePath), CMainFrame::kBaudRate));
    RecordingReporter reporter;
    CDownload_Function link(*port, reporter);
    EXPECT_TRUE(BackupSystemData(link, path));
    port->ClosePort();
    return path;
}

TEST(MenuViewEndToEnd, HiddenRestoreControlsWriteAChosenMenuFileBack)
{
    EndToEndMenuViewFixture f;
    ASSERT_NE(f.view, nullptr);
    EXPECT_TRUE(f.view->MenuFileButton()->isHidden());
    EXPECT_TRUE(f.view->MenuFileLine()->isHidden());
    EXPECT_TRUE(f.view->MenuWriteButton()->isHidden());
    f.view->WriteMenuFile();
    EXPECT_FALSE(f.view->IsBusy()) << "nothing to write before a file is chosen";

    f.dialogs.answer = QString::fromStdString(f.files.Write("short.mif", std::vector<uint8_t>(100, 0)));
    f.view->ChooseMenuFile();
    EXPECT_TRUE(LogTexts(*f.view).empty()) << "a file shorter than its header is refused without a message";
    EXPECT_TRUE(f.view->MenuFile().empty());
    f.dialogs.answer = QString::fromStdString(f.files.Write("zero.mif", std::vector<uint8_t>(2048, 0)));
    f.view->ChooseMenuFile();
    EXPECT_EQ(LogTexts(*f.view), std::vector<std::string>{"File Header Check - Flag Value Mismatch"});
    EXPECT_TRUE(f.view->MenuFile().empty());
    EXPECT_EQ(f.dialogs.filters.back(), "Menu Info File(*.mif);;ALL Filess(*.*)");

    f.dialogs.answer = QString::fromStdString(SaveMenuFile(f, "system.mif"));
    f.view->ChooseMenuFile();
    EXPECT_EQ(f.view->MenuFileLine()->text(), f.dialogs.answer);
    f.view->WriteMenuFile();
    ASSERT_TRUE(f.RunToItsEnd());
    const std::vector<std::string> log = LogTexts(*f.view);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log.front(), "Model Data Write Start!!");
    EXPECT_EQ(log[log.size() - 2], "Menu Data Restore Process Success");
    EXPECT_EQ(log.back(), "Model Info Read/Write Process Stop");
    EXPECT_TRUE(f.boxes.Texts().empty());
}

TEST(MenuView, ARestoreOfAnotherProductEndsWithItsFailLine)
{
    MenuViewFixture f;
    ASSERT_NE(f.view, nullptr);
    const std::string path = SaveMenuFile(f, "other.mif");
    std::vector<uint8_t> bytes = f.files.Read("other.mif");
    MenuFileHeader header = MenuFileHeader::Decode(RecordAt<MenuFileHeader::kSize>(bytes, 0));
    header.appPCode = 16003600;
    const auto encoded = header.Encode();
    std::copy(encoded.begin(), encoded.end(), bytes.begin());
    f.files.Write("other.mif", bytes);

    f.dialogs.answer = QString::fromStdString(path);
    f.view->ChooseMenuFile();
    f.view->MenuWriteButton()->click();
    ASSERT_TRUE(f.RunToItsEnd());
    const std::vector<std::string> log = LogTexts(*f.view);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[log.size() - 3], "Product Code Mismatch. Charger: 16003300   File: 16003600");
    EXPECT_EQ(log[log.size() - 2], "Menu Data Restore Process Fail");
    EXPECT_EQ(log.back(), "Model Info Read/Write Process Stop");
    EXPECT_TRUE(f.boxes.Texts().empty());
    EXPECT_FALSE(f.view->Port().IsConnected());
}

TEST(MenuView, LayoutFollowsTheSize)
{
    MenuViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.frame.frame->show();
    f.view->resize(600, 500);
    EXPECT_EQ(f.view->BackupButton()->geometry(), QRect(300, 5, 145, 30));
    EXPECT_EQ(f.view->ModelListButton()->geometry(), QRect(448, 5, 145, 30));
    EXPECT_EQ(f.view->PcList()->geometry(), QRect(10, 55, 580, 158));
    EXPECT_EQ(f.view->ControllerList()->geometry(), QRect(10, 238, 580, 158));
    EXPECT_EQ(f.view->LogList()->geometry(), QRect(5, 406, 590, 89));
    f.view->resize(801, 603);
    EXPECT_EQ(f.view->ModelListButton()->geometry(), QRect(400 + 195 + 3, 5, 195, 30));
    EXPECT_EQ(f.view->LogList()->geometry(), QRect(5, 4 * 109 + 50, 791, 109));
}

}  // namespace
}  // namespace skarnel::test
