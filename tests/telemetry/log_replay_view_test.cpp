#include "shell/live_log_control.h"
#include "shell/main_frame.h"
#include "shell/view_frame.h"
#include "shell/view_table.h"
#include "telemetry/live_log_file.h"
#include "telemetry/views/live_telemetry_hub.h"
#include "telemetry/views/log_plot_widget.h"
#include "telemetry/views/log_sensor_view.h"
#include "telemetry/views/replay_time_display.h"
#include "tests/support/simulated_frame.h"
#include "tests/support/temp_folder.h"
#include "tests/support/packed_field.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

namespace skarnel::test {
namespace {

// A live log of `records` passes five a second, every fifth with a GPS block.
std::string WriteLiveLog(const TempFolder& folder, int records)
{
    const std::string path = folder.Path("flight.cld");
    LiveLogWriter writer;
    EXPECT_TRUE(writer.Create(path));
    LiveLogRecord record;
    for (int i = 0; i < records; ++i) {
        record.receiverTime = record.rfTime = 20 * (i + 1);
        record.receiver.recvVolt = 7.4f;
        record.rf.txLevel[0] = static_cast<uint8_t>(i + 1);
        record.gpsTime = i % 5 == 0 ? record.rfTime : 0;
        record.gps.rxsq = 60;
        record.gps.nsHigh = 4807;
        record.gps.nsLow = static_cast<int32_t>(i);
        record.gps.speed = i;
        EXPECT_TRUE(writer.Append(record));
    }
    EXPECT_TRUE(writer.Close());
    return path;
}

class RunningLiveLog final : public LiveLogControl {
public:
    bool IsRunning() const override { return true; }
    bool Start(CMainFrame&) override { return true; }
    void RequestStop() override {}
};

struct ReplayViewFixture : SimulatedFrameFixture {
    ReplayViewFixture()
    {
        view = dynamic_cast<CLog_Sensor_View*>(frame->OpenView(kViewLogSensor));
        EXPECT_NE(view, nullptr);
        QObject::connect(&frame->LiveData(), &CLive_Telemetry_Hub::NewData, [this](int index) { ++newData[index]; });
        QObject::connect(view, &CLog_Sensor_View::ReplayPositionChanged,
                         [this](qint64 hundredths) { positions.push_back(hundredths); });
    }

    void Load(int records)
    {
        dialogs.answer = QString::fromStdString(WriteLiveLog(logs, records));
        view->BrowseButton()->click();
        ASSERT_TRUE(WaitUntil([this] { return !view->IsLoading(); }));
    }

    // Lets virtual time pass in replay steps.
    void Run(int64_t milliseconds)
    {
        for (int64_t passed = 0; passed < milliseconds; passed += kReplayStepMs) {
            controller.clock().SleepMs(kReplayStepMs);
            view->ReplayTick();
        }
    }

    const LiveTelemetry& Live() const { return frame->LiveData().Data(); }

    bool ButtonsReplaying() const
    {
        return !view->ReplayStartButton()->isEnabled() && !view->BrowseButton()->isEnabled() &&
               view->ReplayStopButton()->isEnabled() && view->ReplayPauseButton()->isEnabled();
    }

    bool ButtonsIdle() const
    {
        return view->ReplayStartButton()->isEnabled() && view->BrowseButton()->isEnabled() &&
               !view->ReplayStopButton()->isEnabled() && !view->ReplayPauseButton()->isEnabled() &&
               view->ReplayPauseButton()->text() == "Pause";
    }

    ScriptedFileDialogs dialogs;
    RecordingMessageBoxes boxes;
    TempFolder logs;
    CLog_Sensor_View* view = nullptr;
    std::map<int, int> newData;
    std::vector<qint64> positions;
};

TEST(LogReplayView, OpensWithAnEmptyProgressBarAndTheReplayChoices)
{
    ReplayViewFixture fixture;
    EXPECT_GT(fixture.view->ProgressBar()->maximum(), 0);  // not the endless busy bar
    EXPECT_EQ(fixture.view->ProgressBar()->value(), 0);
    QComboBox* speeds = fixture.view->SpeedCombo();
    ASSERT_EQ(speeds->count(), 5);
    EXPECT_EQ(speeds->itemText(0), "x1");
    EXPECT_EQ(speeds->itemText(4), "x50");
    EXPECT_EQ(speeds->currentIndex(), 0);
}

TEST(LogReplayView, StartOpensTheLiveViewsAndFeedsThemStepByStep)
{
    ReplayViewFixture fixture;
    fixture.Load(50);  // 10 s, GPS every second
    fixture.view->ReplayStartButton()->click();
    EXPECT_TRUE(fixture.ButtonsReplaying());
    EXPECT_TRUE(fixture.view->ReplayTimer()->isActive());
    for (int view : {kViewLiveSensorReceiver, kViewLiveLogDbm, kViewLiveSensorGps, kViewGpsCurve})
        EXPECT_NE(fixture.frame->FindView(view), nullptr) << view;
    EXPECT_EQ(fixture.frame->FindView(kViewLiveSensorGeneral), nullptr);
    EXPECT_EQ(fixture.frame->FindView(kViewGpsMap) != nullptr, fixture.frame->IsViewAvailable(kViewGpsMap));
    EXPECT_EQ(fixture.Live().path.count, 10);
    EXPECT_EQ(fixture.Live().path.points[9].key, 9);

    fixture.Run(2000);
    EXPECT_EQ(Copied(fixture.Live().receiver.recvVolt), 7.4f);
    EXPECT_GT(fixture.newData[kViewLiveSensorReceiver], 5);
    EXPECT_GT(fixture.newData[kViewLiveLogDbm], 5);
    EXPECT_GT(fixture.Live().txLevel[0], 0);
    EXPECT_EQ(fixture.Live().txMax[0], fixture.Live().txLevel[0]);
    EXPECT_GT(fixture.newData[kViewLiveSensorGps], 0);
    EXPECT_GT(fixture.newData[kViewGpsCurve], 0);
    EXPECT_GT(fixture.Live().path.current, 0);
    ASSERT_FALSE(fixture.positions.empty());
    EXPECT_EQ(fixture.positions.back(), 200);
    EXPECT_EQ(fixture.view->TimeDisplay()->Current(), 200);
    EXPECT_EQ(fixture.view->TrackBar()->value(), 2);
}

TEST(LogReplayView, PauseResumeAndStopSetTheButtons)
{
    ReplayViewFixture fixture;
    fixture.Load(50);
    QPushButton* pause = fixture.view->ReplayPauseButton();
    pause->click();  // nothing runs yet
    EXPECT_EQ(pause->text(), "Pause");
    fixture.view->ReplayStartButton()->click();
    fixture.Run(1000);
    pause->click();
    EXPECT_EQ(pause->text(), "Resume");
    EXPECT_TRUE(fixture.view->Replay().IsPaused());
    fixture.Run(3000);
    EXPECT_EQ(fixture.view->TimeDisplay()->Current(), 100);
    pause->click();
    EXPECT_EQ(pause->text(), "Pause");
    fixture.Run(1000);
    EXPECT_EQ(fixture.view->TimeDisplay()->Current(), 180);  // 200 ms held
    fixture.view->ReplayStopButton()->click();
    EXPECT_TRUE(fixture.ButtonsIdle());
    EXPECT_FALSE(fixture.view->ReplayTimer()->isActive());
}

TEST(LogReplayView, TheEndOfTheLogStopsTheReplayAtItsEnd)
{
    ReplayViewFixture fixture;
    fixture.Load(10);  // ends at 2 s
    fixture.view->ReplayStartButton()->click();
    fixture.Run(2500);
    EXPECT_TRUE(fixture.ButtonsIdle());
    EXPECT_FALSE(fixture.view->ReplayTimer()->isActive());
    EXPECT_EQ(fixture.view->TimeDisplay()->Current(), 200);
    EXPECT_EQ(fixture.Live().txLevel[0], 10);
}

TEST(LogReplayView, TheTrackBarTheGoToTimeAndTheSpeedMoveTheReplay)
{
    ReplayViewFixture fixture;
    fixture.Load(100);  // 20 s
    fixture.view->ReplayStartButton()->click();
    fixture.Run(1000);
    QSlider* track = fixture.view->TrackBar();
    track->setValue(12);
    emit track->sliderReleased();
    EXPECT_EQ(fixture.view->Replay().StartPosition(), 1200);
    EXPECT_EQ(fixture.positions.back(), 1200);
    fixture.Run(200);  // held 200 ms, then on from 12 s
    EXPECT_EQ(fixture.view->TimeDisplay()->Current(), 1200);

    fixture.view->GoToEdit()->setText("3.5");
    emit fixture.view->GoToEdit()->returnPressed();
    EXPECT_EQ(fixture.view->Replay().StartPosition(), 350);
    EXPECT_EQ(track->value(), 3);
    EXPECT_EQ(fixture.positions.back(), 350);

    fixture.Run(300);
    fixture.view->SpeedCombo()->setCurrentIndex(3);  // x10
    EXPECT_EQ(fixture.view->Replay().Speed(), 10);
    const int64_t before = fixture.view->TimeDisplay()->Current();
    fixture.Run(500);
    EXPECT_EQ(fixture.view->TimeDisplay()->Current(), before + 500);
}

TEST(LogReplayView, AGoToTimeWhileStoppedShowsThatTimeOnTheDisplayAndTheTrackBar)
{
    ReplayViewFixture fixture;
    fixture.Load(100);  // 20 s
    fixture.view->GoToEdit()->setText("7.5");
    emit fixture.view->GoToEdit()->returnPressed();
    EXPECT_EQ(fixture.view->TimeDisplay()->Current(), 750);
    EXPECT_EQ(fixture.view->TrackBar()->value(), 7);
    EXPECT_EQ(fixture.positions.back(), 750);
    fixture.view->GoToEdit()->setText("500");  // beyond the end: the end
    emit fixture.view->GoToEdit()->returnPressed();
    EXPECT_EQ(fixture.view->TimeDisplay()->Current(), fixture.view->EndTime());
}

// Every user move of the track bar moves the replay, as letting go of the thumb does.
TEST(LogReplayView, EveryUserMoveOfTheTrackBarMovesTheReplay)
{
    struct Case {
        const char* name;
        std::function<void(QSlider&)> move;
        int second;
    };
    const auto key = [](Qt::Key k) { return [k](QSlider& track) { QTest::keyClick(&track, k); }; };
    const Case cases[] = {
        {"groove click", [](QSlider& track) { track.triggerAction(QAbstractSlider::SliderPageStepAdd); }, 15},
        {"right arrow", key(Qt::Key_Right), 6},
        {"left arrow", key(Qt::Key_Left), 4},
        {"page up", key(Qt::Key_PageUp), 15},
        {"page down", key(Qt::Key_PageDown), 0},
        {"end", key(Qt::Key_End), TrackBarEnd(2000)},
        {"home", key(Qt::Key_Home), 0},
        {"wheel",
         [](QSlider& track) {
             QWheelEvent wheel(QPointF(5, 5), track.mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 120), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(&track, &wheel);
         },
         8},  // three steps a notch
    };
    for (const Case& c : cases) {
        ReplayViewFixture fixture;
        fixture.Load(100);  // 20 s
        fixture.view->ReplayStartButton()->click();
        fixture.Run(500);
        fixture.view->PauseReplay();
        QSlider& track = *fixture.view->TrackBar();
        track.setValue(5);
        c.move(track);
        EXPECT_EQ(track.value(), c.second) << c.name;
        EXPECT_EQ(fixture.view->Replay().StartPosition(), c.second * 100) << c.name;
        EXPECT_EQ(fixture.view->TimeDisplay()->Current(), c.second * 100) << c.name;
    }
}

TEST(LogReplayView, TheReplayMovingTheTrackBarDoesNotMoveTheReplay)
{
    ReplayViewFixture fixture;
    fixture.Load(100);
    fixture.view->ReplayStartButton()->click();
    fixture.Run(3000);
    EXPECT_EQ(fixture.view->TrackBar()->value(), 3);
    EXPECT_EQ(fixture.view->Replay().StartPosition(), 0);  // never moved by the user
}

TEST(LogReplayView, OnlyTheSelectedTabsPageShows)
{
    ReplayViewFixture fixture;
    ShowOffScreen(*fixture.frame);
    fixture.view->resize(900, 600);
    for (int tab : {0, kLogListCount, 2}) {
        fixture.view->Tabs()->setCurrentIndex(tab);
        for (int i = 0; i < kLogListCount; ++i)
            EXPECT_EQ(fixture.view->List(static_cast<LogList>(i))->isVisible(), i == tab) << tab << " " << i;
        EXPECT_EQ(fixture.view->Plot()->isVisible(), tab == kLogListCount) << tab;
    }
}

TEST(LogReplayView, StartIsRefusedWhileALiveRecordingRuns)
{
    ReplayViewFixture fixture;
    fixture.Load(20);
    fixture.frame->SetLiveLogControl(std::make_unique<RunningLiveLog>());
    fixture.view->ReplayStartButton()->click();
    EXPECT_TRUE(fixture.ButtonsIdle());
    EXPECT_FALSE(fixture.view->Replay().IsRunning());
    EXPECT_EQ(fixture.frame->FindView(kViewLiveSensorReceiver), nullptr);
}

TEST(LogReplayView, ClosingTheViewStopsTheReplayAtOnce)
{
    ReplayViewFixture fixture;
    fixture.Load(50);
    fixture.view->ReplayStartButton()->click();
    fixture.Run(500);
    QPointer<CLog_Sensor_View> view = fixture.view;
    fixture.frame->FindFrame(kViewLogSensor)->close();
    ASSERT_TRUE(WaitUntil([&] { return view.isNull(); }));
    const std::map<int, int> before = fixture.newData;
    fixture.controller.clock().SleepMs(1000);
    WaitUntil([] { return false; }, 300);  // the event loop runs; no timer is left to step
    EXPECT_EQ(fixture.newData, before);
}

}  // namespace
}  // namespace skarnel::test
