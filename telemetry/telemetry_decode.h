#pragma once

#include "telemetry/telemetry_records.h"

#include <cstddef>
#include <cstdint>

namespace skarnel {

// Decoding of the live-log commands' reply data into records. Each decoder takes the reply
// data and its length, and refuses (false, record untouched) any length but its own.
// A sensor reply whose last byte (the module's RF RXSQ) is 0 means the module is absent:
// accepted, the record left untouched.

// 72 minus half of the byte taken as signed, the halving truncating toward zero.
uint8_t ReceiverRxsq(uint8_t value);

bool DecodeReceiverData(const uint8_t* reply, size_t length, ReceiverData& record);
bool DecodeDbmScan(const uint8_t* reply, size_t length, DbmScan& record);
bool DecodeGeneralData(const uint8_t* reply, size_t length, GeneralData& record);
bool DecodeElectricData(const uint8_t* reply, size_t length, ElectricData& record);
bool DecodeVarioData(const uint8_t* reply, size_t length, VarioData& record);
bool DecodeGpsData(const uint8_t* reply, size_t length, GpsData& record);

}  // namespace skarnel
