#include "base/reporter.h"
#include "sim/controller_log.h"
#include "telemetry/log_loader.h"
#include "telemetry/log_replay.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace skarnel::test {
namespace {

std::vector<ReplayStep> StepsOf(const std::vector<ReplayStep>& steps, ReplayKind kind)
{
    std::vector<ReplayStep> found;
    for (const ReplayStep& step : steps)
        if (step.kind == kind)
            found.push_back(step);
    return found;
}

// Ticks every 100 ms from `fromMs` up to and including `toMs`, collecting every step.
std::vector<ReplayStep> TickThrough(LogReplay& replay, int64_t fromMs, int64_t toMs)
{
    std::vector<ReplayStep> all;
    for (int64_t now = fromMs; now <= toMs; now += kReplayStepMs) {
        std::vector<ReplayStep> steps = replay.Tick(now);
        all.insert(all.end(), steps.begin(), steps.end());
    }
    return all;
}

// A live log of one row per list every second from 1 s to `seconds` s, ending half a second
// after its last row unless told otherwise.
LogTables LiveLogTables(int seconds, int32_t endTime = -1)
{
    LogTables tables;
    tables.Begin(LogFormat::LiveLog);
    for (int second = 1; second <= seconds; ++second) {
        const int32_t time = second * 100;
        GeneralData general;
        general.rpm = second;
        tables.AddGeneral(time, general);
        ElectricData electric;
        electric.temp1 = second;
        tables.AddElectric(time, electric);
        VarioData vario;
        vario.altitude = second;
        tables.AddVario(time, vario);
        ReceiverData receiver;
        receiver.strength = static_cast<uint8_t>(second);
        tables.AddReceiver(time, receiver);
        GpsData gps;
        gps.speed = second;
        gps.nsHigh = 4807;
        gps.rxsq = 1;
        tables.AddGps(time, gps);
        DbmScan scan;
        scan.txLevel[3] = static_cast<uint8_t>(second);
        tables.AddRfLevels(time, scan);
    }
    tables.End(endTime < 0 ? seconds * 100 + 50 : endTime);
    return tables;
}

TEST(TrackBarEnd, EndsTwoSecondsEarlyNeverBelowZeroAndNeverWraps)
{
    const struct {
        int64_t endTime;
        int end;
    } cases[] = {
        {3000, 28},                          // 3000 records of a controller log: 30 s
        {0, 0},                              // nothing loaded
        {150, 0},                            // shorter than the margin
        {10 * 3600 * 100, 10 * 3600 - 2},    // ten hours: past 16 bits, still exact
        {int64_t{INT_MAX} * 1000, INT_MAX},  // beyond any int
        {-500, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrackBarEnd(c.endTime), c.end) << c.endTime;
}

TEST(LogReplay, AControllerLogOfThreeThousandRecordsEndsAtThirtySeconds)
{
    TempFolder folder;
    const std::string path = folder.Path("log.bin");
    ASSERT_TRUE(sim::WriteSimulatedControllerLog(path, 3000, kSensorGps));
    LogTables tables;
    NullReporter reporter;
    ASSERT_TRUE(LoadLogFile(path, tables, reporter));
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    EXPECT_EQ(replay.EndTime(), 3000);
    EXPECT_EQ(TrackBarEnd(replay.EndTime()), 28);
}

TEST(LogReplay, StartsOnlyWithRowsAndSetsEveryCursorToRowZero)
{
    LogTables empty;
    empty.End(500);
    LogReplay none(empty);
    EXPECT_FALSE(none.Start(0));
    EXPECT_FALSE(none.IsRunning());

    LogTables tables;
    tables.Begin(LogFormat::LiveLog);
    tables.AddVario(40, VarioData{});
    tables.End(500);
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    EXPECT_TRUE(replay.IsStepping());
    EXPECT_TRUE(replay.TakesPart(LogList::Vario));
    EXPECT_EQ(replay.CursorTime(LogList::Vario), 40);
    EXPECT_FALSE(replay.TakesPart(LogList::General));
    EXPECT_EQ(replay.CursorTime(LogList::General), 0);
}

TEST(LogReplay, StepsEveryListAtTheTimeItsRowsAreDue)
{
    const LogTables tables = LiveLogTables(5);
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    // At 0 nothing is due yet. At 1.0 s the GPS row is due, and the display runs one row
    // ahead: it shows the row of 2 s.
    EXPECT_EQ(replay.Tick(0).size(), 1u);
    const std::vector<ReplayStep> gps = StepsOf(replay.Tick(1000), ReplayKind::Gps);
    ASSERT_EQ(gps.size(), 1u);
    EXPECT_EQ(gps[0].row, 1);
    EXPECT_EQ(std::get<GpsData>(gps[0].record).speed, 2);
    // The other rows show once t is past them.
    const std::vector<ReplayStep> steps = replay.Tick(1100);
    std::vector<ReplayKind> kinds;
    for (const ReplayStep& step : steps)
        kinds.push_back(step.kind);
    EXPECT_EQ(kinds, (std::vector<ReplayKind>{ReplayKind::Receiver, ReplayKind::Position, ReplayKind::RfLiveLog,
                                              ReplayKind::General, ReplayKind::Vario, ReplayKind::Electric}));
    EXPECT_EQ(std::get<ReceiverData>(steps[0].record).strength, 1);
    EXPECT_EQ(steps[1].time, 110);
    const auto& image = std::get<DbmScan>(steps[2].record);
    EXPECT_EQ(image.txLevel[3], 1);
    EXPECT_EQ(image.first[74], 74);
    EXPECT_EQ(std::get<GeneralData>(steps[3].record).rpm, 1);
    EXPECT_EQ(std::get<VarioData>(steps[4].record).altitude, 1);
    EXPECT_EQ(std::get<ElectricData>(steps[5].record).temp1, 1);
    EXPECT_EQ(replay.CurrentPosition(), 110);
}

TEST(LogReplay, TheGpsRowShownIsTheFirstOneLaterThanTheReplayTime)
{
    LogTables tables;
    tables.Begin(LogFormat::LiveLog);
    for (int32_t time : {100, 200, 300, 400})
        tables.AddGps(time, GpsData{});
    tables.End(500);
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    std::vector<int64_t> rows;
    for (const ReplayStep& step : StepsOf(TickThrough(replay, 0, 3900), ReplayKind::Gps))
        rows.push_back(step.row);
    EXPECT_EQ(rows, (std::vector<int64_t>{1, 3}));
}

TEST(LogReplay, AControllerLogThinsTheReceiverAndFoldsRfRowsIntoOneImage)
{
    LogTables tables;
    tables.Begin(LogFormat::ControllerLog);
    for (int32_t time = 0; time < 1000; ++time) {
        tables.AddReceiver(time, ReceiverData{});
        tables.AddChannelLevel(time, time % 80, time % 200, 7);
    }
    tables.End(1000);
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    const std::vector<ReplayStep> steps = TickThrough(replay, 0, 2000);
    std::vector<int64_t> receiverTimes;
    for (const ReplayStep& step : StepsOf(steps, ReplayKind::Receiver))
        receiverTimes.push_back(step.time);
    // Due from the second step on (t 10), shown at every sixth due step.
    EXPECT_EQ(receiverTimes, (std::vector<int64_t>{60, 120, 180}));
    const std::vector<ReplayStep> rf = StepsOf(steps, ReplayKind::RfControllerLog);
    ASSERT_EQ(rf.size(), 5u);
    EXPECT_EQ(rf[0].time, 30);  // the fourth step
    EXPECT_EQ(rf[1].time, 70);
    EXPECT_EQ(rf[0].row, 30);  // rows 0..30 folded into the first image
    const auto& image = std::get<DbmScan>(rf[4].record);
    // Channels 75..79 lie outside the table and are passed over.
    EXPECT_EQ(image.first[74], 74);
    EXPECT_EQ(image.txLevel[74], 154);  // row 154 (time 154) was the last one of channel 74
    EXPECT_EQ(image.rxLevel[10], 7);
    EXPECT_EQ(rf[4].time, 190);
}

TEST(LogReplay, MovingBackRepositionsEveryCursorMovingForwardOnlyTheStart)
{
    const LogTables tables = LiveLogTables(90);
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    TickThrough(replay, 0, 60'000);
    ASSERT_EQ(replay.CurrentPosition(), 6000);
    // The row of 60 s is next: rows show once the replay is past them.
    for (LogList list : {LogList::General, LogList::Receiver, LogList::RfLevel})
        EXPECT_EQ(replay.Cursor(list), 59u);

    replay.MoveTo(1000, 60'050);
    EXPECT_EQ(replay.StartPosition(), 1000);
    // The row before the first row later than 10 s: the row of 10 s (row 9).
    for (LogList list :
         {LogList::General, LogList::Electric, LogList::Gps, LogList::Vario, LogList::Receiver, LogList::RfLevel}) {
        EXPECT_EQ(replay.Cursor(list), 9u) << static_cast<int>(list);
        EXPECT_EQ(replay.CursorTime(list), 1000);
    }
    // Held for 200 ms, then it goes on from 10 s.
    EXPECT_TRUE(replay.Tick(60'150).empty());
    const std::vector<ReplayStep> steps = replay.Tick(60'250);
    ASSERT_FALSE(StepsOf(steps, ReplayKind::Position).empty());
    EXPECT_EQ(StepsOf(steps, ReplayKind::Position)[0].time, 1000);

    replay.MoveTo(7000, 60'300);
    EXPECT_EQ(replay.StartPosition(), 7000);
    EXPECT_EQ(replay.Cursor(LogList::General), 9u);
    const std::vector<ReplayStep> ahead = TickThrough(replay, 60'500, 60'600);
    ASSERT_EQ(StepsOf(ahead, ReplayKind::General).size(), 1u);
    EXPECT_EQ(std::get<GeneralData>(StepsOf(ahead, ReplayKind::General)[0].record).rpm, 70);
}

TEST(LogReplay, PauseHoldsThePositionAndResumeContinuesThereAfterTheHold)
{
    const LogTables tables = LiveLogTables(30);
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    TickThrough(replay, 0, 12'300);
    replay.Tick(12'340);
    ASSERT_EQ(replay.CurrentPosition(), 1234);
    replay.Pause();
    for (const ReplayStep& step : StepsOf(TickThrough(replay, 12'440, 17'340), ReplayKind::Position))
        EXPECT_EQ(step.time, 1234);
    replay.Resume(17'340);
    EXPECT_EQ(replay.StartPosition(), 1234);
    EXPECT_TRUE(replay.Tick(17'440).empty());
    EXPECT_EQ(StepsOf(replay.Tick(17'540), ReplayKind::Position).at(0).time, 1234);
    EXPECT_EQ(StepsOf(replay.Tick(17'640), ReplayKind::Position).at(0).time, 1244);
}

TEST(LogReplay, AMoveWhilePausedIsWhereResumeContinues)
{
    const LogTables tables = LiveLogTables(30);
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    TickThrough(replay, 0, 5000);
    replay.Pause();
    replay.MoveTo(2000, 5050);
    EXPECT_EQ(replay.CurrentPosition(), 2000);
    replay.Resume(6000);
    EXPECT_EQ(StepsOf(replay.Tick(6200), ReplayKind::Position).at(0).time, 2000);
}

TEST(LogReplay, ReplayedRecordsAreTheListsTextsCleanedForTheGauges)
{
    LogTables tables;
    tables.Begin(LogFormat::LiveLog);
    const struct {
        float written;
        float replayed;
    } cases[] = {
        {7.4f, 7.4f},
        {7.46f, 7.5f},  // the cell shows one decimal
        {std::numeric_limits<float>::quiet_NaN(), 0.0f},
        {std::numeric_limits<float>::infinity(), 0.0f},
        {1e30f, kFloatCellLimit},
        {-1e30f, -kFloatCellLimit},
    };
    int32_t time = 100;
    for (const auto& c : cases) {
        GeneralData general;
        general.battVolt1 = c.written;
        tables.AddGeneral(time, general);
        time += 100;
    }
    tables.End(time + 100);
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    const std::vector<ReplayStep> shown = StepsOf(TickThrough(replay, 0, 10'000), ReplayKind::General);
    ASSERT_EQ(shown.size(), std::size(cases));
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(std::get<GeneralData>(shown[i].record).battVolt1, cases[i].replayed) << i;
}

TEST(LogReplay, TheEndOfTheLogShowsTheLastRfImageAndStopsAtTheEnd)
{
    const LogTables tables = LiveLogTables(3, 305);
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    TickThrough(replay, 0, 3000);
    ASSERT_TRUE(replay.IsRunning());
    const std::vector<ReplayStep> last = replay.Tick(3100);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].kind, ReplayKind::RfLiveLog);
    EXPECT_EQ(last[0].time, 305);
    EXPECT_EQ(last[0].row, 2);
    EXPECT_FALSE(replay.IsRunning());
    EXPECT_EQ(replay.CurrentPosition(), 305);
    EXPECT_TRUE(replay.Tick(3200).empty());
}

TEST(LogReplay, ALogEndingAtZeroStepsNeverButStopsOnStop)
{
    LogTables tables;
    tables.Begin(LogFormat::LiveLog);
    tables.AddReceiver(0, ReceiverData{});
    tables.End(0);
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    EXPECT_TRUE(replay.IsRunning());
    EXPECT_FALSE(replay.IsStepping());
    EXPECT_TRUE(TickThrough(replay, 0, 1000).empty());
    replay.Pause();
    replay.Resume(1000);
    replay.MoveTo(500, 1000);
    EXPECT_EQ(replay.StartPosition(), 0);
    EXPECT_TRUE(TickThrough(replay, 1000, 2000).empty());
    replay.Stop();
    EXPECT_FALSE(replay.IsRunning());
    EXPECT_TRUE(replay.Start(3000));
}

TEST(LogReplay, SpeedsRunThePositionFasterWithTheStepsStillApart)
{
    const LogTables tables = LiveLogTables(600);
    for (int speed : kReplaySpeeds) {
        LogReplay replay(tables);
        ASSERT_TRUE(replay.Start(0));
        replay.SetSpeed(speed, 0);
        const std::vector<ReplayStep> positions = StepsOf(TickThrough(replay, 0, 1000), ReplayKind::Position);
        ASSERT_EQ(positions.size(), 11u) << speed;
        EXPECT_EQ(positions.back().time, 100 * speed);
    }
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    replay.Tick(2000);
    replay.SetSpeed(10, 2000);  // from 20 s on, ten times as fast
    EXPECT_EQ(StepsOf(replay.Tick(3000), ReplayKind::Position).at(0).time, 200 + 1000);
    replay.SetSpeed(3, 3000);  // not offered: unchanged
    EXPECT_EQ(replay.Speed(), 10);
}

TEST(LogReplay, AGoToBeyondTheEndStopsAtTheEnd)
{
    const LogTables tables = LiveLogTables(5);
    LogReplay replay(tables);
    ASSERT_TRUE(replay.Start(0));
    replay.MoveTo(99'999, 0);
    EXPECT_EQ(replay.StartPosition(), 550);
    replay.MoveTo(-5, 0);
    EXPECT_EQ(replay.StartPosition(), 0);
}

TEST(ReplayPath, TakesEveryLiveRowAndEveryFifthControllerRowWithTheLast)
{
    std::vector<GpsData> rows(12);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].nsHigh = 4807 + static_cast<int32_t>(i);
    const struct {
        LogFormat format;
        std::vector<int32_t> keys;
    } cases[] = {
        {LogFormat::LiveLog, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {LogFormat::ControllerLog, {0, 5, 10, 11}},
    };
    for (const auto& c : cases) {
        GpsPath path;
        path.AddPoint(rows[3], 99);
        BuildReplayPath(rows, c.format, path);
        std::vector<int32_t> keys;
        for (const PathPoint& point : path.points)
            keys.push_back(point.key);
        EXPECT_EQ(keys, c.keys);
        EXPECT_EQ(path.count, static_cast<int32_t>(c.keys.size()));
    }
}

}  // namespace
}  // namespace skarnel::test
