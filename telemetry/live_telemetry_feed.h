#pragma once

#include "telemetry/live_telemetry.h"
#include "telemetry/log_rows.h"

namespace skarnel {

// Fills a LiveTelemetry from a loaded log as the recorder would have: each row's record
// becomes the latest, RF level rows raise the highest levels and GPS rows with data add path
// points, all of them flown. Controller logs' channel rows are passed over.
class LiveTelemetryFeed final : public LogRows {
public:
    explicit LiveTelemetryFeed(LiveTelemetry& live) : live_(live) {}

    void Begin(LogFormat format) override;
    void AddGeneral(int32_t, const GeneralData& record) override { live_.general = record; }
    void AddElectric(int32_t, const ElectricData& record) override { live_.electric = record; }
    void AddGps(int32_t time, const GpsData& record) override;
    void AddVario(int32_t, const VarioData& record) override { live_.vario = record; }
    void AddReceiver(int32_t, const ReceiverData& record) override { live_.receiver = record; }
    void AddRfLevels(int32_t, const DbmScan& scan) override { live_.StoreRfLevels(scan); }
    void AddChannelLevel(int32_t, int, int, int) override {}
    void AddChannels(int32_t, const ChannelValues&) override {}
    void End(int32_t) override { live_.path.SetCurrent(-1); }

private:
    LiveTelemetry& live_;
};

}  // namespace skarnel
