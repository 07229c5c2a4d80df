#include "base/job.h"
#include "base/reporter.h"
#include "sim/controller_log.h"
#include "telemetry/live_log_file.h"
#include "telemetry/log_loader.h"
#include "telemetry/log_tables.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace skarnel::test {
namespace {

TEST(LogTable, RowsKeepTheirTimesAndRecordsAcrossChunksAndSplices)
{
    LogTable table(sizeof(GpsData));
    LogTable batch(sizeof(GpsData));
    constexpr int kRows = 40000;  // several chunks of a megabyte
    for (int i = 0; i < kRows; ++i) {
        GpsData gps;
        gps.speed = i;
        (i < kRows / 2 ? table : batch).Append(i * 2, &gps);
    }
    table.Splice(std::move(batch));
    EXPECT_EQ(batch.RowCount(), 0u);
    ASSERT_EQ(table.RowCount(), static_cast<size_t>(kRows));
    for (size_t row : {size_t{0}, size_t{1}, size_t{19999}, size_t{20000}, size_t{kRows - 1}}) {
        GpsData gps;
        std::memcpy(&gps, table.Record(row), sizeof gps);
        EXPECT_EQ(gps.speed, static_cast<int32_t>(row));
        EXPECT_EQ(table.Time(row), static_cast<int32_t>(row * 2));
    }
    EXPECT_EQ(table.FirstRowAfter(-1), 0u);
    EXPECT_EQ(table.FirstRowAfter(40001), 20001u);
    EXPECT_EQ(table.FirstRowAfter(40000), 20001u);
    EXPECT_EQ(table.FirstRowAfter(2 * kRows), static_cast<size_t>(kRows));
}

// Every cell of every list, as text.
std::vector<std::string> AllCells(const LogTables& tables)
{
    std::vector<std::string> cells;
    for (int i = 0; i < kLogListCount; ++i) {
        const auto list = static_cast<LogList>(i);
        for (size_t row = 0; row < tables.Table(list).RowCount(); ++row)
            for (int column = 0; column < tables.ColumnCount(list); ++column)
                cells.push_back(tables.CellText(list, row, column));
    }
    return cells;
}

TEST(LogTables, RowsHandedOnInBatchesAreTheRowsOfADirectLoad)
{
    TempFolder folder;
    const std::string path = folder.Path("flight.bin");
    ASSERT_TRUE(sim::WriteSimulatedControllerLog(path, 20000, kSensorGps));

    LogTables direct;
    ASSERT_TRUE(LoadLogFile(path, direct, NullReporter::Instance()));

    LogTables taken;
    std::vector<LogBatch> batches;
    BatchingLogRows batching([&batches](LogBatch&& batch) { batches.push_back(std::move(batch)); }, 1000, 8000);
    ASSERT_TRUE(LoadLogFile(path, batching, NullReporter::Instance()));
    ASSERT_GE(batches.size(), 5u);
    EXPECT_EQ(batches.front().begun, LogFormat::ControllerLog);
    EXPECT_FALSE(batches.back().begun);
    EXPECT_EQ(batches.back().endTime, 20000);
    EXPECT_FALSE(batches.front().endTime);
    size_t firstBatchRows = 0;
    for (const LogTable& table : batches.front().tables)
        firstBatchRows += table.RowCount();
    EXPECT_EQ(firstBatchRows, 1000u);
    for (LogBatch& batch : batches)
        taken.Apply(std::move(batch));

    EXPECT_EQ(taken.Format(), LogFormat::ControllerLog);
    EXPECT_EQ(taken.EndTime(), 20000);
    EXPECT_GT(taken.Table(LogList::Gps).RowCount(), 3000u);
    EXPECT_EQ(taken.Table(LogList::Channel).RowCount(), 20000u);
    EXPECT_EQ(AllCells(taken), AllCells(direct));
}

TEST(LogTables, CellsShowTheRowNumberFromOneAndTheTime)
{
    LogTables tables;
    tables.Begin(LogFormat::ControllerLog);
    tables.AddChannelLevel(5, 12, 60, 55);
    tables.AddChannelLevel(123456, 74, 0, 255);
    EXPECT_EQ(tables.ColumnCount(LogList::RfLevel), 5);
    EXPECT_EQ(tables.CellText(LogList::RfLevel, 0, 0), "1");
    EXPECT_EQ(tables.CellText(LogList::RfLevel, 0, 1), "+ 0.05 sec");
    EXPECT_EQ(tables.CellText(LogList::RfLevel, 1, 0), "2");
    EXPECT_EQ(tables.CellText(LogList::RfLevel, 1, 1), "+ 1234.56 sec");
    EXPECT_EQ(tables.CellText(LogList::RfLevel, 1, 2), "74");
    EXPECT_EQ(tables.CellText(LogList::RfLevel, 1, 4), "255");
    tables.Begin(LogFormat::LiveLog);
    EXPECT_EQ(tables.Table(LogList::RfLevel).RowCount(), 0u);
    EXPECT_EQ(tables.ColumnCount(LogList::RfLevel), 152);
}

// Asks the load to stop once it has taken `rows` rows.
class StoppingRows final : public LogRows {
public:
    StoppingRows(StopRequest& stop, size_t limit) : stop_(stop), limit_(limit) {}
    void Begin(LogFormat) override {}
    void AddGeneral(int32_t, const GeneralData&) override { Count(); }
    void AddElectric(int32_t, const ElectricData&) override { Count(); }
    void AddGps(int32_t, const GpsData&) override { Count(); }
    void AddVario(int32_t, const VarioData&) override { Count(); }
    void AddReceiver(int32_t, const ReceiverData&) override { Count(); }
    void AddRfLevels(int32_t, const DbmScan&) override { Count(); }
    void AddChannelLevel(int32_t, int, int, int) override { Count(); }
    void AddChannels(int32_t, const ChannelValues&) override { Count(); }
    void End(int32_t) override { ended = true; }

    size_t rows = 0;
    bool ended = false;

private:
    void Count()
    {
        if (++rows == limit_)
            stop_.Request();
    }
    StopRequest& stop_;
    size_t limit_;
};

TEST(LogLoader, AStopRequestEndsTheLoadAtTheNextRecordWithoutEnd)
{
    TempFolder folder;
    const std::string controller = folder.Path("flight.bin");
    ASSERT_TRUE(sim::WriteSimulatedControllerLog(controller, 5000, kSensorGps));
    const std::string live = folder.Path("flight.cld");
    LiveLogWriter writer;
    ASSERT_TRUE(writer.Create(live));
    LiveLogRecord record;
    for (int i = 0; i < 100; ++i) {
        record.receiverTime = record.rfTime = i + 1;
        ASSERT_TRUE(writer.Append(record));
    }
    ASSERT_TRUE(writer.Close());

    for (const std::string& path : {controller, live}) {
        StopRequest stop;
        StoppingRows rows(stop, 10);
        EXPECT_FALSE(LoadLogFile(path, rows, NullReporter::Instance(), &stop)) << path;
        // The record that asked finishes; no later one begins.
        EXPECT_LE(rows.rows, 12u) << path;
        EXPECT_FALSE(rows.ended) << path;
    }
}

}  // namespace
}  // namespace skarnel::test
