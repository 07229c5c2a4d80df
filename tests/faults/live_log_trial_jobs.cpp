#include "sim/telemetry_commands.h"
#include "telemetry/live_log_file.h"
#include "telemetry/live_recorder.h"
#include "telemetry/live_telemetry.h"
#include "tests/faults/trial_files.h"
#include "tests/faults/trial_jobs.h"
#include "tests/faults/trial_rig.h"

#include <algorithm>
#include <cstring>

namespace skarnel::test {
namespace {

constexpr int64_t kPasses = 12;

// Owns the recording's LiveTelemetry and stops the recording after its passes.
class StoppingSink final : public LiveLogSink {
public:
    StoppingSink(StopRequest& stop, int64_t passes) : stop_(stop), passes_(passes) {}

    void Store(int, const std::function<void(LiveTelemetry&)>& change) override { change(live_); }
    void RequestOpenView(int) override {}
    void RequestCloseSensorView(int) override {}
    void ShowLight(LiveLogLight) override {}
    void ShowTime(int64_t) override {}
    void PassWritten(const LivePass& pass) override
    {
        if (pass.records >= passes_)
            stop_.Request();
    }

private:
    StopRequest& stop_;
    const int64_t passes_;
    LiveTelemetry live_;
};

// What the simulated controller sends in every RF level table and receiver reply.
bool BlocksAreTheControllers(const LiveLogRecord& record)
{
    if (record.rfTime != 0) {
        for (size_t channel = 0; channel < kRfChannelCount; ++channel)
            if (record.rf.first[channel] != channel + 1)
                return false;
    }
    return record.receiverTime == 0 || (record.receiver.reply0 == 1 && record.receiver.lowVolt == 4.4f);
}

// A recording through module changes, an unknown module and the GPS laps: every record it
// writes is whole and holds what the controller sent.
class LiveLogTrial final : public TrialJob {
public:
    void Prepare(TrialRig& rig) override
    {
        sim::TelemetrySettings settings;
        settings.sensorPlan = {{kSensorGps, 2}, {kSensorGeneral, 2}, {0x85, 1}, {kSensorVario, 2}};
        sim::InstallTelemetryCommands(rig.engine(), settings);
        run_.tempFile = rig.files.Root() / "Log_Temp.cld";
    }
    JobOutcome Run(TrialRig& rig) override { return RecordLiveLog(rig.link, run_, sink_, stop_); }
    bool Delivered(TrialRig&) override
    {
        const std::vector<uint8_t> bytes = ReadBytes(run_.tempFile);
        const auto header = LiveLogHeader();
        if (run_.records != kPasses || bytes.size() != kLiveLogHeaderSize + sizeof(LiveLogRecord) * kPasses ||
            !std::equal(header.begin(), header.end(), bytes.begin()))
            return false;
        for (int64_t i = 0; i < kPasses; ++i) {
            LiveLogRecord record;
            std::memcpy(static_cast<void*>(&record), bytes.data() + kLiveLogHeaderSize + sizeof record * i,
                        sizeof record);
            if (!BlocksAreTheControllers(record))
                return false;
        }
        return true;
    }

private:
    LiveLogRun run_;
    StopRequest stop_;
    StoppingSink sink_{stop_, kPasses};
};

}  // namespace

std::vector<TrialJobKind> LiveLogTrialJobs()
{
    return {{"live log", [] { return std::make_unique<LiveLogTrial>(); }}};
}

}  // namespace skarnel::test
