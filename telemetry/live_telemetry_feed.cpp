#include "telemetry/live_telemetry_feed.h"

namespace skarnel {

void LiveTelemetryFeed::Begin(LogFormat)
{
    live_.ClearForStart();
}

void LiveTelemetryFeed::AddGps(int32_t, const GpsData& record)
{
    live_.gps = record;
    if (record.rxsq != 0)
        live_.path.AddPoint(record, 0);
}

}  // namespace skarnel
