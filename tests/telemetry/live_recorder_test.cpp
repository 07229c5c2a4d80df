#include "sim/telemetry_commands.h"
#include "telemetry/live_log_file.h"
#include "telemetry/live_recorder.h"
#include "tests/support/simulated_link.h"
#include "tests/support/temp_folder.h"
#include "tests/telemetry/recording_log_rows.h"
#include "tests/telemetry/recording_sink.h"
#include "tests/support/packed_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace skarnel {
namespace {

using test::Copied;

using test::RecordBytes;

constexpr uint8_t kCodeSensorType = 0x32;
constexpr uint8_t kCodeGps = 0x38;

// A recording on the in-process controller and the virtual clock, into a temporary folder.
struct Recording : test::SimulatedLink {
    explicit Recording(const sim::TelemetrySettings& settings)
    {
        sim::InstallTelemetryCommands(engine(), settings);
        engine().KeepRequestLog(true);
        run.tempFile = folder.Path("Log_Temp.cld");
    }

    // Records until `passes` records are written, or until the recorder ends by itself.
    JobOutcome RecordPasses(size_t passes)
    {
        sink.onEvent = [this, passes](const std::string&) {
            if (sink.passes.size() >= passes)
                stop.Request();
        };
        return RecordLiveLog(link, run, sink, stop);
    }

    std::vector<LiveLogRecord> Records() const
    {
        const std::vector<uint8_t> bytes = folder.Read("Log_Temp.cld");
        EXPECT_GE(bytes.size(), kLiveLogHeaderSize);
        const auto header = LiveLogHeader();
        EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
        EXPECT_EQ((bytes.size() - kLiveLogHeaderSize) % sizeof(LiveLogRecord), 0u);
        std::vector<LiveLogRecord> records((bytes.size() - kLiveLogHeaderSize) / sizeof(LiveLogRecord));
        std::memcpy(static_cast<void*>(records.data()), bytes.data() + kLiveLogHeaderSize,
                    records.size() * sizeof(LiveLogRecord));
        return records;
    }

    size_t RequestsOf(uint8_t code) const { return Requests(4, code).size(); }

    test::TempFolder folder;
    LiveLogRun run;
    test::RecordingSink sink;
    StopRequest stop;
};

sim::TelemetrySettings Attached(int sensorType)
{
    sim::TelemetrySettings settings;
    settings.sensorType = sensorType;
    return settings;
}

TEST(LiveRecorder, WritesOneRecordPerPassWithTheTimesOfItsBlocks)
{
    Recording r(Attached(kSensorGeneral));
    const JobOutcome outcome = r.RecordPasses(3);
    EXPECT_TRUE(outcome.succeeded);
    EXPECT_TRUE(outcome.boxText.empty());
    EXPECT_TRUE(r.run.fileCreated);
    const std::vector<LiveLogRecord> records = r.Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(r.run.records, 3);
    for (const LiveLogRecord& record : records) {
        EXPECT_GT(Copied(record.rfTime), 0);
        EXPECT_GT(Copied(record.receiverTime), Copied(record.rfTime));
        EXPECT_GT(Copied(record.generalTime), Copied(record.receiverTime)) << "taken just before the module's request";
        EXPECT_NE(Copied(record.general.rxsq), 0);
        EXPECT_EQ(record.varioTime + record.gpsTime + record.electricTime, 0);
    }
    EXPECT_GT(Copied(records[1].rfTime), Copied(records[0].generalTime));
    EXPECT_EQ(RecordBytes(r.sink.live.general), RecordBytes(records[2].general));
    EXPECT_EQ(RecordBytes(r.sink.live.receiver), RecordBytes(records[2].receiver));
    EXPECT_EQ(r.sink.live.txLevel[10], records[2].rf.txLevel[10]);
    EXPECT_EQ(r.sink.ViewRequests(), (std::vector<std::string>{"close 0x80", "open 13", "pass 1", "pass 2", "pass 3"}));
    EXPECT_EQ(r.sink.events.front(), "store 0") << "the levels and the path are cleared first";
    EXPECT_EQ(r.sink.events.back(), "light idle");
    EXPECT_EQ(r.sink.passes.back().time, Copied(records[2].generalTime));
}

TEST(LiveRecorder, AModuleChangeClosesTheOldViewThenOpensTheNew)
{
    sim::TelemetrySettings settings;
    settings.sensorPlan = {{kSensorGps, 2}, {kSensorGeneral, 100}};
    Recording r(settings);
    r.sink.onEvent = [&r](const std::string&) {
        if (!r.sink.passes.empty() && r.sink.passes.back().sensorType == kSensorGeneral)
            r.stop.Request();
    };
    RecordLiveLog(r.link, r.run, r.sink, r.stop);

    std::vector<std::string> requests;
    for (const std::string& event : r.sink.ViewRequests()) {
        if (event.rfind("pass", 0) != 0)
            requests.push_back(event);
    }
    EXPECT_EQ(requests, (std::vector<std::string>{"close 0x80", "open 16", "open 21", "close 0x8A", "open 13"}));
    const std::vector<LiveLogRecord> records = r.Records();
    int gpsRecords = 0;
    for (const LiveLogRecord& record : records)
        gpsRecords += record.gpsTime != 0 ? 1 : 0;
    EXPECT_GT(gpsRecords, 0);
    EXPECT_EQ(r.sink.live.path.count, gpsRecords);
    EXPECT_EQ(r.sink.live.path.current, gpsRecords);
    EXPECT_NE(Copied(records.back().generalTime), 0);
}

TEST(LiveRecorder, AnUnknownTypeCountsAsNoModuleAndAsksAgainEachPass)
{
    Recording r(Attached(0x85));
    r.RecordPasses(3);
    EXPECT_EQ(r.sink.ViewRequests(),
              (std::vector<std::string>{"close 0x80", "open 14", "pass 1", "close 0x80", "open 14", "pass 2",
                                        "close 0x80", "open 14", "pass 3"}));
    for (uint8_t code = 0x35; code <= 0x38; ++code)
        EXPECT_EQ(r.RequestsOf(code), 0u) << "no module command " << int{code};
    for (const LivePass& pass : r.sink.passes)
        EXPECT_EQ(pass.sensorType, kSensorNone);
}

TEST(LiveRecorder, AFailedTypeReadForgetsTheModuleWithoutClosingItsView)
{
    Recording r(Attached(kSensorGps));
    r.AddFault(sim::FaultKind::NoReply, 4, kCodeSensorType, 3, 2);
    r.RecordPasses(3);
    EXPECT_EQ(r.sink.ViewRequests(), (std::vector<std::string>{"close 0x80", "open 16", "open 21", "pass 1", "pass 2",
                                                               "close 0x80", "open 16", "open 21", "pass 3"}));
    ASSERT_EQ(r.sink.passes.size(), 3u);
    EXPECT_EQ(r.sink.passes[1].sensorType, kSensorNone);
    EXPECT_EQ(r.RequestsOf(kCodeGps), 2u) << "no GPS read in the pass without a type";
    EXPECT_EQ(r.Records()[1].gpsTime, 0);
}

TEST(LiveRecorder, AGpsRecordWithoutDataReachesTheViewButNotTheFileOrThePath)
{
    Recording r(Attached(kSensorGps));
    r.engine().On(sim::ControllerMode::Application, 4, kCodeGps, [](const sim::Request&) {
        return sim::Reply{sim::kAckCode, std::vector<uint8_t>(kGpsReplySize, 0)};
    });
    r.sink.live.gps.speed = 77;
    r.RecordPasses(2);
    EXPECT_EQ(RecordBytes(r.sink.live.gps), std::vector<uint8_t>(sizeof(GpsData), 0));
    EXPECT_EQ(r.sink.Count("store 16"), 2);
    EXPECT_EQ(r.sink.Count("store 21"), 2);
    EXPECT_EQ(r.sink.live.path.count, 0);
    for (const LiveLogRecord& record : r.Records()) {
        EXPECT_EQ(Copied(record.gpsTime), 0);
        EXPECT_NE(Copied(record.receiverTime), 0);
    }
}

TEST(LiveRecorder, ADeadLinkWritesOneEmptyRecordThenStops)
{
    sim::TelemetrySettings settings;
    settings.deadLinkAfter = 0;
    Recording r(settings);
    const JobOutcome outcome = r.RecordPasses(100);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.boxText, kLogDataReadFail);
    EXPECT_TRUE(r.run.fileCreated) << "the save question follows";
    const std::vector<LiveLogRecord> records = r.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(RecordBytes(records[0]), std::vector<uint8_t>(sizeof(LiveLogRecord), 0));
    ASSERT_EQ(r.sink.passes.size(), 1u);
    EXPECT_EQ(r.sink.passes[0].failures, 3);
    EXPECT_EQ(r.RequestsOf(kCodeSensorType), 6u) << "two passes of three attempts";
    EXPECT_EQ(r.sink.events.back(), "light idle");
}

TEST(LiveRecorder, StoppingMidPassDropsThatPassesRecord)
{
    Recording r(Attached(kSensorGeneral));
    r.sink.onEvent = [&r](const std::string&) {
        if (r.sink.Count("store 14") == 3)
            r.stop.Request();
    };
    const JobOutcome outcome = RecordLiveLog(r.link, r.run, r.sink, r.stop);
    EXPECT_TRUE(outcome.succeeded);
    EXPECT_EQ(r.Records().size(), 2u);
    EXPECT_EQ(r.RequestsOf(0x35), 2u) << "no module read after the stop";
    EXPECT_EQ(r.engine().RequestLog().back().code, 0x34);
}

TEST(LiveRecorder, TimeStampsKeepCountingPastSixHours)
{
    Recording r(Attached(kSensorNone));
    constexpr int64_t kSixHoursMs = 6 * 3600 * 1000;
    r.sink.onEvent = [&r](const std::string& event) {
        if (event == "pass 1")
            r.clock.SleepMs(kSixHoursMs);
        if (event == "pass 2")
            r.stop.Request();
    };
    RecordLiveLog(r.link, r.run, r.sink, r.stop);
    ASSERT_EQ(r.sink.passes.size(), 2u);
    const std::vector<LiveLogRecord> records = r.Records();
    EXPECT_GT(Copied(records[1].rfTime), kSixHoursMs / 10);
    EXPECT_LT(Copied(records[1].rfTime), kSixHoursMs / 10 + 200);
    EXPECT_EQ(LiveLogTimeText(r.sink.passes[1].time).substr(0, 10), " 06:00:00.");
}

TEST(LiveRecorder, AFileThatCannotBeCreatedEndsBeforeAnyRequest)
{
    Recording r(Attached(kSensorGeneral));
    r.run.tempFile = r.folder.Path("missing/Log_Temp.cld");
    const JobOutcome outcome = r.RecordPasses(1);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.boxText, kLogFileCreateFail);
    EXPECT_FALSE(r.run.fileCreated);
    EXPECT_EQ(r.engine().RequestLog().size(), 0u);
}

TEST(LiveRecorder, TimeText)
{
    struct {
        int64_t hundredths;
        const char* text;
    } const cases[] = {
        {0, " 00:00:00.00    (+0.00)"},
        {6112, " 00:01:01.12    (+61.12)"},
        {366100, " 01:01:01.00    (+3661.00)"},
        {int64_t{8'640'000} * 3, " 72:00:00.00    (+259200.00)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LiveLogTimeText(c.hundredths), c.text);
}

}  // namespace
}  // namespace skarnel
