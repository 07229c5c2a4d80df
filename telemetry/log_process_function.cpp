#include "telemetry/log_process_function.h"

#include "base/byte_order.h"
#include "telemetry/telemetry_decode.h"

#include <algorithm>
#include <type_traits>

namespace skarnel {
namespace {

constexpr int kAltitudeOffset = 500;
constexpr int kClimbOffset = 30000;
constexpr int kByteClimbOffset = 120;
constexpr int kTemperatureOffset = 20;
constexpr uint8_t kNoSensorPart = 0xFF;
constexpr int kLastSlot = 5;
constexpr int kLastPart = 4;

// Record bytes.
constexpr size_t kChannelByte = 1;
constexpr size_t kKindByte = 2;
constexpr size_t kTxLevelByte = 3;
constexpr size_t kRxLevelByte = 4;
constexpr size_t kSlotByte = 5;
constexpr size_t kSensorTypeByte = 7;
constexpr size_t kChannelValuesByte = 8;
constexpr size_t kSlotValuesByte = 24;
constexpr size_t kPartByte = 35;
constexpr size_t kPayloadByte = 36;

int32_t U16(const uint8_t* f, size_t offset)
{
    return ReadLe16(f + offset);
}

// value − offset in 16 bits, read as signed.
int32_t Offset16(const uint8_t* f, size_t offset, int subtract)
{
    return static_cast<int16_t>(static_cast<uint16_t>(ReadLe16(f + offset) - subtract));
}

int32_t OffsetByte(uint8_t value)
{
    return static_cast<int8_t>(static_cast<uint8_t>(value - kByteClimbOffset));
}

int32_t Temperature(uint8_t value)
{
    return static_cast<int16_t>(value - kTemperatureOffset);
}

float Tenths(int32_t value)
{
    return static_cast<float>(value) / 10.0f;
}

float Hundredths(int32_t value)
{
    return static_cast<float>(value) / 100.0f;
}

// Written through the record, which is packed: a plain float pointer to its cells could be
// misaligned.
template <typename Record> void DecodeCells(const uint8_t* cellBytes, Record& record)
{
    for (size_t i = 0; i < std::extent_v<decltype(Record::cellVolt)>; ++i)
        record.cellVolt[i] = Hundredths(cellBytes[i] * 2);
}

struct StrengthStep {
    int upTo;  // highest RF RXSQ of the step
    uint8_t strength;
};

constexpr StrengthStep kStrengthSteps[] = {
    {40, 100}, {50, 95}, {60, 90}, {65, 85}, {66, 80}, {67, 75}, {68, 70}, {69, 65}, {70, 60}, {71, 55},
    {72, 50},  {73, 45}, {74, 40}, {75, 35}, {77, 30}, {79, 25}, {82, 20}, {84, 15}, {86, 10}, {92, 5},
};

}  // namespace

uint8_t CLog_Process_Function::StrengthFromRxsq(int rxsq)
{
    for (const StrengthStep& step : kStrengthSteps)
        if (rxsq <= step.upTo)
            return step.strength;
    return 0;
}

ReceiverData CLog_Process_Function::DecodeReceiverPayload(const uint8_t* p)
{
    ReceiverData record;
    record.rxsq = ReceiverRxsq(p[3]);
    record.quality = p[4];
    record.strength = StrengthFromRxsq(record.rxsq);
    record.lossPack = ReadLe16(p + 6);
    record.recvVolt = Tenths(p[1]);
    record.lowVolt = Tenths(p[5]);
    record.recvTemp = static_cast<uint16_t>(Temperature(p[2]));
    return record;
}

GeneralData CLog_Process_Function::DecodeGeneralFrame(const uint8_t* f)
{
    GeneralData record;
    record.rxsq = f[0];
    record.inverseLocal = f[2];
    DecodeCells(f + 3, record);
    record.battVolt1 = Tenths(U16(f, 9));
    record.battVolt2 = Tenths(U16(f, 11));
    record.temp1 = Temperature(f[13]);
    record.temp2 = Temperature(f[14]);
    record.oilLevel = f[15];
    record.fuel = U16(f, 16);
    record.rpm = U16(f, 18) * 10;
    record.altitude = Offset16(f, 20, kAltitudeOffset);
    record.alt1sec = Hundredths(Offset16(f, 22, kClimbOffset));
    record.alt3sec = OffsetByte(f[24]);
    record.current = Tenths(U16(f, 25));
    record.powerV = Tenths(U16(f, 27));
    record.capacity = static_cast<float>(U16(f, 29) * 10);
    return record;
}

ElectricData CLog_Process_Function::DecodeElectricFrame(const uint8_t* f)
{
    ElectricData record;
    record.rxsq = f[0];
    record.inverseLocal = U16(f, 1);
    DecodeCells(f + 3, record);
    record.battVolt1 = Tenths(U16(f, 17));
    record.battVolt2 = Tenths(U16(f, 19));
    record.temp1 = Temperature(f[21]);
    record.temp2 = Temperature(f[22]);
    record.altitude = Offset16(f, 23, kAltitudeOffset);
    record.current = Tenths(U16(f, 25));
    record.powerV = Tenths(U16(f, 27));
    record.capacity = static_cast<float>(U16(f, 29) * 10);
    record.alt1sec = Hundredths(Offset16(f, 31, kClimbOffset));
    record.alt3sec = OffsetByte(f[33]);
    return record;
}

VarioData CLog_Process_Function::DecodeVarioFrame(const uint8_t* f)
{
    VarioData record;
    record.rxsq = f[0];
    record.inverseLocal = U16(f, 1);
    record.altitude = Offset16(f, 3, kAltitudeOffset);
    record.altMax = Offset16(f, 5, kAltitudeOffset);
    record.altMin = Offset16(f, 7, kAltitudeOffset);
    record.alt1sec = Hundredths(Offset16(f, 9, kClimbOffset));
    record.alt3sec = Hundredths(Offset16(f, 11, kClimbOffset));
    record.alt10sec = Hundredths(Offset16(f, 13, kClimbOffset));
    return record;
}

GpsData CLog_Process_Function::DecodeGpsFrame(const uint8_t* f)
{
    constexpr int32_t kLastHeading = 359;
    GpsData record;
    record.rxsq = f[0];
    record.inverseLocal = U16(f, 1);
    record.direct = f[3] * 2 > kLastHeading ? 0 : f[3] * 2;
    record.speed = U16(f, 4);
    record.ns = f[6] > 1 ? 0 : f[6];
    record.nsHigh = U16(f, 7);
    record.nsLow = U16(f, 9);
    record.ew = f[11] > 1 ? 0 : f[11];
    record.ewHigh = U16(f, 12);
    record.ewLow = U16(f, 14);
    record.distance = U16(f, 16);
    record.altitude = Offset16(f, 18, kAltitudeOffset);
    record.alt1sec = Hundredths(Offset16(f, 20, kClimbOffset));
    record.alt3sec = OffsetByte(f[22]);
    return record;
}

void CLog_Process_Function::ProcessRecord(const uint8_t* record, int32_t time, LogRows& rows)
{
    if (record[kKindByte] != 3 && record[kKindByte] != 6)
        return;
    rows.AddChannelLevel(time, record[kChannelByte], record[kTxLevelByte], record[kRxLevelByte]);
    UpdateChannels(record, time, rows);
    const uint8_t sensorType = record[kSensorTypeByte];
    if (sensorType == kNoSensorPart)
        return;
    if (sensorType == kSensorNone || record[kPartByte] == 0) {
        rows.AddReceiver(time, DecodeReceiverPayload(record + kPayloadByte));
        return;
    }
    if (record[kPartByte] <= kLastPart)
        CollectSensorPart(record, time, rows);
}

void CLog_Process_Function::UpdateChannels(const uint8_t* record, int32_t time, LogRows& rows)
{
    for (size_t i = 0; i < 8; ++i)
        channels_[i] = static_cast<int16_t>(ReadLe16(record + kChannelValuesByte + 2 * i));
    const int slot = record[kSlotByte];
    if (slot <= kLastSlot) {
        for (size_t i = 0; i < 4; ++i)
            channels_[8 + 4 * static_cast<size_t>(slot) + i] =
                static_cast<int16_t>(ReadLe16(record + kSlotValuesByte + 2 * i));
    }
    rows.AddChannels(time, channels_);
}

void CLog_Process_Function::CollectSensorPart(const uint8_t* record, int32_t time, LogRows& rows)
{
    const size_t part = record[kPartByte];
    const auto offset = static_cast<std::ptrdiff_t>(kPayloadSize * (part - 1));
    std::copy_n(record + kPayloadByte, kPayloadSize, frame_.begin() + offset);
    partReceived_[part] = true;
    if (part != kLastPart)
        return;
    const bool complete = partReceived_[1] && partReceived_[2] && partReceived_[3];
    if (complete && frame_[0] != 0) {
        switch (record[kSensorTypeByte]) {
        case kSensorGeneral: rows.AddGeneral(time, DecodeGeneralFrame(frame_.data())); break;
        case kSensorElectric: rows.AddElectric(time, DecodeElectricFrame(frame_.data())); break;
        case kSensorVario: rows.AddVario(time, DecodeVarioFrame(frame_.data())); break;
        case kSensorGps: rows.AddGps(time, DecodeGpsFrame(frame_.data())); break;
        default: break;
        }
    }
    ClearSensorFrame();
}

void CLog_Process_Function::ClearSensorFrame()
{
    frame_.fill(0);
    partReceived_.fill(false);
}

}  // namespace skarnel
