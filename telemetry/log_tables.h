#pragma once

#include "telemetry/log_columns.h"
#include "telemetry/log_rows.h"
#include "telemetry/log_table.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace skarnel {

// Rows a loader collected since its last hand-over: whether the load began anew (and in which
// format), the new rows of each list, and the end of the log once it is known.
struct LogBatch {
    std::optional<LogFormat> begun;
    std::array<LogTable, kLogListCount> tables;
    std::optional<int32_t> endTime;
};

// The seven lists of one loaded log as compact rows: what the viewer shows, the command line
// prints and the exports write.
class LogTables final : public LogRows {
public:
    LogTables() { Begin(LogFormat::LiveLog); }

    LogFormat Format() const { return format_; }
    // The end of the log once loading has finished.
    std::optional<int32_t> EndTime() const { return endTime_; }
    const LogTable& Table(LogList list) const { return tables_[static_cast<size_t>(list)]; }
    const LogLayout& Layout(LogList list) const { return LayoutOf(list, format_); }
    // Every column of a list counted, "No" and "Time" first.
    int ColumnCount(LogList list) const;
    // The text of a cell as the list shows it: the row number from 1, the time as
    // "+ %.2f sec", and the values in their formats.
    std::string CellText(LogList list, size_t row, int column) const;
    size_t MemoryBytes() const;

    // Takes a batch's rows over.
    void Apply(LogBatch&& batch);

    void Begin(LogFormat format) override;
    void AddGeneral(int32_t time, const GeneralData& record) override;
    void AddElectric(int32_t time, const ElectricData& record) override;
    void AddGps(int32_t time, const GpsData& record) override;
    void AddVario(int32_t time, const VarioData& record) override;
    void AddReceiver(int32_t time, const ReceiverData& record) override;
    void AddRfLevels(int32_t time, const DbmScan& scan) override;
    void AddChannelLevel(int32_t time, int channel, int txLevel, int rxLevel) override;
    void AddChannels(int32_t time, const ChannelValues& values) override;
    void End(int32_t endTime) override;

private:
    LogTable& Of(LogList list) { return tables_[static_cast<size_t>(list)]; }

    LogFormat format_ = LogFormat::LiveLog;
    std::array<LogTable, kLogListCount> tables_;
    std::optional<int32_t> endTime_;
};

// A loader's rows handed on in batches, for a reader on another thread: the first batch after
// `firstBatchRows` rows, each later one after twice as many as the one before, up to
// `largestBatchRows`, and the last at the end of the log. Every batch is moved to the sink.
class BatchingLogRows final : public LogRows {
public:
    using Sink = std::function<void(LogBatch&&)>;

    explicit BatchingLogRows(Sink sink, size_t firstBatchRows = 2048, size_t largestBatchRows = size_t{1} << 18);

    // Hands on what was collected (nothing when nothing was).
    void Flush();

    void Begin(LogFormat format) override;
    void AddGeneral(int32_t time, const GeneralData& record) override;
    void AddElectric(int32_t time, const ElectricData& record) override;
    void AddGps(int32_t time, const GpsData& record) override;
    void AddVario(int32_t time, const VarioData& record) override;
    void AddReceiver(int32_t time, const ReceiverData& record) override;
    void AddRfLevels(int32_t time, const DbmScan& scan) override;
    void AddChannelLevel(int32_t time, int channel, int txLevel, int rxLevel) override;
    void AddChannels(int32_t time, const ChannelValues& values) override;
    void End(int32_t endTime) override;

private:
    void Add(LogList list, int32_t time, const void* record);
    void ResetBatch();

    Sink sink_;
    size_t batchRows_;
    size_t largestBatchRows_;
    size_t pendingRows_ = 0;
    LogFormat format_ = LogFormat::LiveLog;
    LogBatch batch_;
};

}  // namespace skarnel
