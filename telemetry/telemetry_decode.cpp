#include "telemetry/telemetry_decode.h"

#include "base/byte_order.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace skarnel {
namespace {

constexpr int32_t kMaxHeading = 360;
constexpr int32_t kMaxGpsRxsq = 100;

int32_t U16(const uint8_t* r, size_t offset)
{
    return ReadLe16(r + offset);
}

int32_t S16(const uint8_t* r, size_t offset)
{
    return static_cast<int16_t>(ReadLe16(r + offset));
}

float Scaled(int32_t value, float divisor)
{
    return static_cast<float>(value) / divisor;
}

// Written through the record: in a packed live log record the cells stand at an odd offset,
// where a plain float pointer to them would be misaligned.
template <typename Record> void DecodeCells(const uint8_t* r, Record& record)
{
    for (size_t i = 0; i < std::extent_v<decltype(Record::cellVolt)>; ++i)
        record.cellVolt[i] = Scaled(U16(r, 2 + 2 * i), 100.0f);
}

}  // namespace

uint8_t ReceiverRxsq(uint8_t value)
{
    if (value >= 128)
        return static_cast<uint8_t>(((256 - value) >> 1) + 72);
    return static_cast<uint8_t>(72 - (value >> 1));
}

bool DecodeReceiverData(const uint8_t* r, size_t length, ReceiverData& record)
{
    if (length != kReceiverReplySize)
        return false;
    record.reply0 = r[0];
    record.reply1 = r[1];
    record.recvTemp = ReadLe16(r + 2);
    record.lossPack = ReadLe16(r + 4);
    record.strength = r[6];
    record.recvVolt = Scaled(r[7], 10.0f);
    record.rxsq = ReceiverRxsq(r[8]);
    record.quality = r[9];
    record.lowVolt = Scaled(r[10], 10.0f);
    return true;
}

bool DecodeDbmScan(const uint8_t* r, size_t length, DbmScan& record)
{
    if (length != kDbmScanReplySize)
        return false;
    std::memcpy(&record, r, sizeof record);
    return true;
}

bool DecodeGeneralData(const uint8_t* r, size_t length, GeneralData& record)
{
    if (length != kGeneralReplySize)
        return false;
    if (r[38] == 0)
        return true;
    record.inverseLocal = U16(r, 0);
    DecodeCells(r, record);
    record.battVolt1 = Scaled(U16(r, 14), 10.0f);
    record.battVolt2 = Scaled(U16(r, 16), 10.0f);
    record.temp1 = S16(r, 18);
    record.temp2 = S16(r, 20);
    record.rpm = U16(r, 22) * 10;
    record.altitude = S16(r, 24);
    record.current = Scaled(U16(r, 26), 10.0f);
    record.powerV = Scaled(U16(r, 28), 10.0f);
    record.capacity = static_cast<float>(U16(r, 30)) * 10.0f;
    record.fuel = U16(r, 32);
    record.oilLevel = r[37];
    record.alt1sec = Scaled(S16(r, 34), 100.0f);
    record.alt3sec = static_cast<int8_t>(r[36]);
    record.rxsq = r[38];
    return true;
}

bool DecodeElectricData(const uint8_t* r, size_t length, ElectricData& record)
{
    if (length != kElectricReplySize)
        return false;
    if (r[49] == 0)
        return true;
    record.inverseLocal = U16(r, 0);
    DecodeCells(r, record);
    record.battVolt1 = Scaled(U16(r, 30), 10.0f);
    record.battVolt2 = Scaled(U16(r, 32), 10.0f);
    record.temp1 = S16(r, 34);
    record.temp2 = S16(r, 36);
    record.altitude = S16(r, 38);
    record.alt1sec = Scaled(S16(r, 46), 100.0f);
    record.alt3sec = static_cast<int8_t>(r[48]);
    record.current = Scaled(U16(r, 40), 10.0f);
    record.powerV = Scaled(U16(r, 42), 10.0f);
    record.capacity = static_cast<float>(U16(r, 44)) * 10.0f;
    record.rxsq = r[49];
    return true;
}

bool DecodeVarioData(const uint8_t* r, size_t length, VarioData& record)
{
    if (length != kVarioReplySize)
        return false;
    if (r[14] == 0)
        return true;
    record.inverseLocal = U16(r, 0);
    record.altitude = S16(r, 2);
    record.altMax = S16(r, 4);
    record.altMin = S16(r, 6);
    record.alt1sec = Scaled(S16(r, 8), 100.0f);
    record.alt3sec = Scaled(S16(r, 10), 100.0f);
    record.alt10sec = Scaled(S16(r, 12), 100.0f);
    record.rxsq = r[14];
    return true;
}

bool DecodeGpsData(const uint8_t* r, size_t length, GpsData& record)
{
    if (length != kGpsReplySize)
        return false;
    if (r[23] == 0)
        return true;
    record.inverseLocal = U16(r, 0);
    record.speed = U16(r, 2);
    record.distance = U16(r, 4);
    record.altitude = S16(r, 6);
    record.nsHigh = U16(r, 8);
    record.nsLow = U16(r, 10);
    record.ewHigh = U16(r, 12);
    record.ewLow = U16(r, 14);
    record.direct = std::min(U16(r, 16), kMaxHeading);
    record.ns = r[18];
    record.ew = r[19];
    record.alt1sec = Scaled(S16(r, 20), 100.0f);
    record.alt3sec = static_cast<int8_t>(r[22]);
    record.rxsq = std::min<int32_t>(r[23], kMaxGpsRxsq);
    return true;
}

}  // namespace skarnel
