#pragma once

#include "telemetry/gps_path.h"
#include "telemetry/live_telemetry.h"
#include "telemetry/log_tables.h"
#include "telemetry/telemetry_records.h"

#include <array>
#include <cstdint>
#include <limits>
#include <variant>
#include <vector>

namespace skarnel {

// What one replay step shows; the numbers are those of the viewer's step message.
enum class ReplayKind : int {
    General = 0,
    Electric = 1,
    Gps = 2,
    Vario = 3,
    Receiver = 4,
    RfControllerLog = 5,
    RfLiveLog = 6,
    Position = 9,
};

// A record rebuilt from a row's cells, or the RF level image (first array: the channel).
using ReplayRecord = std::variant<std::monostate, GeneralData, ElectricData, GpsData, VarioData, ReceiverData, DbmScan>;

struct ReplayStep {
    ReplayKind kind;
    int64_t time;      // the replay time of the step, hundredths of a second
    int64_t row = -1;  // the row shown (for an RF image the last row folded in); -1 for none
    ReplayRecord record;
};

inline constexpr int64_t kReplayStepMs = 100;
// After the user moves the position or resumes, the replay holds this long before it goes on.
inline constexpr int64_t kReplayHoldMs = 200;
inline constexpr std::array<int, 5> kReplaySpeeds = {1, 2, 5, 10, 50};
// The cursor time of a list whose rows have all been shown.
inline constexpr int64_t kReplayPastEnd = std::numeric_limits<int64_t>::max();

// The track bar's last second for a log's end: two before the end, never below 0 and never
// wrapped, whatever the log's length.
int TrackBarEnd(int64_t endTime);

// The GPS rows of a loaded log as records, rebuilt from their cells as the replay shows them.
std::vector<GpsData> ReplayGpsRows(const LogTables& tables);
// The replay's flight path: every GPS row of a live log, or rows 0, 5, 10, ... and the last of
// a controller log, each with its row number as key.
void BuildReplayPath(const std::vector<GpsData>& rows, LogFormat format, GpsPath& path);
// A replay starts from empty records and levels (the path is built before).
void ClearForReplay(LiveTelemetry& live);

// The file log viewer's replay, driven by the times it is handed: Tick is called every
// kReplayStepMs and returns the steps to show. Positions and times are hundredths of a second.
// The six replayed lists (the channel list is not replayed) each have a cursor: the next row to
// show and its time.
class LogReplay {
public:
    explicit LogReplay(const LogTables& tables) : tables_(tables) {}

    // Starts at position 0; false (and nothing changes) when no replayed list has rows. A log
    // whose end is 0 starts no steps but stays running until Stop.
    bool Start(int64_t nowMs);
    void Stop();
    // Pause does nothing unless running; Resume continues from the paused position after the
    // hold.
    void Pause();
    void Resume(int64_t nowMs);
    // The user chose a position (the track bar, a "go to" time): the replay continues there
    // after the hold. Moving earlier takes every cursor back to the row before the first row
    // later than the position.
    void MoveTo(int64_t position, int64_t nowMs);
    // One of kReplaySpeeds; the position runs that many times as fast, the steps stay apart.
    void SetSpeed(int speed, int64_t nowMs);
    std::vector<ReplayStep> Tick(int64_t nowMs);

    bool IsRunning() const { return running_; }
    bool IsStepping() const { return running_ && stepping_; }
    bool IsPaused() const { return paused_; }
    int Speed() const { return speed_; }
    int64_t EndTime() const { return end_; }
    int64_t StartPosition() const { return start_; }
    int64_t CurrentPosition() const { return current_; }
    // Whether the list had rows at the start.
    bool TakesPart(LogList list) const { return Of(list).takesPart; }
    size_t Cursor(LogList list) const { return Of(list).row; }
    int64_t CursorTime(LogList list) const { return Of(list).time; }
    const DbmScan& RfImage() const { return rfImage_; }

private:
    struct ListCursor {
        bool takesPart = false;
        size_t row = 0;
        int64_t time = 0;
    };

    ListCursor& Of(LogList list) { return cursors_[static_cast<size_t>(list)]; }
    const ListCursor& Of(LogList list) const { return cursors_[static_cast<size_t>(list)]; }
    bool LiveLog() const { return tables_.Format() == LogFormat::LiveLog; }
    int64_t Advance(int64_t elapsedMs) const;
    bool Past(LogList list, int64_t t) const { return Of(list).takesPart && t > Of(list).time; }
    void StepLists(int64_t t, std::vector<ReplayStep>& steps);
    void EndOfLog(std::vector<ReplayStep>& steps);
    void ShowLastRow(LogList list, ReplayKind kind, int64_t t, std::vector<ReplayStep>& steps);
    void ShowGpsAhead(int64_t t, std::vector<ReplayStep>& steps);
    void ShowRf(int64_t t, std::vector<ReplayStep>& steps);
    void FoldControllerRf(int64_t t, std::vector<ReplayStep>& steps);
    // The first row from `from` on that is later than t.
    size_t FirstRowAfter(LogList list, size_t from, int64_t t) const;
    void MoveCursor(LogList list, size_t row);

    const LogTables& tables_;
    std::array<ListCursor, kLogListCount> cursors_{};
    DbmScan rfImage_{};
    int64_t end_ = 0;
    int64_t start_ = 0;
    int64_t current_ = 0;
    int64_t t_ = 0;
    int64_t baseMs_ = 0;
    int64_t movedAtMs_ = 0;
    int speed_ = 1;
    int receiverCount_ = 0;
    int rfCount_ = 0;
    bool running_ = false;
    bool stepping_ = false;
    bool paused_ = false;
    bool moved_ = false;
};

}  // namespace skarnel
