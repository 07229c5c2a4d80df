#include "sdcard/views/sd_file_control_view.h"
#include "shell/text_questions.h"
#include "shell/view_frame.h"
#include "shell/view_table.h"
#include "tests/support/gui_support.h"
#include "tests/support/pty_frame.h"
#include "tests/support/simulated_frame.h"
#include "tests/support/temp_folder.h"

#include <QLabel>
#include <QProgressBar>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace skarnel::test {
namespace {

namespace fs = std::filesystem;

// The application's folder of one test, so that tests running side by side keep apart.
class ScopedApplicationFolder {
public:
    ScopedApplicationFolder() : previous_(std::getenv("SKARNEL_HOME") ? std::getenv("SKARNEL_HOME") : "")
    {
        setenv("SKARNEL_HOME", home.path().c_str(), 1);
    }
    ~ScopedApplicationFolder() { setenv("SKARNEL_HOME", previous_.c_str(), 1); }

    TempFolder home;

private:
    std::string previous_;
};

class AnsweredTextQuestions final : public TextQuestions {
public:
    AnsweredTextQuestions() { Install(this); }
    ~AnsweredTextQuestions() override { Install(nullptr); }
    std::optional<QString> Ask(QWidget*, const QString& prompt, int) override
    {
        prompts.push_back(prompt);
        return answer;
    }
    std::optional<QString> answer;
    std::vector<QString> prompts;
};

// A card with a log folder holding two files, a models folder holding one, an empty folder, a
// folder holding a name beyond ASCII, and in the root a file of the same name as the model file.
void PrepareCard(const TempFolder& card)
{
    fs::create_directories(card.Root() / "Empty");
    fs::create_directories(card.Root() / "LogData");
    fs::create_directories(card.Root() / "Models");
    card.Write("LogData/a.cld", PatternBytes(4097, 1));
    card.Write("LogData/b.cld", PatternBytes(10, 2));
    card.Write("Models/h.mdl", PatternBytes(8192, 3));
    card.Write("h.mdl", PatternBytes(7, 5));
    card.Write("readme.txt", PatternBytes(5, 4));
    fs::create_directories(card.Root() / "Names");
    card.Write("Names/M\xc3\xbcller.txt", PatternBytes(12, 6));
}

// What every SD Card view fixture holds before its frame is made: the application folder, the
// card's folder and the recorders; and the view once it is open.
struct SdViewParts {
    SdViewParts() { PrepareCard(card); }

    void OpenView(CMainFrame& frame)
    {
        view = dynamic_cast<CSD_File_Control_View*>(frame.OpenView(kViewSdFileControl));
    }

    QTreeWidgetItem* SdRoot() const { return view->SdTree()->topLevelItem(0); }
    QTreeWidgetItem* SdFolder(const QString& name) const
    {
        QTreeWidgetItem* root = SdRoot();
        for (int child = 0; child < root->childCount(); ++child)
            if (root->child(child)->text(0) == name)
                return root->child(child);
        return nullptr;
    }

    bool RunToItsEnd() const { return RunUntilJobEnds(*view); }
    // Every exchange with the card is a job: the view is connected once Connect's has ended.
    void Connect() const
    {
        view->Connect();
        ASSERT_TRUE(RunToItsEnd());
    }
    // A mouse click on a folder of the card's tree, and its listing.
    void Select(QTreeWidgetItem* item) const;
    // A key pressed in the card's tree, and the listing of the folder it selects.
    void Press(Qt::Key key) const
    {
        QTest::keyClick(view->SdTree(), key);
        ASSERT_TRUE(RunToItsEnd());
    }
    void Finish() const { ASSERT_TRUE(RunToItsEnd()); }

    ScopedApplicationFolder home;
    TempFolder card;
    RecordingMessageBoxes boxes;
    AnsweredTextQuestions questions;
    CSD_File_Control_View* view = nullptr;
};

// The SD Card view of a main frame on an in-process simulated controller that serves the card.
struct SdViewFixture : SdViewParts {
    SdViewFixture()
    {
        controller().ServeSdFolder(card.Root());
        OpenView(*frame.frame);
    }

    SimulatedController& controller() { return frame.controller; }

    SimulatedFrameFixture frame;
};

// The same on skarnel-sim's PTY.
struct EndToEndSdViewFixture : SdViewParts {
    EndToEndSdViewFixture() : frame(std::vector<std::string>{"--sd-dir", card.path()}) { OpenView(*frame.frame); }

    PtyFrameFixture frame;
};

std::vector<QString> Column(const QTableWidget* list, int column)
{
    std::vector<QString> texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts.push_back(list->item(row, column)->text());
    return texts;
}

std::vector<QString> Children(const QTreeWidgetItem* item)
{
    std::vector<QString> names;
    for (int child = 0; child < item->childCount(); ++child)
        names.push_back(item->child(child)->text(0));
    return names;
}

// A mouse click on the item, as the user selects a folder.
void Click(QTreeWidget* tree, QTreeWidgetItem* item)
{
    ASSERT_NE(item, nullptr);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

void SdViewParts::Select(QTreeWidgetItem* item) const
{
    Click(view->SdTree(), item);
    ASSERT_TRUE(RunToItsEnd());
}

void SelectRows(QTableWidget* list, std::initializer_list<int> rows)
{
    list->clearSelection();
    for (int row : rows)
        for (int column = 0; column < list->columnCount(); ++column)
            list->item(row, column)->setSelected(true);
}

TEST(SdFileControlView, OpensOnThePcBackupFolderAndConnectsToTheCard)
{
    SdViewFixture f;
    ASSERT_NE(f.view, nullptr);
    EXPECT_EQ(f.view->PcBaseFolder(), f.home.home.Root() / "SD_Card_Backup");
    EXPECT_EQ(Children(f.view->PcTree()->topLevelItem(0)), (std::vector<QString>{"LogData", "Models", "VoiceFile"}));
    EXPECT_EQ(f.view->DiskSpaceLine()->text(), "Disk Space - Total : 0 kbyte  Free : 0 kbyte");
    EXPECT_TRUE(f.view->ConnectButton()->isEnabled());
    EXPECT_FALSE(f.view->DisconnectButton()->isEnabled());

    f.view->ConnectButton()->click();
    EXPECT_TRUE(f.view->IsBusy());
    EXPECT_FALSE(f.view->ConnectButton()->isEnabled());
    EXPECT_FALSE(f.view->DisconnectButton()->isEnabled());
    EXPECT_FALSE(f.view->SdTree()->isEnabled());
    f.Finish();
    ASSERT_TRUE(f.view->Port().IsConnected()) << f.boxes.Texts().size();
    EXPECT_FALSE(f.view->ConnectButton()->isEnabled());
    EXPECT_TRUE(f.view->DisconnectButton()->isEnabled());
    EXPECT_EQ(f.view->DiskSpaceLine()->text(), "Disk Space - Total : 15000 kbyte  Free : 14987 kbyte");
    EXPECT_EQ(f.view->DiskBar()->value(), 0);
    EXPECT_EQ(Children(f.SdRoot()), (std::vector<QString>{"Empty", "LogData", "Models", "Names"}));
    EXPECT_EQ(Column(f.view->SdList(), 1), (std::vector<QString>{"h.mdl", "readme.txt"}));
    EXPECT_EQ(f.view->SdTree()->currentItem(), f.SdRoot());
    f.Connect();
    EXPECT_EQ(f.boxes.Texts(), std::vector<QString>{"Connect"});
    EXPECT_EQ(f.boxes.Boxes().back().title, "Fail");

    f.view->DisconnectButton()->click();
    EXPECT_FALSE(f.view->Port().IsConnected());
    EXPECT_EQ(f.view->SdList()->rowCount(), 0);
    EXPECT_EQ(f.view->SdTree()->topLevelItem(0)->childCount(), 0);
    EXPECT_TRUE(f.view->ConnectButton()->isEnabled());
}

TEST(SdFileControlView, AFolderShowsItsFilesWithTheirSizes)
{
    SdViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.Connect();
    f.Select(f.SdFolder("LogData"));
    EXPECT_EQ(f.view->CurrentSdFolder(), "/LogData");
    EXPECT_EQ(Column(f.view->SdList(), 0), (std::vector<QString>{"1", "2"}));
    EXPECT_EQ(Column(f.view->SdList(), 1), (std::vector<QString>{"a.cld", "b.cld"}));
    EXPECT_EQ(Column(f.view->SdList(), 4), (std::vector<QString>{"4,097", "10"}));
    EXPECT_EQ(f.view->SdList()->currentRow(), 0);
}

TEST(SdFileControlView, FoldersAreMadeAndDeletedAndFilesDeletedWithTheirQuestions)
{
    SdViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.Connect();
    f.Select(f.SdFolder("Models"));
    f.questions.answer = "Heli";
    f.view->NewFolderButton()->click();
    f.Finish();
    EXPECT_EQ(f.questions.prompts, std::vector<QString>{"New Folder Name"});
    EXPECT_TRUE(fs::is_directory(f.card.Root() / "Models" / "Heli"));
    EXPECT_EQ(f.view->CurrentSdFolder(), "/Models/Heli");
    f.Select(f.SdFolder("Models"));
    f.view->NewFolder();
    f.Finish();
    EXPECT_EQ(f.boxes.Texts(), std::vector<QString>{"Make Folder Fail"}) << "the folder exists already";
    EXPECT_EQ(Children(f.SdFolder("Models")), std::vector<QString>{"Heli"});
    f.boxes.AnswerWith(false);
    f.view->DeleteFolderButton()->click();
    EXPECT_FALSE(f.view->IsBusy()) << "No asks nothing of the card";
    EXPECT_EQ(f.boxes.Texts().back(), "Folder Delete - Models   ");
    EXPECT_TRUE(fs::exists(f.card.Root() / "Models"));
    f.boxes.AnswerWith(true);
    f.view->DeleteFolder();
    f.Finish();
    EXPECT_EQ(f.boxes.Texts().back(), "Folder Delete Fail -Models \r\n PRES_Fat_DENIED   ");

    f.view->SdList()->setCurrentCell(0, 1);
    f.view->DeleteFileButton()->click();
    f.Finish();
    EXPECT_EQ(f.boxes.Texts().back(), "File Delete - h.mdl   ");
    EXPECT_FALSE(fs::exists(f.card.Root() / "Models" / "h.mdl"));
    EXPECT_EQ(f.view->SdList()->rowCount(), 0);
}

// b.cld holds 10 bytes: less than one step of the bar, which must still end full, not busy.
TEST(SdFileControlView, AFileUnderOneBarStepEndsWithAFullBarNotABusyOne)
{
    SdViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.Connect();
    f.Select(f.SdFolder("LogData"));
    SelectRows(f.view->SdList(), {1});
    f.view->SdToPcButton()->click();
    ASSERT_TRUE(f.RunToItsEnd());
    EXPECT_EQ(f.boxes.Texts().back(), "File Transfer Success");
    EXPECT_GT(f.view->ProgressBar()->maximum(), 0);
    EXPECT_EQ(f.view->ProgressBar()->value(), f.view->ProgressBar()->maximum());
}

TEST(SdFileControlView, ColumnsShowTheirWholeTextsOnOneLineRows)
{
    SdViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.Connect();
    f.Select(f.SdFolder("LogData"));
    QTableWidget* list = f.view->SdList();
    const QFontMetrics metrics = list->fontMetrics();
    for (int column = 0; column < list->columnCount() - 1; ++column)
        for (int row = 0; row < list->rowCount(); ++row)
            EXPECT_LE(metrics.horizontalAdvance(list->item(row, column)->text()), list->columnWidth(column))
                << row << "," << column;
    EXPECT_LE(list->rowHeight(0), metrics.height() + 8);
    EXPECT_EQ(list->item(0, 1)->toolTip(), "a.cld");
}

// At its smallest usual size the PC side's Browse must not cover the card's "Delete File".
TEST(SdFileControlView, BrowseLeavesDeleteFileUncoveredWhenNarrow)
{
    SdViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.view->resize(500, 370);
    QWidget* browse = nullptr;
    for (QPushButton* button : f.view->findChildren<QPushButton*>())
        if (button->text() == "Browse")
            browse = button;
    ASSERT_NE(browse, nullptr);
    EXPECT_FALSE(browse->geometry().intersects(f.view->DeleteFileButton()->geometry()));
}

TEST(SdFileControlViewEndToEnd, FilesTravelBothWaysOnTheWorkerByteForByte)
{
    EndToEndSdViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.Connect();
    f.Select(f.SdFolder("LogData"));
    SelectRows(f.view->SdList(), {0, 1});
    f.view->SdToPcButton()->click();
    EXPECT_TRUE(f.view->IsBusy());
    EXPECT_FALSE(f.view->DisconnectButton()->isEnabled());
    EXPECT_FALSE(f.view->ConnectButton()->isEnabled());
    EXPECT_FALSE(f.view->SdTree()->isEnabled());
    EXPECT_FALSE(f.view->StopButton()->isHidden());
    ASSERT_TRUE(f.RunToItsEnd());
    EXPECT_EQ(f.boxes.Texts(), std::vector<QString>{"File Transfer Success"});
    EXPECT_TRUE(f.view->Port().IsConnected()) << "the connection stays open after a transfer";
    EXPECT_TRUE(f.view->DisconnectButton()->isEnabled());
    EXPECT_TRUE(f.view->SdTree()->isEnabled());
    EXPECT_EQ(f.view->CurrentPcFolder(), f.view->PcBaseFolder());
    EXPECT_EQ(f.home.home.Read("SD_Card_Backup/a.cld"), PatternBytes(4097, 1));
    EXPECT_EQ(f.home.home.Read("SD_Card_Backup/b.cld"), PatternBytes(10, 2));
    EXPECT_EQ(Column(f.view->PcList(), 1), (std::vector<QString>{"a.cld", "b.cld"}));
    EXPECT_EQ(LogTexts(*f.view).back(), "SD -> PC File Transfer Success. File Size : 10 byte ");

    f.Select(f.SdFolder("Models"));
    SelectRows(f.view->PcList(), {0});
    f.view->PcToSdButton()->click();
    ASSERT_TRUE(f.RunToItsEnd());
    EXPECT_EQ(f.boxes.Texts().back(), "File Transfer Success");
    EXPECT_EQ(f.card.Read("Models/a.cld"), PatternBytes(4097, 1));
    EXPECT_EQ(Column(f.view->SdList(), 1), (std::vector<QString>{"a.cld", "h.mdl"}));
    EXPECT_EQ(f.view->DiskSpaceLine()->text(), "Disk Space - Total : 15000 kbyte  Free : 14983 kbyte");
}

TEST(SdFileControlView, TheKeyboardSelectsAFolderAsTheMouseDoes)
{
    SdViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.Connect();
    f.Press(Qt::Key_Down);
    f.Press(Qt::Key_Down);
    EXPECT_EQ(f.view->SdTree()->currentItem(), f.SdFolder("LogData"));
    EXPECT_EQ(f.view->CurrentSdFolder(), "/LogData");
    EXPECT_EQ(Column(f.view->SdList(), 1), (std::vector<QString>{"a.cld", "b.cld"}));
    f.Press(Qt::Key_Down);
    EXPECT_EQ(Column(f.view->SdList(), 1), std::vector<QString>{"h.mdl"});

    f.view->DeleteFileButton()->click();
    f.Finish();
    EXPECT_FALSE(fs::exists(f.card.Root() / "Models" / "h.mdl"));
    EXPECT_TRUE(fs::exists(f.card.Root() / "h.mdl")) << "the file of that name in the root stays";

    QTest::keyClick(f.view->PcTree(), Qt::Key_Right);
    QTest::keyClick(f.view->PcTree(), Qt::Key_Down);
    QTest::keyClick(f.view->PcTree(), Qt::Key_Down);
    EXPECT_EQ(f.view->CurrentPcFolder(), f.view->PcBaseFolder() / "Models");
    EXPECT_EQ(f.view->PcPathLine()->text().toStdString(), (f.view->PcBaseFolder() / "Models").string());
}

TEST(SdFileControlView, AfterDeleteFolderTheParentIsListedAndItsFilesAreTheOnesDeleted)
{
    SdViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.Connect();
    f.Select(f.SdFolder("Models"));
    f.Press(Qt::Key_Up);
    f.Press(Qt::Key_Up);
    ASSERT_EQ(f.view->SdTree()->currentItem(), f.SdFolder("Empty"));
    f.view->DeleteFolderButton()->click();
    f.Finish();
    EXPECT_FALSE(fs::exists(f.card.Root() / "Empty"));
    EXPECT_EQ(f.view->SdTree()->currentItem(), f.SdRoot());
    EXPECT_EQ(f.view->CurrentSdFolder(), "/");
    EXPECT_EQ(Column(f.view->SdList(), 1), (std::vector<QString>{"h.mdl", "readme.txt"}));
    EXPECT_EQ(Children(f.SdRoot()), (std::vector<QString>{"LogData", "Models", "Names"}));

    f.view->SdList()->setCurrentCell(0, 1);
    f.view->DeleteFileButton()->click();
    f.Finish();
    EXPECT_FALSE(fs::exists(f.card.Root() / "h.mdl"));
    EXPECT_TRUE(fs::exists(f.card.Root() / "Models" / "h.mdl"));
    EXPECT_EQ(Column(f.view->SdList(), 1), std::vector<QString>{"readme.txt"});
}

TEST(SdFileControlView, NewFolderGoesIntoTheRootOnceTheRootIsSelected)
{
    SdViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.Connect();
    f.Select(f.SdFolder("Models"));
    f.Select(f.SdRoot());
    EXPECT_EQ(f.view->CurrentSdFolder(), "/");
    EXPECT_EQ(Column(f.view->SdList(), 1), (std::vector<QString>{"h.mdl", "readme.txt"}));
    f.questions.answer = "Heli";
    f.view->NewFolderButton()->click();
    f.Finish();
    EXPECT_TRUE(fs::is_directory(f.card.Root() / "Heli"));
    EXPECT_FALSE(fs::exists(f.card.Root() / "Models" / "Heli"));
    EXPECT_EQ(f.view->SdTree()->currentItem(), f.SdFolder("Heli"));
    EXPECT_EQ(f.view->CurrentSdFolder(), "/Heli");
}

TEST(SdFileControlView, AFolderThatCannotBeOpenedListsNoFilesOfTheFolderBefore)
{
    SdViewFixture f;
    f.controller().AddFault("nak,group=6,code=0x3d,at=3");
    ASSERT_NE(f.view, nullptr);
    f.Connect();
    f.Select(f.SdFolder("LogData"));
    ASSERT_EQ(Column(f.view->SdList(), 1), (std::vector<QString>{"a.cld", "b.cld"}));
    f.Select(f.SdFolder("Models"));
    EXPECT_EQ(f.boxes.Texts(), std::vector<QString>{"SD Directory Open Fail"});
    EXPECT_EQ(f.view->SdList()->rowCount(), 0);
    EXPECT_EQ(f.view->CurrentSdFolder(), "/Models");

    f.view->DeleteFileButton()->click();
    f.Finish();
    EXPECT_EQ(f.boxes.Texts().size(), 1u) << "no file to ask about";
    EXPECT_TRUE(fs::exists(f.card.Root() / "LogData" / "a.cld"));
}

TEST(SdFileControlView, NonAsciiNamesAreShownAndCopiedWithTheirCharacters)
{
    SdViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.Connect();
    f.Select(f.SdFolder("Names"));
    const QString name = QString::fromUtf8("M\xc3\xbcller.txt");
    ASSERT_EQ(Column(f.view->SdList(), 1), std::vector<QString>{name});
    EXPECT_EQ(Column(f.view->SdList(), 4), std::vector<QString>{"12"});
    SelectRows(f.view->SdList(), {0});
    f.view->SdToPcButton()->click();
    ASSERT_TRUE(f.RunToItsEnd());
    EXPECT_EQ(f.boxes.Texts(), std::vector<QString>{"File Transfer Success"});
    EXPECT_EQ(f.home.home.Read("SD_Card_Backup/" + name.toStdString()), PatternBytes(12, 6));
}

TEST(SdFileControlView, AFailingStepDisconnectsWithItsText)
{
    SdViewFixture f;
    f.controller().AddFault("busy,group=3,count=10");
    ASSERT_NE(f.view, nullptr);
    f.Connect();
    EXPECT_EQ(f.boxes.Texts(), std::vector<QString>{"SD Log Stop Fail"});
    EXPECT_FALSE(f.view->Port().IsConnected());
    EXPECT_TRUE(f.view->ConnectButton()->isEnabled());
}

// The controller, held by the test, answers nothing, as a card that never answers: the job waits
// on it, the window does not. Events go on, Stop is taken, closing waits for the job; once the
// card answers, the job ends at its next step and the window closes.
TEST(SdFileControlView, ACardThatDoesNotAnswerHoldsUpTheJobNotTheWindow)
{
    SdViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.Connect();
    f.controller().engine().KeepRequestLog(true);
    QPointer<CView_Frame> frame = f.frame.frame->FindFrame(kViewSdFileControl);
    std::unique_lock silentCard(f.controller().mutex());

    Click(f.view->SdTree(), f.SdFolder("LogData"));
    EXPECT_TRUE(f.view->IsBusy());
    EXPECT_TRUE(WaitUntil([&] { return f.view->CurrentSdFolder() == "/LogData"; })) << "the job's reports arrive";
    EXPECT_EQ(f.view->SdList()->rowCount(), 0) << "the folder before is no longer shown";
    QTest::mouseClick(f.view->StopButton(), Qt::LeftButton);
    EXPECT_TRUE(f.view->StopRequested());
    frame->close();
    EXPECT_TRUE(frame->IsClosePending());
    EXPECT_TRUE(f.view->IsBusy()) << "the card has still not answered";

    silentCard.unlock();
    ASSERT_TRUE(WaitUntil([&frame] { return frame.isNull(); }));
    EXPECT_TRUE(f.boxes.Texts().empty());
    std::lock_guard lock(f.controller().mutex());
    std::vector<uint8_t> codes;
    for (const sim::Request& request : f.controller().engine().RequestLog())
        codes.push_back(request.code);
    EXPECT_EQ(codes, (std::vector<uint8_t>{'=', '<', '<', '<'})) << "the folder is listed, its sizes are not asked";
}

}  // namespace
}  // namespace skarnel::test
