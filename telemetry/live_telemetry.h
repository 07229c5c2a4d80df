#pragma once

#include "telemetry/gps_path.h"
#include "telemetry/telemetry_records.h"

#include <array>
#include <cstdint>

namespace skarnel {

// The latest telemetry the live views show: the five records, the RF levels with their
// highest values since the start, and the flight path. One thread owns it (the user-interface
// thread in the application); producers hand their records to that thread and views copy
// from it there.
struct LiveTelemetry {
    GeneralData general;
    ReceiverData receiver;
    GpsData gps;
    VarioData vario;
    ElectricData electric;
    std::array<uint8_t, kRfChannelCount> txLevel{};
    std::array<uint8_t, kRfChannelCount> rxLevel{};
    std::array<uint8_t, kRfChannelCount> txMax{};
    std::array<uint8_t, kRfChannelCount> rxMax{};
    GpsPath path;

    // A new recording or replay: the levels, their highest values and the path are cleared;
    // the records keep their contents until overwritten.
    void ClearForStart();
    // The levels of an RF level table, raising the highest values channel by channel.
    void StoreRfLevels(const DbmScan& scan);
};

}  // namespace skarnel
