#include "telemetry/live_recorder.h"

#include "base/clock.h"
#include "base/format.h"
#include "link/download_function.h"
#include "telemetry/live_log_file.h"
#include "telemetry/live_telemetry.h"

#include <optional>
#include <system_error>

namespace skarnel {
namespace {

constexpr int kPauseAfterReplyMs = 50;
constexpr int kPauseAfterFailureMs = 200;

struct SensorRow {
    int type;
    int view;
};

constexpr SensorRow kSensorViews[] = {
    {kSensorNone, kLiveViewReceiver},   {kSensorVario, kLiveViewVario},       {kSensorGps, kLiveViewGps},
    {kSensorGeneral, kLiveViewGeneral}, {kSensorElectric, kLiveViewElectric},
};

// One recording: the worker's state between the steps of a pass.
class Recorder {
public:
    Recorder(CDownload_Function& link, LiveLogRun& run, LiveLogSink& sink, const StopRequest& stop)
        : link_(link), run_(run), sink_(sink), stop_(stop)
    {
    }

    JobOutcome Run();

private:
    enum class PassEnd { Next, Stop, TooManyFailures, WriteFailed };

    PassEnd Pass();
    void ReadSensorType();
    void ReadRfLevels();
    void ReadReceiver();
    // Reads the current module; nothing when there is none, else whether the read worked.
    std::optional<bool> ReadModule();
    // The record is packed, so its fields are written by name, never through member pointers.
    template <typename Record> using KeepInRecord = void (*)(LiveLogRecord&, int32_t time, const Record&);
    template <typename Record>
    bool ReadSensorRecord(bool (CDownload_Function::*read)(Record&), KeepInRecord<Record> keep,
                          Record LiveTelemetry::*latest, int view, bool ownTime);
    bool ReadGps();
    int64_t Now() const;
    void Succeeded(bool resetsCounter);
    void Failed();
    bool Stopping() const { return stop_.Requested(); }

    CDownload_Function& link_;
    LiveLogRun& run_;
    LiveLogSink& sink_;
    const StopRequest& stop_;
    int64_t t0_ = 0;  // the clock when the header was written
    LiveLogWriter writer_;
    LiveLogRecord record_;
    int sensorType_ = kSensorNone;
    int failures_ = 0;
    int64_t lastTime_ = 0;
};

int64_t Recorder::Now() const
{
    return (link_.GetClock().NowMs() - t0_) * 100 / 1000;
}

void Recorder::Succeeded(bool resetsCounter)
{
    if (resetsCounter)
        failures_ = 0;
    sink_.ShowLight(LiveLogLight::Good);
    link_.Sleep(kPauseAfterReplyMs);
}

void Recorder::Failed()
{
    ++failures_;
    sink_.ShowLight(LiveLogLight::Failed);
    link_.Sleep(kPauseAfterFailureMs);
}

// A changed type closes the old module's view and opens the new one's; an unknown type counts
// as none, so it differs again at the next pass and asks again. A failed read forgets the
// module without closing its view.
void Recorder::ReadSensorType()
{
    int type = kSensorNone;
    if (!link_.ReadSensorType(type)) {
        ++failures_;
        sensorType_ = kSensorNone;
        return;
    }
    if (type != sensorType_) {
        if (!IsKnownSensorType(type))
            type = kSensorNone;
        sink_.RequestCloseSensorView(sensorType_);
        sink_.RequestOpenView(LiveViewOfSensor(type));
        if (type == kSensorGps)
            sink_.RequestOpenView(kLiveViewGpsCurve);
    }
    sensorType_ = type;
    failures_ = 0;
}

void Recorder::ReadRfLevels()
{
    DbmScan scan{};
    if (!link_.ReadDbmScan(scan)) {
        Failed();
        return;
    }
    failures_ = 0;
    lastTime_ = Now();
    record_.rfTime = static_cast<int32_t>(lastTime_);
    record_.rf = scan;
    sink_.ShowLight(LiveLogLight::Good);
    sink_.Store(kLiveViewRfDbm, [&scan](LiveTelemetry& live) { live.StoreRfLevels(scan); });
    link_.Sleep(kPauseAfterReplyMs);
}

// A good receiver read does not reset the failure counter.
void Recorder::ReadReceiver()
{
    ReceiverData receiver{};
    if (!link_.ReadReceiverData(receiver)) {
        Failed();
        return;
    }
    record_.receiverTime = static_cast<int32_t>(Now());
    record_.receiver = receiver;
    sink_.ShowLight(LiveLogLight::Good);
    sink_.Store(kLiveViewReceiver, [&receiver](LiveTelemetry& live) { live.receiver = receiver; });
    link_.Sleep(kPauseAfterReplyMs);
}

// A module block carries the time taken before its request, the vario's its own reply time.
// A record without data (RF RXSQ 0) still reaches the view, all zero, but not the file.
template <typename Record>
bool Recorder::ReadSensorRecord(bool (CDownload_Function::*read)(Record&), KeepInRecord<Record> keep,
                                Record LiveTelemetry::*latest, int view, bool ownTime)
{
    Record data{};
    if (!(link_.*read)(data))
        return false;
    if (data.rxsq != 0) {
        if (ownTime)
            lastTime_ = Now();
        keep(record_, static_cast<int32_t>(lastTime_), data);
    }
    sink_.Store(view, [&data, latest](LiveTelemetry& live) { live.*latest = data; });
    return true;
}

bool Recorder::ReadGps()
{
    GpsData data{};
    if (!link_.ReadGpsData(data))
        return false;
    const bool present = data.rxsq != 0;
    if (present) {
        record_.gpsTime = static_cast<int32_t>(lastTime_);
        record_.gps = data;
    }
    sink_.Store(kLiveViewGps, [&data, present](LiveTelemetry& live) {
        live.gps = data;
        if (present)
            live.path.AddPoint(data, 0);
    });
    sink_.Store(kLiveViewGpsCurve, [](LiveTelemetry& live) { live.path.SetCurrent(-1); });
    return true;
}

std::optional<bool> Recorder::ReadModule()
{
    switch (sensorType_) {
    case kSensorVario:
        return ReadSensorRecord<VarioData>(
            &CDownload_Function::ReadVarioData,
            [](LiveLogRecord& r, int32_t time, const VarioData& data) {
                r.varioTime = time;
                r.vario = data;
            },
            &LiveTelemetry::vario, kLiveViewVario, true);
    case kSensorGps: return ReadGps();
    case kSensorGeneral:
        return ReadSensorRecord<GeneralData>(
            &CDownload_Function::ReadGeneralData,
            [](LiveLogRecord& r, int32_t time, const GeneralData& data) {
                r.generalTime = time;
                r.general = data;
            },
            &LiveTelemetry::general, kLiveViewGeneral, false);
    case kSensorElectric:
        return ReadSensorRecord<ElectricData>(
            &CDownload_Function::ReadElectricData,
            [](LiveLogRecord& r, int32_t time, const ElectricData& data) {
                r.electricTime = time;
                r.electric = data;
            },
            &LiveTelemetry::electric, kLiveViewElectric, false);
    default: return std::nullopt;
    }
}

Recorder::PassEnd Recorder::Pass()
{
    sink_.ShowLight(LiveLogLight::Busy);
    record_ = LiveLogRecord{};
    ReadSensorType();
    if (Stopping())
        return PassEnd::Stop;
    ReadRfLevels();
    if (Stopping())
        return PassEnd::Stop;
    sink_.ShowTime(lastTime_);
    ReadReceiver();
    if (Stopping())
        return PassEnd::Stop;
    lastTime_ = Now();
    const std::optional<bool> module = ReadModule();
    if (!module)
        link_.Sleep(kPauseAfterReplyMs);
    else if (*module)
        Succeeded(true);
    else
        Failed();
    // Only a pass without a good module read looks at the counter.
    if (!(module && *module) && failures_ > kLiveLogFailureLimit)
        return PassEnd::TooManyFailures;
    if (Stopping())
        return PassEnd::Stop;
    if (!writer_.Append(record_))
        return PassEnd::WriteFailed;
    ++run_.records;
    run_.lastTime = lastTime_;
    sink_.ShowTime(lastTime_);
    sink_.PassWritten({lastTime_, sensorType_, failures_, run_.records});
    return PassEnd::Next;
}

JobOutcome Recorder::Run()
{
    sink_.Store(0, [](LiveTelemetry& live) { live.ClearForStart(); });
    if (!writer_.Create(run_.tempFile.string())) {
        writer_.Close();
        return JobOutcome::Failure(kLogFileCreateFail);
    }
    run_.fileCreated = true;
    t0_ = link_.GetClock().NowMs();
    PassEnd end = PassEnd::Next;
    while (end == PassEnd::Next && !Stopping())
        end = Pass();
    sink_.ShowLight(LiveLogLight::Idle);
    const bool closed = writer_.Close();
    if (end == PassEnd::TooManyFailures)
        return {false, "Log Data Read Fail", kLogDataReadFail, {}};
    if (end == PassEnd::WriteFailed || !closed) {
        // A torn last record would make the whole file unreadable: keep the whole ones.
        std::error_code ignored;
        std::filesystem::resize_file(
            run_.tempFile, kLiveLogHeaderSize + sizeof(LiveLogRecord) * static_cast<uint64_t>(run_.records), ignored);
        return JobOutcome::Failure(kLogFileWriteFail);
    }
    return {true, {}, {}, {}};
}

}  // namespace

JobOutcome RecordLiveLog(CDownload_Function& link, LiveLogRun& run, LiveLogSink& sink, const StopRequest& stop)
{
    run.fileCreated = false;
    run.records = 0;
    run.lastTime = 0;
    return Recorder(link, run, sink, stop).Run();
}

int LiveViewOfSensor(int sensorType)
{
    for (const SensorRow& row : kSensorViews) {
        if (row.type == sensorType)
            return row.view;
    }
    return kLiveViewReceiver;
}

bool IsKnownSensorType(int sensorType)
{
    for (const SensorRow& row : kSensorViews) {
        if (row.type == sensorType)
            return true;
    }
    return false;
}

std::string LiveLogTimeText(int64_t hundredths)
{
    const auto part = [hundredths](int64_t unit, int64_t modulo) {
        return static_cast<int>(hundredths / unit % modulo);
    };
    return Format(" %02d:%02d:%02d.%02d    (+%.2f)", static_cast<int>(hundredths / 360000), part(6000, 60),
                  part(100, 60), part(1, 100), static_cast<double>(hundredths) / 100);
}

}  // namespace skarnel
