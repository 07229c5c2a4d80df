#include "telemetry/log_tables.h"

#include "telemetry/telemetry_text.h"

#include <algorithm>

namespace skarnel {
namespace {

ChannelLevel LevelOf(int channel, int txLevel, int rxLevel)
{
    return {static_cast<uint8_t>(channel), static_cast<uint8_t>(txLevel), static_cast<uint8_t>(rxLevel)};
}

}  // namespace

int LogTables::ColumnCount(LogList list) const
{
    return kLeadingColumns + static_cast<int>(Layout(list).columns.size());
}

std::string LogTables::CellText(LogList list, size_t row, int column) const
{
    const LogTable& table = Table(list);
    if (column == 0)
        return RowNumberText(row);
    if (column == 1)
        return LogTimeText(table.Time(row));
    return skarnel::CellText(Layout(list).columns.at(static_cast<size_t>(column - kLeadingColumns)), table.Record(row));
}

size_t LogTables::MemoryBytes() const
{
    size_t bytes = 0;
    for (const LogTable& table : tables_)
        bytes += table.MemoryBytes();
    return bytes;
}

void LogTables::Apply(LogBatch&& batch)
{
    if (batch.begun)
        Begin(*batch.begun);
    for (size_t i = 0; i < tables_.size(); ++i)
        tables_[i].Splice(std::move(batch.tables[i]));
    if (batch.endTime)
        End(*batch.endTime);
}

void LogTables::Begin(LogFormat format)
{
    format_ = format;
    endTime_.reset();
    for (int i = 0; i < kLogListCount; ++i)
        Of(static_cast<LogList>(i)).Reset(Layout(static_cast<LogList>(i)).recordSize);
}

void LogTables::AddGeneral(int32_t time, const GeneralData& record)
{
    Of(LogList::General).Append(time, &record);
}

void LogTables::AddElectric(int32_t time, const ElectricData& record)
{
    Of(LogList::Electric).Append(time, &record);
}

void LogTables::AddGps(int32_t time, const GpsData& record)
{
    Of(LogList::Gps).Append(time, &record);
}

void LogTables::AddVario(int32_t time, const VarioData& record)
{
    Of(LogList::Vario).Append(time, &record);
}

void LogTables::AddReceiver(int32_t time, const ReceiverData& record)
{
    Of(LogList::Receiver).Append(time, &record);
}

void LogTables::AddRfLevels(int32_t time, const DbmScan& scan)
{
    Of(LogList::RfLevel).Append(time, &scan);
}

void LogTables::AddChannelLevel(int32_t time, int channel, int txLevel, int rxLevel)
{
    const ChannelLevel level = LevelOf(channel, txLevel, rxLevel);
    Of(LogList::RfLevel).Append(time, &level);
}

void LogTables::AddChannels(int32_t time, const ChannelValues& values)
{
    Of(LogList::Channel).Append(time, values.data());
}

void LogTables::End(int32_t endTime)
{
    endTime_ = endTime;
}

BatchingLogRows::BatchingLogRows(Sink sink, size_t firstBatchRows, size_t largestBatchRows)
    : sink_(std::move(sink)), batchRows_(firstBatchRows), largestBatchRows_(largestBatchRows)
{
    ResetBatch();
}

void BatchingLogRows::ResetBatch()
{
    batch_.begun.reset();
    batch_.endTime.reset();
    for (int i = 0; i < kLogListCount; ++i)
        batch_.tables[static_cast<size_t>(i)].Reset(LayoutOf(static_cast<LogList>(i), format_).recordSize);
    pendingRows_ = 0;
}

void BatchingLogRows::Flush()
{
    if (pendingRows_ == 0 && !batch_.begun && !batch_.endTime)
        return;
    sink_(std::move(batch_));
    ResetBatch();
}

void BatchingLogRows::Add(LogList list, int32_t time, const void* record)
{
    batch_.tables[static_cast<size_t>(list)].Append(time, record);
    if (++pendingRows_ < batchRows_)
        return;
    Flush();
    batchRows_ = std::min(batchRows_ * 2, largestBatchRows_);
}

void BatchingLogRows::Begin(LogFormat format)
{
    format_ = format;
    ResetBatch();
    batch_.begun = format;
}

void BatchingLogRows::AddGeneral(int32_t time, const GeneralData& record)
{
    Add(LogList::General, time, &record);
}

void BatchingLogRows::AddElectric(int32_t time, const ElectricData& record)
{
    Add(LogList::Electric, time, &record);
}

void BatchingLogRows::AddGps(int32_t time, const GpsData& record)
{
    Add(LogList::Gps, time, &record);
}

void BatchingLogRows::AddVario(int32_t time, const VarioData& record)
{
    Add(LogList::Vario, time, &record);
}

void BatchingLogRows::AddReceiver(int32_t time, const ReceiverData& record)
{
    Add(LogList::Receiver, time, &record);
}

void BatchingLogRows::AddRfLevels(int32_t time, const DbmScan& scan)
{
    Add(LogList::RfLevel, time, &scan);
}

void BatchingLogRows::AddChannelLevel(int32_t time, int channel, int txLevel, int rxLevel)
{
    const ChannelLevel level = LevelOf(channel, txLevel, rxLevel);
    Add(LogList::RfLevel, time, &level);
}

void BatchingLogRows::AddChannels(int32_t time, const ChannelValues& values)
{
    Add(LogList::Channel, time, values.data());
}

void BatchingLogRows::End(int32_t endTime)
{
    batch_.endTime = endTime;
    Flush();
}

}  // namespace skarnel
