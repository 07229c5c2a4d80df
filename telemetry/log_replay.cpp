#include "telemetry/log_replay.h"

#include <algorithm>
#include <climits>

namespace skarnel {
namespace {

constexpr int64_t kTrackEndMargin = 2;  // seconds the track bar ends before the log
constexpr int kReceiverThinning = 6;    // a controller log's receiver: every sixth due step
constexpr int kRfThinning = 3;          // a controller log's RF levels: after more than three steps
constexpr size_t kControllerPathEvery = 5;

// The replayed lists in the order the cursors are set and moved.
constexpr LogList kReplayedLists[] = {LogList::General, LogList::Receiver, LogList::Vario,
                                      LogList::Gps,     LogList::Electric, LogList::RfLevel};

// The record of a row as the list shows it: rebuilt from its cells' texts, so that the replay
// shows what the list shows and a damaged value is cleaned on the way.
template <typename Record> Record RecordOfRow(const LogTables& tables, LogList list, size_t row)
{
    const LogLayout& layout = tables.Layout(list);
    const std::vector<std::string> cells = CellTexts(layout, tables.Table(list).Record(row));
    Record record;
    RecordFromCells(layout, std::span<const std::string>(cells), record);
    return record;
}

ReplayRecord SensorRecord(const LogTables& tables, LogList list, size_t row)
{
    switch (list) {
    case LogList::General: return RecordOfRow<GeneralData>(tables, list, row);
    case LogList::Electric: return RecordOfRow<ElectricData>(tables, list, row);
    case LogList::Vario: return RecordOfRow<VarioData>(tables, list, row);
    case LogList::Receiver: return RecordOfRow<ReceiverData>(tables, list, row);
    default: return {};
    }
}

}  // namespace

int TrackBarEnd(int64_t endTime)
{
    return static_cast<int>(std::clamp<int64_t>(endTime / 100 - kTrackEndMargin, 0, INT_MAX));
}

std::vector<GpsData> ReplayGpsRows(const LogTables& tables)
{
    const size_t count = tables.Table(LogList::Gps).RowCount();
    std::vector<GpsData> rows;
    rows.reserve(count);
    for (size_t row = 0; row < count; ++row)
        rows.push_back(RecordOfRow<GpsData>(tables, LogList::Gps, row));
    return rows;
}

void BuildReplayPath(const std::vector<GpsData>& rows, LogFormat format, GpsPath& path)
{
    path.Reset();
    for (size_t row = 0; row < rows.size(); ++row) {
        const bool taken = format == LogFormat::LiveLog || row % kControllerPathEvery == 0 || row + 1 == rows.size();
        if (taken)
            path.AddPoint(rows[row], static_cast<int32_t>(row));
    }
}

void ClearForReplay(LiveTelemetry& live)
{
    live.general = {};
    live.receiver = {};
    live.gps = {};
    live.vario = {};
    live.electric = {};
    live.txLevel.fill(0);
    live.rxLevel.fill(0);
    live.txMax.fill(0);
    live.rxMax.fill(0);
}

bool LogReplay::Start(int64_t nowMs)
{
    const bool anyRows =
        std::ranges::any_of(kReplayedLists, [this](LogList list) { return !tables_.Table(list).Empty(); });
    if (!anyRows)
        return false;
    for (LogList list : kReplayedLists) {
        const LogTable& table = tables_.Table(list);
        Of(list) = {!table.Empty(), 0, table.Empty() ? 0 : table.Time(0)};
    }
    rfImage_ = {};
    end_ = tables_.EndTime().value_or(0);
    start_ = current_ = t_ = 0;
    baseMs_ = nowMs;
    receiverCount_ = rfCount_ = 0;
    running_ = true;
    paused_ = moved_ = false;
    // A log without length has nothing to step through; the replay still waits for Stop.
    stepping_ = end_ > 0;
    return true;
}

void LogReplay::Stop()
{
    running_ = stepping_ = paused_ = moved_ = false;
}

void LogReplay::Pause()
{
    if (running_)
        paused_ = true;
}

void LogReplay::Resume(int64_t nowMs)
{
    if (!running_ || !paused_)
        return;
    start_ = current_;
    paused_ = false;
    moved_ = true;
    movedAtMs_ = nowMs;
}

void LogReplay::MoveTo(int64_t position, int64_t nowMs)
{
    position = std::clamp<int64_t>(position, 0, std::max<int64_t>(end_, 0));
    if (position < current_) {
        for (LogList list : kReplayedLists) {
            if (!Of(list).takesPart)
                continue;
            const size_t later = FirstRowAfter(list, 0, position);
            if (later < tables_.Table(list).RowCount())
                MoveCursor(list, later == 0 ? 0 : later - 1);
        }
    }
    start_ = position;
    moved_ = true;
    movedAtMs_ = nowMs;
    // A paused replay shows the chosen position and resumes there.
    if (paused_)
        current_ = t_ = position;
}

void LogReplay::SetSpeed(int speed, int64_t nowMs)
{
    if (std::ranges::find(kReplaySpeeds, speed) == kReplaySpeeds.end())
        return;
    if (IsStepping() && !paused_ && !moved_) {
        start_ += Advance(nowMs - baseMs_);
        baseMs_ = nowMs;
    }
    speed_ = speed;
}

int64_t LogReplay::Advance(int64_t elapsedMs) const
{
    return static_cast<int64_t>(static_cast<double>(elapsedMs * speed_) / 1000 * 100);
}

std::vector<ReplayStep> LogReplay::Tick(int64_t nowMs)
{
    std::vector<ReplayStep> steps;
    if (!IsStepping())
        return steps;
    if (moved_) {
        if (nowMs < movedAtMs_ + kReplayHoldMs)
            return steps;
        moved_ = false;
        baseMs_ = nowMs;
    }
    if (!paused_) {
        t_ = start_ + Advance(nowMs - baseMs_);
        if (t_ > end_) {
            EndOfLog(steps);
            return steps;
        }
    }
    StepLists(t_, steps);
    return steps;
}

void LogReplay::StepLists(int64_t t, std::vector<ReplayStep>& steps)
{
    current_ = t;
    if (Past(LogList::Receiver, t) && (LiveLog() || ++receiverCount_ == kReceiverThinning)) {
        receiverCount_ = 0;
        ShowLastRow(LogList::Receiver, ReplayKind::Receiver, t, steps);
    }
    steps.push_back({ReplayKind::Position, t, -1, {}});
    if (LiveLog()) {
        if (Past(LogList::RfLevel, t))
            ShowRf(t, steps);
    } else if (++rfCount_ > kRfThinning && Past(LogList::RfLevel, t)) {
        rfCount_ = 0;
        ShowRf(t, steps);
    }
    ShowLastRow(LogList::General, ReplayKind::General, t, steps);
    ShowLastRow(LogList::Vario, ReplayKind::Vario, t, steps);
    ShowLastRow(LogList::Electric, ReplayKind::Electric, t, steps);
    if (Of(LogList::Gps).takesPart && t >= Of(LogList::Gps).time)
        ShowGpsAhead(t, steps);
}

// The log has ended: one last RF image up to its end, and the replay stops there.
void LogReplay::EndOfLog(std::vector<ReplayStep>& steps)
{
    Stop();
    current_ = t_ = end_;
    if (Of(LogList::RfLevel).takesPart)
        ShowRf(end_, steps);
}

void LogReplay::ShowLastRow(LogList list, ReplayKind kind, int64_t t, std::vector<ReplayStep>& steps)
{
    if (!Past(list, t))
        return;
    const size_t from = Of(list).row;
    const size_t later = FirstRowAfter(list, from, t);
    if (later > from)
        steps.push_back({kind, t, static_cast<int64_t>(later - 1), SensorRecord(tables_, list, later - 1)});
    MoveCursor(list, later);
}

// The GPS display runs one row ahead: it shows the first row later than t.
void LogReplay::ShowGpsAhead(int64_t t, std::vector<ReplayStep>& steps)
{
    const size_t count = tables_.Table(LogList::Gps).RowCount();
    const size_t from = std::min(Of(LogList::Gps).row, count - 1);
    const size_t row = FirstRowAfter(LogList::Gps, from, t);
    if (row == count)
        return;
    steps.push_back({ReplayKind::Gps, t, static_cast<int64_t>(row), RecordOfRow<GpsData>(tables_, LogList::Gps, row)});
    MoveCursor(LogList::Gps, row + 1);
}

void LogReplay::ShowRf(int64_t t, std::vector<ReplayStep>& steps)
{
    if (!LiveLog()) {
        FoldControllerRf(t, steps);
        return;
    }
    const size_t from = Of(LogList::RfLevel).row;
    const size_t later = FirstRowAfter(LogList::RfLevel, from, t);
    if (later > from) {
        const auto levels = RecordOfRow<DbmScan>(tables_, LogList::RfLevel, later - 1);
        for (size_t channel = 0; channel < kRfChannelCount; ++channel) {
            rfImage_.first[channel] = static_cast<uint8_t>(channel);
            rfImage_.txLevel[channel] = levels.txLevel[channel];
            rfImage_.rxLevel[channel] = levels.rxLevel[channel];
        }
        steps.push_back({ReplayKind::RfLiveLog, t, static_cast<int64_t>(later - 1), rfImage_});
    }
    MoveCursor(LogList::RfLevel, later);
}

// A controller log has one channel per row: every row up to t goes into the one image.
void LogReplay::FoldControllerRf(int64_t t, std::vector<ReplayStep>& steps)
{
    const size_t from = Of(LogList::RfLevel).row;
    const size_t later = FirstRowAfter(LogList::RfLevel, from, t);
    for (size_t row = from; row < later; ++row) {
        const auto level = RecordOfRow<ChannelLevel>(tables_, LogList::RfLevel, row);
        if (level.channel >= kRfChannelCount)
            continue;
        rfImage_.first[level.channel] = level.channel;
        rfImage_.txLevel[level.channel] = level.txLevel;
        rfImage_.rxLevel[level.channel] = level.rxLevel;
    }
    steps.push_back({ReplayKind::RfControllerLog, t, later > from ? static_cast<int64_t>(later - 1) : -1, rfImage_});
    MoveCursor(LogList::RfLevel, later);
}

size_t LogReplay::FirstRowAfter(LogList list, size_t from, int64_t t) const
{
    const LogTable& table = tables_.Table(list);
    const size_t first = std::min(from, table.RowCount());
    // Binary search over row numbers: the rows are in time order.
    size_t low = first;
    size_t high = table.RowCount();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (int64_t{table.Time(middle)} <= t)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void LogReplay::MoveCursor(LogList list, size_t row)
{
    const LogTable& table = tables_.Table(list);
    Of(list).row = row;
    Of(list).time = row < table.RowCount() ? table.Time(row) : kReplayPastEnd;
}

}  // namespace skarnel
