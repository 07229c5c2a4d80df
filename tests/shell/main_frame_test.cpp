#include "shell/commands.h"
#include "shell/dialog_port.h"
#include "shell/live_log_control.h"
#include "shell/main_frame.h"
#include "shell/menu_mnemonics.h"
#include "shell/menu_pane.h"
#include "shell/settings_keys.h"
#include "shell/startup_port.h"
#include "shell/view_frame.h"
#include "tests/shell/test_job_view.h"
#include "tests/support/gui_support.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMdiArea>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QShortcut>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <set>

namespace skarnel::test {
namespace {

MainFrameOptions WithViews(std::vector<int> indices)
{
    MainFrameOptions options = TestFrameOptions();
    options.registerViews = RegisterTestViews(std::move(indices));
    return options;
}

std::function<void(CApp_Settings&)> StoredPort(int number)
{
    return [number](CApp_Settings& settings) { settings.WriteInt(kKeyDownloadPortNumber, number); };
}

TEST(MainFrame, ShowsTitleAndStatusPanes)
{
    FrameFixture f(TestFrameOptions());
    EXPECT_EQ(f.frame->windowTitle(), "Skarnel.    Version-S3.5");
    EXPECT_EQ(f.frame->StatusPaneText(0), " Port : Com1");
    EXPECT_EQ(f.frame->StatusPaneText(1), " Baud : 115200");
    EXPECT_EQ(f.frame->StatusPaneText(2), " ");
    EXPECT_EQ(f.frame->BaudRate(), 115200u);
    EXPECT_EQ(f.frame->MenuPane()->windowTitle(), "Controller Menu  ");
}

struct PaneCase {
    const char* name;
    int stored;
    std::optional<std::string> commandLine;
    QString pane;
};

void PrintTo(const PaneCase& c, std::ostream* out)
{
    *out << c.name;
}

class PortPaneTest : public testing::TestWithParam<PaneCase> {};

TEST_P(PortPaneTest, ShowsTheStartUpPort)
{
    const PaneCase& c = GetParam();
    MainFrameOptions options = TestFrameOptions();
    if (c.commandLine)
        options.commandLinePort = SerialPortId::Parse(*c.commandLine);
    FrameFixture f(options, c.stored == kNoStoredPort ? nullptr : StoredPort(c.stored));
    EXPECT_EQ(f.frame->StatusPaneText(0), c.pane);
}

INSTANTIATE_TEST_SUITE_P(Cases, PortPaneTest,
                         testing::Values(PaneCase{"NoneStored", kNoStoredPort, std::nullopt, " Port : Com1"},
                                         PaneCase{"Stored", 12, std::nullopt, " Port : Com12"},
                                         PaneCase{"StoredZero", 0, std::nullopt, " Port : None "},
                                         PaneCase{"CommandLine", 12, "/dev/pts/7", " Port : /dev/pts/7 "}),
                         [](const testing::TestParamInfo<PaneCase>& testInfo) { return testInfo.param.name; });

TEST(MainFrame, FindsTheBridgeAtStartUpAndStoresIt)
{
    FrameFixture f(TestFrameOptions(), StoredPort(3), [](SysfsFixture& sysfs) {
        sysfs.AddUart(0);
        sysfs.AddUsbPort(11, "Silicon Labs", "CP210x USB to UART Bridge");
    });
    EXPECT_EQ(f.frame->StatusPaneText(0), " Port : Com44");
    EXPECT_EQ(f.settings->ReadInt(kKeyDownloadPortNumber, 0), 44);
}

TEST(MainFrame, OpensEachViewOnce)
{
    RecordingMessageBoxes boxes;
    FrameFixture f(WithViews({kViewFirmware, kViewModelData}));
    CMainFrame& frame = *f.frame;
    ShowOffScreen(frame);
    frame.RunCommand(kCmdFirmwareUpgrade);
    frame.RunCommand(kCmdModelBackup);
    CView_Frame* firmware = frame.FindFrame(kViewFirmware);
    ASSERT_NE(firmware, nullptr);
    EXPECT_EQ(frame.MdiArea()->activeSubWindow(), frame.FindFrame(kViewModelData));
    firmware->showMinimized();

    frame.RunCommand(kCmdFirmwareUpgrade);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(frame.FindFrame(kViewFirmware), firmware);
    EXPECT_EQ(frame.MdiArea()->activeSubWindow(), firmware);
    EXPECT_FALSE(firmware->isMinimized());
    EXPECT_EQ(firmware->windowTitle(), "Firmware Upgrade");
    EXPECT_EQ(firmware->size(), QSize(700, 500));
    EXPECT_EQ(firmware->minimumSize(), QSize(700, 500));
}

TEST(MainFrame, DisablesTheCommandsOfViewsNotBuilt)
{
    FrameFixture f(WithViews({kViewModelData}));
    CMainFrame& frame = *f.frame;
    EXPECT_TRUE(frame.CommandAction(kCmdModelBackup)->isEnabled());
    EXPECT_FALSE(frame.CommandAction(kCmdFirmwareUpgrade)->isEnabled());
    EXPECT_FALSE(frame.CommandAction(kCmdLiveLogStart)->isEnabled()) << "no live logging yet";
    EXPECT_TRUE(frame.CommandAction(kCmdPortSetup)->isEnabled());
    EXPECT_EQ(frame.OpenView(kViewFirmware), nullptr);
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
}

TEST(MainFrame, BuildsTheControllerTimeViewAsAFixedFrame)
{
    FrameFixture f(TestFrameOptions());
    ASSERT_NE(f.frame->OpenView(kViewControllerTime), nullptr);
    CView_Frame* frame = f.frame->FindFrame(kViewControllerTime);
    EXPECT_EQ(frame->windowTitle(), "Controller Time Setup");
    EXPECT_EQ(frame->size(), QSize(550, 380));
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
}

QTreeWidgetItem* FindItem(QTreeWidget* tree, int data)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(0, CMenu_Pane::kDataRole).toInt() == data)
            return *it;
    }
    return nullptr;
}

std::vector<std::pair<QString, int>> TreeShape(QTreeWidget* tree)
{
    std::vector<std::pair<QString, int>> shape;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
            ++depth;
        shape.emplace_back(QString::number(depth), (*it)->data(0, CMenu_Pane::kDataRole).toInt());
    }
    return shape;
}

TEST(MainFrame, LanguageSwitchRelabelsTheMenuPane)
{
    FrameFixture f(WithViews({kViewLogSensor}));
    CMainFrame& frame = *f.frame;
    QTreeWidget* tree = frame.MenuPane()->Tree();
    const auto shape = TreeShape(tree);
    EXPECT_EQ(FindItem(tree, kViewControllerTime)->text(0), "Time Setup");
    auto* logView = static_cast<TestJobView*>(frame.OpenView(kViewLogSensor));

    frame.RunCommand(kCmdLanguage1);
    EXPECT_EQ(FindItem(tree, kViewControllerTime)->text(0), "Controller Time Setup_d");
    EXPECT_EQ(FindItem(tree, kViewModelData)->text(0), "Model Data_d");
    EXPECT_EQ(TreeShape(tree), shape);
    EXPECT_EQ(f.settings->ReadInt(kKeyCurrentLanguage, 0), 1);
    EXPECT_EQ(logView->lastLanguage, 1);

    FrameFixture again(TestFrameOptions(), [](CApp_Settings& s) { s.WriteInt(kKeyCurrentLanguage, 1); });
    EXPECT_EQ(FindItem(again.frame->MenuPane()->Tree(), kViewControllerTime)->text(0), "Controller Time Setup_d");
}

TEST(MainFrame, MenuPaneClickOpensItsView)
{
    FrameFixture f(TestFrameOptions());
    QTreeWidget* tree = f.frame->MenuPane()->Tree();
    QTreeWidgetItem* time = FindItem(tree, kViewControllerTime);
    EXPECT_FALSE(time->isDisabled());
    // Every view the menu pane names is built now; the voice package item once was not.
    EXPECT_FALSE(FindItem(tree, kViewVoicePackage)->isDisabled());
    emit tree->itemClicked(time, 0);
    EXPECT_EQ(f.frame->FindView(kViewControllerTime), nullptr) << "the request is posted";
    ASSERT_TRUE(WaitUntil([&] { return f.frame->FindView(kViewControllerTime) != nullptr; }));
}

// How much ink a text leaves in a font: the dark pixels of it drawn black on white.
int Ink(const QFont& font, const QString& text)
{
    QImage picture(QFontMetrics(font).boundingRect(text).size() + QSize(8, 8), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(picture.rect(), Qt::AlignCenter, text);
    painter.end();
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            dark += qGray(picture.pixel(x, y)) < 128;
    return dark;
}

TEST(MainFrame, MenuPaneHeadingsReadAsBold)
{
    FrameFixture f(TestFrameOptions());
    QTreeWidget* tree = f.frame->MenuPane()->Tree();
    int headings = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->childCount() == 0)
            continue;
        ++headings;
        const QString text = (*it)->text(0);
        EXPECT_GT(Ink((*it)->font(0), text), Ink(tree->font(), text) * 5 / 4) << text.toStdString();
    }
    EXPECT_GT(headings, 0);
}

TEST(MainFrame, MenuPaneKeysOpenTheCurrentItemAndEveryLabelFitsFromTheTop)
{
    FrameFixture f(TestFrameOptions());
    QTreeWidget* tree = f.frame->MenuPane()->Tree();
    EXPECT_EQ(tree->verticalScrollBar()->value(), 0) << "the pane opens at its top";
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        const QRect row = tree->visualItemRect(*it);
        EXPECT_LE(row.left() + tree->fontMetrics().horizontalAdvance((*it)->text(0)), tree->minimumWidth())
            << (*it)->text(0).toStdString();
        EXPECT_EQ((*it)->toolTip(0), (*it)->text(0));
    }
    for (const int key : {Qt::Key_Return, Qt::Key_Space}) {
        const int view = key == Qt::Key_Return ? kViewControllerTime : kViewSdFileControl;
        tree->setCurrentItem(FindItem(tree, view));
        QTest::keyClick(tree, static_cast<Qt::Key>(key));
        ASSERT_TRUE(WaitUntil([&] { return f.frame->FindView(view) != nullptr; })) << key;
    }
}

// The texts a menu shows, as the user reads them, and the Alt+letters it answers to.
void ExpectMenuMatches(const QList<QAction*>& actions, const std::vector<MenuEntry>& entries)
{
    std::set<QString> letters;
    size_t next = 0;
    for (QAction* action : actions) {
        ASSERT_LT(next, entries.size());
        const MenuEntry& entry = entries[next++];
        EXPECT_EQ(action->isSeparator(), entry.separator);
        if (action->isSeparator())
            continue;
        const QString text = action->text();
        EXPECT_EQ(WithoutMnemonic(text.toStdString()), WithoutMnemonic(entry.text)) << "the system's text";
        const QKeySequence key = QKeySequence::mnemonic(text);
        EXPECT_FALSE(key.isEmpty()) << text.toStdString();
        EXPECT_TRUE(letters.insert(key.toString().toLower()).second) << "taken twice: " << text.toStdString();
        if (action->menu())
            ExpectMenuMatches(action->menu()->actions(), entry.items);
    }
    EXPECT_EQ(next, entries.size());
}

TEST(MainFrame, EveryMenuTitleAndItemHasAnAltLetterOfItsOwnAndKeepsItsText)
{
    FrameFixture f(TestFrameOptions());
    ExpectMenuMatches(f.frame->menuBar()->actions(), MainMenu());
    EXPECT_EQ(WithoutMnemonic(f.frame->CommandAction(kCmdAbout)->text().toStdString()), "Skarnel Info(A)...");
}

TEST(MainFrame, F10OpensTheMenuBarAndTheMdiAreaScrollsToLargeViews)
{
    FrameFixture f(TestFrameOptions());
    f.frame->show();
    QShortcut* f10 = nullptr;
    for (QShortcut* shortcut : f.frame->findChildren<QShortcut*>())
        if (shortcut->key() == QKeySequence(Qt::Key_F10))
            f10 = shortcut;
    ASSERT_NE(f10, nullptr);
    emit f10->activated();
    EXPECT_EQ(f.frame->menuBar()->activeAction(), f.frame->menuBar()->actions().first());
    auto* area = f.frame->findChild<QMdiArea*>();
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(area->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
}

// Runs the Port Select dialog through the main frame and lets `act` work on it.
void RunPortSetup(CMainFrame& frame, const std::function<void(CDialog_Port&)>& act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<CDialog_Port*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
    frame.RunCommand(kCmdPortSetup);
}

TEST(MainFrame, PortSelectOkWithoutARowChangesNothing)
{
    FrameFixture f(TestFrameOptions(), StoredPort(5), [](SysfsFixture& sysfs) { sysfs.AddUart(1); });
    RunPortSetup(*f.frame, [](CDialog_Port& dialog) {
        dialog.List()->clearSelection();
        dialog.OnOk();
    });
    EXPECT_EQ(f.frame->StatusPaneText(0), " Port : Com5");
    EXPECT_EQ(f.settings->ReadInt(kKeyDownloadPortNumber, 0), 5);
}

TEST(MainFrame, PortSelectOkStoresTheChosenPort)
{
    FrameFixture f(TestFrameOptions(), StoredPort(5), [](SysfsFixture& sysfs) {
        sysfs.AddUart(1);
        sysfs.AddUsbPort(0, "Silicon Labs", "CP210x USB to UART Bridge");
    });
    RunPortSetup(*f.frame, [](CDialog_Port& dialog) {
        dialog.List()->selectRow(0);
        dialog.OnOk();
    });
    EXPECT_EQ(f.frame->StatusPaneText(0), " Port : Com2");
    EXPECT_EQ(f.settings->ReadInt(kKeyDownloadPortNumber, 0), 2);

    RunPortSetup(*f.frame, [](CDialog_Port& dialog) {
        dialog.PathEdit()->setText("/dev/pts/9");
        dialog.OnOk();
    });
    EXPECT_EQ(f.frame->StatusPaneText(0), " Port : /dev/pts/9 ");
    EXPECT_EQ(f.frame->PortId().DevicePath(), "/dev/pts/9");
    EXPECT_EQ(f.settings->ReadInt(kKeyDownloadPortNumber, 0), 2) << "a PTY has no number to store";
}

TEST(MainFrame, RemembersTheToolbarButtons)
{
    FrameFixture f(TestFrameOptions());
    EXPECT_EQ(f.frame->ToolbarButtons().size(), kToolbarButtonCount);
    f.frame->SetToolbarButtons({kCmdPortSetup, kCmdAbout});
    EXPECT_EQ(f.frame->ToolbarButtons(), (std::vector<int>{kCmdPortSetup, kCmdAbout}));
    EXPECT_TRUE(f.frame->CommandAction(kCmdFirmwareUpgrade)->isVisible()) << "menus keep every item";
    f.frame.reset();
    f.frame = std::make_unique<CMainFrame>(*f.settings, TestFrameOptions());
    EXPECT_EQ(f.frame->ToolbarButtons(), (std::vector<int>{kCmdPortSetup, kCmdAbout}));
    bool customiseFound = false;
    for (QAction* action : f.frame->ToolBar()->actions())
        customiseFound |= action->text() == QString::fromUtf8("사용자 지정...");
    EXPECT_TRUE(customiseFound);
}

class FakeLiveLog final : public LiveLogControl {
public:
    bool IsRunning() const override { return running; }
    bool Start(CMainFrame&) override
    {
        ++starts;
        running = startWorks;
        return startWorks;
    }
    void RequestStop() override { running = false; }

    bool running = false;
    bool startWorks = true;
    int starts = 0;
};

TEST(MainFrame, LiveLoggingGuardsTheWindowAndTheFileLogView)
{
    RecordingMessageBoxes boxes;
    FrameFixture f(WithViews({kViewLogSensor, kViewLiveLogDbm, kViewLiveSensorReceiver}));
    CMainFrame& frame = *f.frame;
    auto control = std::make_unique<FakeLiveLog>();
    FakeLiveLog* live = control.get();
    frame.SetLiveLogControl(std::move(control));
    ShowOffScreen(frame);

    frame.HandleRequest(kRequestLiveLogStart);
    EXPECT_EQ(live->starts, 1);
    EXPECT_NE(frame.FindView(kViewLiveLogDbm), nullptr);
    EXPECT_NE(frame.FindView(kViewLiveSensorReceiver), nullptr);

    EXPECT_EQ(frame.OpenView(kViewLogSensor), nullptr);
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Live Log Monitoring");
    EXPECT_EQ(shown[0].title, "Log View");
    EXPECT_EQ(shown[1].text, "Live Log Monitoring      ");
    EXPECT_EQ(shown[1].title, "Turn Off");
    EXPECT_EQ(shown[1].icon, MessageIcon::Warning);

    frame.RunCommand(kCmdLiveLogStop);
    EXPECT_FALSE(live->running);
    ASSERT_NE(frame.OpenView(kViewLogSensor), nullptr);
    frame.RunCommand(kCmdLiveLogStart);
    EXPECT_EQ(live->starts, 1);
    EXPECT_EQ(boxes.Texts().back(), "File Log View");
    EXPECT_EQ(boxes.Boxes().back().title, "Live Log");
    EXPECT_TRUE(frame.close());
}

TEST(MainFrame, ClosesTheLiveViewOfASensor)
{
    FrameFixture f(WithViews({kViewLiveSensorVario, kViewLiveSensorGps}));
    f.frame->OpenView(kViewLiveSensorVario);
    f.frame->OpenView(kViewLiveSensorGps);
    f.frame->CloseSensorView(0x77);
    f.frame->CloseSensorView(0x89);
    EXPECT_EQ(f.frame->FindFrame(kViewLiveSensorVario), nullptr);
    EXPECT_NE(f.frame->FindFrame(kViewLiveSensorGps), nullptr);
}

TEST(MainFrame, KeepsSettingsInTheirGroup)
{
    FrameFixture f(TestFrameOptions());
    f.frame->SetPort(SerialPortId::FromNumber(33));
    f.settings->Sync();
    QSettings file(f.SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(file.value("Vennacor_Config/Download_Port_Number").toInt(), 33);
}

}  // namespace
}  // namespace skarnel::test
