#include "base/byte_order.h"
#include "base/reporter.h"
#include "telemetry/live_log_file.h"
#include "telemetry/log_loader.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_folder.h"
#include "tests/telemetry/recording_log_rows.h"

#include <gtest/gtest.h>
#include <filesystem>

namespace skarnel {
namespace {

using test::RecordBytes;
using test::RecordingLogRows;

// A message box as the recording reporter keeps it: text and title.
std::string MessageText(const char* text)
{
    return std::string(text) + "|" + kApplicationTitle;
}

LiveLogRecord SampleRecord(int32_t time, int sensors)
{
    LiveLogRecord record;
    record.receiverTime = time;
    record.receiver.rxsq = 70;
    record.receiver.recvVolt = 5.1f;
    record.rfTime = time + 1;
    for (size_t i = 0; i < kRfChannelCount; ++i)
        record.rf.txLevel[i] = static_cast<uint8_t>(time + static_cast<int32_t>(i));
    if (sensors & 1) {
        record.generalTime = time + 2;
        record.general.rxsq = 60;
        record.general.cellVolt[5] = 3.95f;
    }
    if (sensors & 2) {
        record.varioTime = time + 3;
        record.vario.altitude = -4;
    }
    if (sensors & 4) {
        record.gpsTime = time + 4;
        record.gps.nsHigh = 3733;
    }
    if (sensors & 8) {
        record.electricTime = time + 5;
        record.electric.cellVolt[13] = 4.2f;
    }
    return record;
}

std::vector<LiveLogRecord> WriteLiveLog(const std::string& path, int count)
{
    std::vector<LiveLogRecord> records;
    LiveLogWriter writer;
    EXPECT_TRUE(writer.Create(path));
    for (int i = 0; i < count; ++i) {
        records.push_back(SampleRecord(100 * (i + 1), i));
        EXPECT_TRUE(writer.Append(records.back()));
    }
    EXPECT_TRUE(writer.Close());
    return records;
}

TEST(LiveLogFile, HeaderIsTheMagicTwoMarkersAndZeros)
{
    test::TempFolder folder;
    const std::string path = folder.Path("header.cld");
    WriteLiveLog(path, 1);
    const std::vector<uint8_t> bytes = folder.Read("header.cld");
    ASSERT_EQ(bytes.size(), 32u + 554u);
    const std::vector<uint8_t> header(bytes.begin(), bytes.begin() + 32);
    std::vector<uint8_t> expected(32, 0);
    expected[0] = 0xCD, expected[1] = 0x12, expected[2] = 0x5F, expected[4] = 0xAA, expected[8] = 0x55;
    EXPECT_EQ(header, expected);
    EXPECT_EQ(ReadLe32(bytes.data() + 32), 100u) << "the receiver time opens the record";
    EXPECT_EQ(ReadLe32(bytes.data() + 32 + 21), 101u) << "the RF level time follows the 17-byte receiver block";
}

TEST(LiveLogFile, WriterReportsAFileItCannotCreate)
{
    test::TempFolder folder;
    LiveLogWriter writer;
    EXPECT_FALSE(writer.Create(folder.Path("missing/folder.cld")));
    EXPECT_FALSE(writer.Append(SampleRecord(1, 0)));
    EXPECT_FALSE(writer.Close());
}

TEST(LiveLogFile, WriterReportsWritesLostOnAFullDisk)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    LiveLogWriter writer;
    writer.Create("/dev/full");
    writer.Append(SampleRecord(1, 15));
    EXPECT_FALSE(writer.Close());
}

TEST(LiveLogFile, LoadingGivesEveryBlockAsARowInTheListsOrder)
{
    test::TempFolder folder;
    const std::string path = folder.Path("flight.CLD");
    const std::vector<LiveLogRecord> records = WriteLiveLog(path, 16);
    RecordingLogRows rows;
    test::RecordingReporter reporter;
    ASSERT_TRUE(LoadLogFile(path, rows, reporter));
    EXPECT_EQ(rows.begun, std::vector<LogFormat>{LogFormat::LiveLog});

    std::vector<RecordingLogRows::Row> expected;
    for (const LiveLogRecord& r : records) {
        expected.push_back({"Receiver", r.receiverTime, RecordBytes(r.receiver)});
        expected.push_back({"RF", r.rfTime, RecordBytes(r.rf)});
        if (r.generalTime)
            expected.push_back({"General", r.generalTime, RecordBytes(r.general)});
        if (r.electricTime)
            expected.push_back({"Electric", r.electricTime, RecordBytes(r.electric)});
        if (r.varioTime)
            expected.push_back({"Vario", r.varioTime, RecordBytes(r.vario)});
        if (r.gpsTime)
            expected.push_back({"GPS", r.gpsTime, RecordBytes(r.gps)});
    }
    EXPECT_EQ(rows.rows, expected);
    // The last record (15: every sensor) ends at its GPS time.
    EXPECT_EQ(rows.ends, std::vector<int32_t>{1600 + 4});
    EXPECT_TRUE(reporter.Messages().empty());
}

TEST(LiveLogFile, ProgressCountsRecordsInTens)
{
    test::TempFolder folder;
    const std::string path = folder.Path("progress.cld");
    WriteLiveLog(path, 12);
    RecordingLogRows rows;
    test::RecordingReporter reporter;
    ASSERT_TRUE(LoadLiveLog(path, rows, reporter));
    std::vector<std::string> statuses;
    for (const auto& event : reporter.Events())
        if (event.kind == test::RecordingReporter::Event::Progress)
            statuses.push_back(std::to_string(event.number) + " " + event.text);
        else if (event.kind == test::RecordingReporter::Event::ProgressRange)
            statuses.push_back("range " + std::to_string(event.number));
    EXPECT_EQ(statuses, (std::vector<std::string>{"range 1", "0 1 / 12", "1 11 / 12", "1 12 / 12"}));
}

struct EndTimeCase {
    const char* name;
    int32_t rf, general, electric, vario, gps;
    int32_t end;
};

TEST(LiveLogFile, EndTimeIsTheLastRecordsLastPresentBlock)
{
    const EndTimeCase cases[] = {
        {"only zero times", 0, 0, 0, 0, 0, 0},       {"RF only", 700, 0, 0, 0, 0, 700},
        {"general over RF", 700, 705, 0, 0, 0, 705}, {"electric over general", 700, 705, 703, 0, 0, 703},
        {"vario", 700, 0, 0, 702, 0, 702},           {"GPS last", 700, 705, 0, 702, 701, 701},
    };
    for (const EndTimeCase& c : cases) {
        test::TempFolder folder;
        const std::string path = folder.Path("end.cld");
        LiveLogWriter writer;
        ASSERT_TRUE(writer.Create(path));
        LiveLogRecord first = SampleRecord(9000, 15);
        LiveLogRecord last;
        last.rfTime = c.rf;
        last.generalTime = c.general;
        last.electricTime = c.electric;
        last.varioTime = c.vario;
        last.gpsTime = c.gps;
        ASSERT_TRUE(writer.Append(first) && writer.Append(last) && writer.Close());
        RecordingLogRows rows;
        test::RecordingReporter reporter;
        ASSERT_TRUE(LoadLiveLog(path, rows, reporter)) << c.name;
        EXPECT_EQ(rows.ends, std::vector<int32_t>{c.end}) << c.name;
    }
}

TEST(LiveLogFile, HeaderAloneLoadsAsNoRecords)
{
    test::TempFolder folder;
    const std::string path = folder.Path("empty.cld");
    WriteLiveLog(path, 0);
    RecordingLogRows rows;
    test::RecordingReporter reporter;
    ASSERT_TRUE(LoadLiveLog(path, rows, reporter));
    EXPECT_TRUE(rows.rows.empty());
    EXPECT_EQ(rows.ends, std::vector<int32_t>{0});
}

struct DamagedCase {
    const char* name;
    void (*damage)(std::vector<uint8_t>& bytes);
    const char* message;
};

// A refused file leaves the lists as they were: nothing begun, nothing added.
TEST(LiveLogFile, DamagedFilesAreRefusedWithTheirText)
{
    const DamagedCase cases[] = {
        {"one byte too many", [](std::vector<uint8_t>& b) { b.push_back(0); }, kLogSizeMismatch},
        {"one byte short", [](std::vector<uint8_t>& b) { b.pop_back(); }, kLogSizeMismatch},
        {"shorter than a header", [](std::vector<uint8_t>& b) { b.resize(31); }, kLogSizeMismatch},
        {"empty", [](std::vector<uint8_t>& b) { b.clear(); }, kLogSizeMismatch},
        {"bad magic", [](std::vector<uint8_t>& b) { b[0] ^= 1; }, kLogHeaderMismatch},
        {"bad second word", [](std::vector<uint8_t>& b) { b[4] = 0xAB; }, kLogHeaderMismatch},
        {"bad third word", [](std::vector<uint8_t>& b) { b[11] = 1; }, kLogHeaderMismatch},
        {"size mismatch before header",
         [](std::vector<uint8_t>& b) {
             b[0] = 0;
             b.push_back(0);
         },
         kLogSizeMismatch},
    };
    test::TempFolder folder;
    const std::string good = folder.Path("good.cld");
    WriteLiveLog(good, 3);
    for (const DamagedCase& c : cases) {
        std::vector<uint8_t> bytes = folder.Read("good.cld");
        c.damage(bytes);
        const std::string path = folder.Write("damaged.cld", bytes);
        RecordingLogRows rows;
        test::RecordingReporter reporter;
        EXPECT_FALSE(LoadLogFile(path, rows, reporter)) << c.name;
        EXPECT_EQ(reporter.Messages(), std::vector<std::string>{MessageText(c.message)}) << c.name;
        EXPECT_TRUE(rows.begun.empty()) << c.name;
        EXPECT_TRUE(rows.rows.empty()) << c.name;
    }
}

TEST(LiveLogFile, ReservedHeaderBytesAreNotExamined)
{
    test::TempFolder folder;
    WriteLiveLog(folder.Path("good.cld"), 1);
    std::vector<uint8_t> bytes = folder.Read("good.cld");
    std::fill(bytes.begin() + 12, bytes.begin() + 32, 0xEE);
    RecordingLogRows rows;
    test::RecordingReporter reporter;
    EXPECT_TRUE(LoadLiveLog(folder.Write("reserved.cld", bytes), rows, reporter));
    EXPECT_EQ(rows.rows.size(), 2u);
}

TEST(LogFile, MissingFilesAndFoldersCannotBeOpened)
{
    test::TempFolder folder;
    for (const std::string& path : {folder.Path("missing.cld"), folder.Path("missing.bin"), folder.path()}) {
        RecordingLogRows rows;
        test::RecordingReporter reporter;
        EXPECT_FALSE(LoadLogFile(path, rows, reporter)) << path;
        EXPECT_EQ(reporter.Messages(), std::vector<std::string>{MessageText(kLogOpenFail)}) << path;
    }
    RecordingLogRows rows;
    test::RecordingReporter reporter;
    EXPECT_FALSE(LoadLogFile("", rows, reporter));
    EXPECT_TRUE(reporter.Events().empty());
}

TEST(LogFile, TheExtensionComparedLowerCasedChoosesTheFormat)
{
    EXPECT_TRUE(IsLiveLogPath("/logs/LiveLog_20260101(120000).cld"));
    EXPECT_TRUE(IsLiveLogPath("FLIGHT.CLD"));
    EXPECT_TRUE(IsLiveLogPath("a.b.Cld"));
    EXPECT_FALSE(IsLiveLogPath("log.bin"));
    EXPECT_FALSE(IsLiveLogPath("cld"));
    EXPECT_FALSE(IsLiveLogPath("/logs.cld/flight"));
    EXPECT_FALSE(IsLiveLogPath("flight.cld.bin"));
}

}  // namespace
}  // namespace skarnel
