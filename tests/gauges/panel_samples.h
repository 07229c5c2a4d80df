#pragma once

#include "telemetry/telemetry_records.h"

// Records as a flight in progress reports them, shared by the panel tests and the benchmark.
namespace skarnel::gauge_samples {

inline ElectricData Electric()
{
    ElectricData record;
    const float cells[14] = {3.91f, 3.92f, 3.90f, 3.93f, 3.89f, 3.91f, 3.92f,
                             3.62f, 3.64f, 3.61f, 3.65f, 3.63f, 3.60f, 4.35f};
    for (int i = 0; i < 14; ++i)
        record.cellVolt[i] = cells[i];
    record.battVolt1 = 47.6f;
    record.battVolt2 = 12.4f;
    record.temp1 = 64;
    record.temp2 = 131;
    record.altitude = 123;
    record.alt1sec = 3.4f;
    record.alt3sec = -7;
    record.current = 112.5f;
    record.powerV = 46.8f;
    record.capacity = 8450;
    record.rxsq = 87;
    return record;
}

inline GeneralData General()
{
    GeneralData record;
    const float cells[6] = {4.12f, 4.10f, 4.11f, 3.05f, 2.90f, 4.35f};
    for (int i = 0; i < 6; ++i)
        record.cellVolt[i] = cells[i];
    record.battVolt1 = 24.8f;
    record.battVolt2 = 7.9f;
    record.temp1 = 90;
    record.temp2 = 250;
    record.rpm = 42500;
    record.altitude = 57;
    record.current = 38.2f;
    record.powerV = 22.4f;
    record.capacity = 2150;
    record.fuel = 640;
    record.oilLevel = 72;
    record.alt1sec = 150.0f;
    record.alt3sec = -130;
    record.rxsq = 64;
    return record;
}

inline GpsData Gps()
{
    GpsData record;
    record.speed = 20;
    record.distance = 412;
    record.nsHigh = 4807;
    record.nsLow = 1234;
    record.ewHigh = 11630;
    record.ewLow = 5000;
    record.direct = 350;
    record.ns = 0;
    record.ew = 1;
    record.altitude = 86;
    record.alt1sec = -2.6f;
    record.alt3sec = 4;
    record.rxsq = 130;
    return record;
}

inline ReceiverData Receiver()
{
    ReceiverData record;
    record.recvTemp = 38;
    record.lossPack = 2500;
    record.strength = 76;
    record.recvVolt = 5.1f;
    record.rxsq = 130;
    record.quality = 93;
    record.lowVolt = 4.6f;
    return record;
}

inline VarioData Vario()
{
    VarioData record;
    record.altitude = 123;
    record.altMax = 187;
    record.altMin = -12;
    record.alt1sec = 12.5f;
    record.alt3sec = -4.2f;
    record.alt10sec = 1.0f;
    record.rxsq = 42;
    return record;
}

}  // namespace skarnel::gauge_samples
