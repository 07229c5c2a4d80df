#include "sim/controller_log.h"
#include "shell/view_frame.h"
#include "shell/view_table.h"
#include "telemetry/live_log_file.h"
#include "telemetry/views/log_sensor_view.h"
#include "telemetry/views/log_table_model.h"
#include "telemetry/views/replay_time_display.h"
#include "tests/support/gui_support.h"
#include "tests/support/temp_folder.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTableView>

#include <gtest/gtest.h>

#include <chrono>

namespace skarnel::test {
namespace {

// A live log of `records` passes, every fifth with a GPS block, five passes a second.
std::string WriteLiveLog(const TempFolder& folder, const std::string& name, int records)
{
    const std::string path = folder.Path(name);
    LiveLogWriter writer;
    EXPECT_TRUE(writer.Create(path));
    LiveLogRecord record;
    for (int i = 0; i < records; ++i) {
        record.receiverTime = record.rfTime = 20 * (i + 1);
        record.receiver.recvVolt = 7.4f;
        record.rf.txLevel[0] = static_cast<uint8_t>(i);
        record.gpsTime = i % 5 == 0 ? record.rfTime : 0;
        record.gps.rxsq = 60;
        record.gps.nsHigh = 4807;
        EXPECT_TRUE(writer.Append(record));
    }
    EXPECT_TRUE(writer.Close());
    return path;
}

std::string WriteControllerLog(const TempFolder& folder, const std::string& name, int records)
{
    const std::string path = folder.Path(name);
    EXPECT_TRUE(sim::WriteSimulatedControllerLog(path, records, kSensorGps));
    return path;
}

struct LogViewFixture : FrameFixture {
    LogViewFixture() : FrameFixture(TestFrameOptions())
    {
        view = dynamic_cast<CLog_Sensor_View*>(frame->OpenView(kViewLogSensor));
        EXPECT_NE(view, nullptr);
    }

    // Chooses the file in Browse's dialog and waits until it has loaded.
    void Browse(const std::string& path)
    {
        dialogs.answer = QString::fromStdString(path);
        view->BrowseButton()->click();
        ASSERT_TRUE(WaitUntil([this] { return !view->IsLoading(); }));
    }

    std::vector<QString> Headers(LogList list) const
    {
        std::vector<QString> titles;
        const CLog_Table_Model* model = view->Model(list);
        for (int column = 0; column < model->columnCount(); ++column)
            titles.push_back(model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
        return titles;
    }

    QString Cell(LogList list, int row, int column) const
    {
        return view->Model(list)->index(row, column).data().toString();
    }

    ScriptedFileDialogs dialogs;
    RecordingMessageBoxes boxes;
    TempFolder logs;
    CLog_Sensor_View* view = nullptr;
};

TEST(LogSensorView, OpensWithItsControlsAndTexts)
{
    LogViewFixture fixture;
    CLog_Sensor_View& view = *fixture.view;
    EXPECT_EQ(view.BrowseButton()->text(), "Browse");
    EXPECT_TRUE(view.LoadButton()->isHidden());
    EXPECT_EQ(view.LoadButton()->text(), "Start");
    EXPECT_EQ(view.CountText()->text(), "0 / 0");
    EXPECT_EQ(view.ReplayStartButton()->text(), "Start");
    EXPECT_TRUE(view.ReplayStartButton()->isEnabled());
    EXPECT_EQ(view.ReplayPauseButton()->text(), "Pause");
    EXPECT_FALSE(view.ReplayPauseButton()->isEnabled());
    EXPECT_EQ(view.ReplayStopButton()->text(), "Stop");
    EXPECT_FALSE(view.ReplayStopButton()->isEnabled());
    EXPECT_EQ(view.TrackLabel()->text(), "Replay Position");
    EXPECT_EQ(view.TrackBar()->pageStep(), 10);
    ASSERT_EQ(view.Tabs()->count(), 8);
    EXPECT_EQ(view.Tabs()->tabText(0), " General    ");
    EXPECT_EQ(view.Tabs()->tabText(6), " Channel    ");
    EXPECT_EQ(view.Tabs()->tabText(7), "Plot");
    for (int i = 0; i < kLogListCount; ++i) {
        QTableView* list = view.List(static_cast<LogList>(i));
        EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_TRUE(list->showGrid());
    }
}

TEST(LogSensorView, ALiveLogFillsTheListsWithTheirColumnsAndFormats)
{
    LogViewFixture fixture;
    const std::string path = WriteLiveLog(fixture.logs, "flight.cld", 25);
    fixture.Browse(path);
    CLog_Sensor_View& view = *fixture.view;

    EXPECT_EQ(view.PathEdit()->text().toStdString(), path);
    EXPECT_EQ(view.CountText()->text(), "25 / 25");
    EXPECT_EQ(view.ProgressBar()->maximum(), 2);
    EXPECT_EQ(view.ProgressBar()->value(), 2);
    EXPECT_EQ(view.Model(LogList::Receiver)->rowCount(), 25);
    EXPECT_EQ(view.Model(LogList::RfLevel)->rowCount(), 25);
    EXPECT_EQ(view.Model(LogList::Gps)->rowCount(), 5);
    EXPECT_EQ(view.Model(LogList::General)->rowCount(), 0);

    EXPECT_EQ(fixture.Cell(LogList::Receiver, 0, 0), "1");
    EXPECT_EQ(fixture.Cell(LogList::Receiver, 0, 1), "+ 0.20 sec");
    EXPECT_EQ(fixture.Cell(LogList::Receiver, 0, 6), "7.4");
    EXPECT_EQ(fixture.Cell(LogList::Gps, 1, 1), "+ 1.20 sec");
    EXPECT_EQ(fixture.Cell(LogList::Gps, 1, 6), "4807");
    EXPECT_EQ(fixture.Cell(LogList::RfLevel, 24, 2), "24");
    EXPECT_EQ(view.Model(LogList::Gps)->index(1, 3).data(CLog_Table_Model::kTimeRole).toInt(), 120);

    const std::vector<QString> rf = fixture.Headers(LogList::RfLevel);
    ASSERT_EQ(rf.size(), 152u);
    EXPECT_EQ(rf[2], "Tx_01");
    EXPECT_EQ(rf[151], "Rx_75");
    QHeaderView* header = view.List(LogList::RfLevel)->horizontalHeader();
    EXPECT_EQ(header->sectionSize(0), 50);
    EXPECT_EQ(header->sectionSize(1), 100);
    EXPECT_EQ(header->sectionSize(2), 50);
    EXPECT_EQ(view.List(LogList::Gps)->horizontalHeader()->sectionSize(5), 70);

    // The end is the last record's RF time: 500 hundredths, a track bar of 3 seconds.
    EXPECT_EQ(view.EndTime(), 500);
    EXPECT_EQ(view.TrackBar()->maximum(), 3);
    EXPECT_EQ(view.TimeDisplay()->End(), 500);
}

TEST(LogSensorView, TheLanguageChangesTextsButKeepsTheLiveRfAndChannelColumns)
{
    LogViewFixture fixture;
    fixture.Browse(WriteLiveLog(fixture.logs, "flight.cld", 3));
    fixture.frame->SetLanguage(1);
    CLog_Sensor_View& view = *fixture.view;
    EXPECT_EQ(view.Tabs()->tabText(0), " General_d  ");
    EXPECT_EQ(view.Tabs()->tabText(5), " RF RXSQ_d  ");
    EXPECT_EQ(fixture.Headers(LogList::Vario).back(), "Alt 10sec_d");
    EXPECT_EQ(fixture.Headers(LogList::Receiver).front(), "No_d");
    const std::vector<QString> rf = fixture.Headers(LogList::RfLevel);
    EXPECT_EQ(rf.size(), 152u);
    EXPECT_EQ(rf[0], "No");
    EXPECT_EQ(rf[2], "Tx_01");
    EXPECT_EQ(fixture.Headers(LogList::Channel)[2], "Ch01");

    // A controller log's RF list follows the language; its channel list does not.
    fixture.Browse(WriteControllerLog(fixture.logs, "flight.bin", 300));
    EXPECT_EQ(fixture.Headers(LogList::RfLevel), (std::vector<QString>{"No_d", "Time_d", "Channel_d", "Tx_d", "Rx_d"}));
    EXPECT_EQ(fixture.Headers(LogList::Channel)[1], "Time");
    fixture.frame->SetLanguage(0);
    EXPECT_EQ(fixture.Headers(LogList::RfLevel), (std::vector<QString>{"No", "Time", "Channel", "Tx", "Rx"}));
    EXPECT_EQ(view.Tabs()->tabText(0), " General    ");
}

// Every list of either format, in either language, shows one-line rows whose texts fit their
// columns, each column at least its given width and the last stretched.
TEST(LogSensorView, TheListsFitTheirTextsOnOneLine)
{
    LogViewFixture fixture;
    CLog_Sensor_View& view = *fixture.view;
    const std::string logs[] = {WriteLiveLog(fixture.logs, "flight.cld", 40),
                                WriteControllerLog(fixture.logs, "flight.bin", 600)};
    for (const std::string& log : logs) {
        fixture.Browse(log);
        for (int language : {0, 1}) {
            fixture.frame->SetLanguage(language);
            for (int i = 0; i < kLogListCount; ++i) {
                const auto list = static_cast<LogList>(i);
                const QTableView& table = *view.List(list);
                const std::string where = log + " language " + std::to_string(language) + " list " + std::to_string(i);
                EXPECT_EQ(ListShapeFaults(table), std::vector<std::string>{}) << where;
                const LogLayout& layout = view.Tables().Layout(list);
                for (int column = 0; column < view.Model(list)->columnCount(); ++column)
                    EXPECT_GE(table.columnWidth(column), ColumnWidth(layout, column)) << where << " column " << column;
            }
        }
        fixture.frame->SetLanguage(0);
    }
}

TEST(LogSensorView, TheTrackBarCoversTheLogAndNeverRunsBelowZero)
{
    struct Case {
        int records;
        int trackEnd;
    };
    LogViewFixture fixture;
    for (const Case& c : {Case{3000, 28}, Case{100, 0}, Case{0, 0}}) {
        fixture.Browse(WriteControllerLog(fixture.logs, "log" + std::to_string(c.records) + ".bin", c.records));
        EXPECT_EQ(fixture.view->EndTime(), c.records);
        EXPECT_EQ(fixture.view->TrackBar()->minimum(), 0);
        EXPECT_EQ(fixture.view->TrackBar()->maximum(), c.trackEnd) << c.records;
        EXPECT_EQ(fixture.view->CountText()->text(), c.records == 0 ? "0 / 0" : QString("%1 / %1").arg(c.records));
    }
}

TEST(LogSensorView, DraggingTheTrackBarShowsTheSecondsUntilReleased)
{
    LogViewFixture fixture;
    fixture.Browse(WriteControllerLog(fixture.logs, "flight.bin", 3000));
    QSlider* track = fixture.view->TrackBar();
    emit track->sliderMoved(12);
    EXPECT_EQ(fixture.view->TrackLabel()->text(), "Move : 12 s");
    emit track->sliderReleased();
    EXPECT_EQ(fixture.view->TrackLabel()->text(), "Replay Position");
}

TEST(LogSensorView, ARefusedFileLeavesTheListsAsTheyWere)
{
    LogViewFixture fixture;
    fixture.Browse(WriteLiveLog(fixture.logs, "flight.cld", 4));
    const std::string damaged = fixture.logs.Write("damaged.bin", std::vector<uint8_t>(65, 0));
    fixture.Browse(damaged);
    ASSERT_EQ(fixture.boxes.Boxes().size(), 1u);
    EXPECT_EQ(fixture.boxes.Boxes()[0].text, "Log file size mismatch");
    EXPECT_EQ(fixture.boxes.Boxes()[0].icon, MessageIcon::Error);
    EXPECT_EQ(fixture.view->Model(LogList::Receiver)->rowCount(), 4);
}

TEST(LogSensorView, ACancelledChoiceEmptiesThePath)
{
    LogViewFixture fixture;
    fixture.view->PathEdit()->setText("old.bin");
    fixture.Browse("");
    EXPECT_TRUE(fixture.view->PathEdit()->text().isEmpty());
    EXPECT_TRUE(fixture.boxes.Boxes().empty());
}

TEST(LogSensorView, TheHiddenStartLoadsTheNamedFile)
{
    LogViewFixture fixture;
    fixture.view->PathEdit()->setText(QString::fromStdString(WriteLiveLog(fixture.logs, "FLIGHT.CLD", 2)));
    fixture.view->LoadButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return !fixture.view->IsLoading(); }));
    EXPECT_EQ(fixture.view->Tables().Format(), LogFormat::LiveLog);
    EXPECT_EQ(fixture.view->Model(LogList::Receiver)->rowCount(), 2);
}

TEST(LogSensorView, AnotherFileCancelsTheLoadThatRunsAndOnlyItsRowsArrive)
{
    LogViewFixture fixture;
    const std::string large = WriteControllerLog(fixture.logs, "large.bin", 200000);
    const std::string small = WriteLiveLog(fixture.logs, "small.cld", 7);
    fixture.view->PathEdit()->setText(QString::fromStdString(large));
    fixture.view->LoadNamedFile();
    fixture.Browse(small);
    // Whatever the first load had handed on before it was cancelled never arrives.
    QApplication::processEvents();
    EXPECT_EQ(fixture.view->Tables().Format(), LogFormat::LiveLog);
    EXPECT_EQ(fixture.view->Model(LogList::Receiver)->rowCount(), 7);
    EXPECT_EQ(fixture.view->Model(LogList::Channel)->rowCount(), 0);
    EXPECT_EQ(fixture.view->CountText()->text(), "7 / 7");
    EXPECT_EQ(fixture.view->EndTime(), 140);
}

TEST(LogSensorView, ClosingTheViewCancelsItsLoadAtOnce)
{
    LogViewFixture fixture;
    const std::string large = WriteControllerLog(fixture.logs, "large.bin", 400000);
    fixture.view->PathEdit()->setText(QString::fromStdString(large));
    fixture.view->LoadNamedFile();
    // Closed before the window has taken the load's end, however far the loader has come.
    ASSERT_TRUE(fixture.view->IsLoading());
    QPointer<CLog_Sensor_View> view = fixture.view;
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(fixture.frame->FindFrame(kViewLogSensor)->close());
    ASSERT_TRUE(WaitUntil([&] { return view.isNull(); }));
    // The loader stops at its next record: far sooner than the rest of the file would take.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    QApplication::processEvents();
}

TEST(LogSensorView, ExportsTheVisibleListAndTheGpsPathFromTheListsMenu)
{
    LogViewFixture fixture;
    fixture.Browse(WriteLiveLog(fixture.logs, "flight.cld", 10));
    fixture.view->Tabs()->setCurrentIndex(static_cast<int>(LogList::Gps));
    QList<QAction*> actions = fixture.view->List(LogList::Gps)->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0]->text(), "Export List to CSV");

    fixture.dialogs.answer = QString::fromStdString(fixture.logs.Path("gps.csv"));
    actions[0]->trigger();
    const std::vector<uint8_t> csv = fixture.logs.Read("gps.csv");
    const std::string text(csv.begin(), csv.end());
    EXPECT_EQ(text.substr(0, 20), "No,Time,RF RXSQ,Dire");
    EXPECT_NE(text.find("\r\n2,+ 1.20 sec,60,"), std::string::npos);

    fixture.dialogs.answer = QString::fromStdString(fixture.logs.Path("path.kml"));
    actions[3]->trigger();
    EXPECT_TRUE(fixture.logs.Exists("path.kml"));
    EXPECT_TRUE(fixture.boxes.Boxes().empty());

    // A log without GPS rows writes no track and says why.
    fixture.Browse(WriteControllerLog(fixture.logs, "nogps.bin", 0));
    fixture.dialogs.answer = QString::fromStdString(fixture.logs.Path("none.gpx"));
    actions[2]->trigger();
    EXPECT_FALSE(fixture.logs.Exists("none.gpx"));
    ASSERT_EQ(fixture.boxes.Texts().size(), 1u);
    EXPECT_EQ(fixture.boxes.Texts()[0], "Export Fail: the log has no GPS rows");
}

TEST(LogSensorView, OnlyTheChosenTabsListShows)
{
    LogViewFixture fixture;
    ShowOffScreen(*fixture.frame);
    fixture.view->Tabs()->setCurrentIndex(4);
    for (int i = 0; i < kLogListCount; ++i)
        EXPECT_EQ(fixture.view->List(static_cast<LogList>(i))->isVisible(), i == 4) << i;
}

TEST(LogSensorView, TheLayoutFollowsTheViewsSize)
{
    LogViewFixture fixture;
    ShowOffScreen(*fixture.frame);
    CLog_Sensor_View& view = *fixture.view;
    view.resize(650, 450);
    EXPECT_EQ(view.PathEdit()->geometry(), QRect(15, 28, 520, 22));
    EXPECT_EQ(view.BrowseButton()->geometry(), QRect(540, 28, 95, 22));
    EXPECT_EQ(view.CountText()->geometry(), QRect(540, 55, 95, 22));
    EXPECT_EQ(view.ProgressBar()->geometry(), QRect(15, 55, 520, 15));
    EXPECT_EQ(view.TimeDisplay()->geometry(), QRect(230, 110, 405, 40));
    EXPECT_EQ(view.ReplayStartButton()->geometry(), QRect(15, 110, 65, 40));
    EXPECT_EQ(view.ReplayPauseButton()->geometry(), QRect(85, 110, 65, 40));
    EXPECT_EQ(view.ReplayStopButton()->geometry(), QRect(155, 110, 65, 40));
    EXPECT_EQ(view.TrackBar()->geometry(), QRect(95, 150, 543, 30));
    EXPECT_EQ(view.Tabs()->geometry(), QRect(10, 200, 630, 41));
    for (int i = 0; i < kLogListCount; ++i)
        EXPECT_EQ(view.List(static_cast<LogList>(i))->geometry(), QRect(10, 240, 630, 200));
}

}  // namespace
}  // namespace skarnel::test
