#pragma once

#include "telemetry/log_rows.h"
#include "telemetry/telemetry_records.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace skarnel {

// The controller's own log format: 64-byte records, one per 10 ms. Decodes the records of
// one file in order, keeping the sensor frame that is assembled from four record parts and
// the 32 channel values between records.
class CLog_Process_Function {
public:
    static constexpr size_t kRecordSize = 64;
    static constexpr size_t kPayloadSize = 10;
    static constexpr size_t kSensorFrameSize = 40;

    // Adds the rows of one record (time in hundredths of a second) to the lists.
    void ProcessRecord(const uint8_t* record, int32_t time, LogRows& rows);

    // A 10-byte receiver payload.
    static ReceiverData DecodeReceiverPayload(const uint8_t* payload);
    // 40-byte sensor frames; byte 0 is the module's RF RXSQ (0: no data).
    static GeneralData DecodeGeneralFrame(const uint8_t* frame);
    static ElectricData DecodeElectricFrame(const uint8_t* frame);
    static VarioData DecodeVarioFrame(const uint8_t* frame);
    static GpsData DecodeGpsFrame(const uint8_t* frame);
    // The receiver's signal strength in % for an RF RXSQ value.
    static uint8_t StrengthFromRxsq(int rxsq);

private:
    void UpdateChannels(const uint8_t* record, int32_t time, LogRows& rows);
    void CollectSensorPart(const uint8_t* record, int32_t time, LogRows& rows);
    void ClearSensorFrame();

    std::array<uint8_t, kSensorFrameSize> frame_{};
    std::array<bool, 5> partReceived_{};
    ChannelValues channels_{};
};

}  // namespace skarnel
