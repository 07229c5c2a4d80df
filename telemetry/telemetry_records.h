#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace skarnel {

// What the controller reports as attached to the receiver (reply of ReadSensorType).
enum SensorType : int {
    kSensorNone = 0x80,
    kSensorVario = 0x89,
    kSensorGps = 0x8A,
    kSensorGeneral = 0x8D,
    kSensorElectric = 0x8E,
};

inline constexpr size_t kRfChannelCount = 75;

// The decoded telemetry records. They are stored byte for byte in live log files, so they
// are packed (two floats of ReceiverData sit at odd offsets) and little-endian on disk; the
// fields marked "never written" stay as the caller cleared them.
#pragma pack(push, 1)

struct ReceiverData {
    uint8_t reply0 = 0;     // passed through
    uint8_t reply1 = 0;     // passed through
    uint16_t recvTemp = 0;  // °C, shown as int16
    uint16_t lossPack = 0;
    uint8_t strength = 0;  // %
    float recvVolt = 0;    // V
    uint8_t rxsq = 0;
    uint8_t quality = 0;  // %
    float lowVolt = 0;    // V
};

struct DbmScan {
    uint8_t first[kRfChannelCount] = {};  // passed through
    uint8_t txLevel[kRfChannelCount] = {};
    uint8_t rxLevel[kRfChannelCount] = {};
};

struct GeneralData {
    int32_t inverseLocal = 0;
    float cellVolt[6] = {};
    float battVolt1 = 0;
    float battVolt2 = 0;
    int32_t temp1 = 0;
    int32_t temp2 = 0;
    int32_t rpm = 0;
    int32_t altitude = 0;
    float current = 0;
    float powerV = 0;
    float capacity = 0;
    int32_t fuel = 0;
    int32_t oilLevel = 0;
    float alt1sec = 0;
    int32_t alt3sec = 0;
    int32_t unused = 0;  // never written
    int32_t rxsq = 0;    // 0: the module is absent
};

struct ElectricData {
    int32_t inverseLocal = 0;
    float cellVolt[14] = {};
    float battVolt1 = 0;
    float battVolt2 = 0;
    int32_t temp1 = 0;
    int32_t temp2 = 0;
    int32_t altitude = 0;
    float alt1sec = 0;
    int32_t alt3sec = 0;
    int32_t unused = 0;  // never written
    float current = 0;
    float powerV = 0;
    float capacity = 0;
    int32_t rxsq = 0;  // 0: the module is absent
};

struct VarioData {
    int32_t inverseLocal = 0;
    int32_t altitude = 0;
    int32_t altMax = 0;
    int32_t altMin = 0;
    float alt1sec = 0;
    float alt3sec = 0;
    float alt10sec = 0;
    int32_t rxsq = 0;  // 0: the module is absent
};

struct GpsData {
    int32_t inverseLocal = 0;
    int32_t speed = 0;
    int32_t distance = 0;
    int32_t nsHigh = 0;  // latitude: degrees × 100 + whole minutes
    int32_t nsLow = 0;   // latitude: fractional minutes × 10000
    int32_t ewHigh = 0;  // longitude, as the latitude
    int32_t ewLow = 0;
    int32_t direct = 0;  // heading in degrees
    int32_t ns = 0;      // 0 north, otherwise south
    int32_t ew = 0;      // 0 east, otherwise west
    int32_t altitude = 0;
    float alt1sec = 0;
    int32_t alt3sec = 0;
    int32_t unused = 0;  // never written
    int32_t rxsq = 0;    // 0: the module is absent
};

#pragma pack(pop)

static_assert(sizeof(ReceiverData) == 17);
static_assert(sizeof(DbmScan) == 225);
static_assert(sizeof(GeneralData) == 88);
static_assert(sizeof(ElectricData) == 108);
static_assert(sizeof(VarioData) == 32);
static_assert(sizeof(GpsData) == 60);
static_assert(offsetof(ReceiverData, recvVolt) == 7 && offsetof(ReceiverData, lowVolt) == 13);
static_assert(offsetof(ElectricData, current) == 92 && offsetof(GpsData, altitude) == 40);
static_assert(sizeof(float) == 4, "records hold IEEE-754 single-precision floats");
// Records go to files as they stand in memory.
static_assert(std::endian::native == std::endian::little);

// Reply data lengths of the record commands.
inline constexpr size_t kDbmScanReplySize = 225;
inline constexpr size_t kReceiverReplySize = 11;
inline constexpr size_t kGeneralReplySize = 39;
inline constexpr size_t kElectricReplySize = 50;
inline constexpr size_t kVarioReplySize = 15;
inline constexpr size_t kGpsReplySize = 24;

}  // namespace skarnel
