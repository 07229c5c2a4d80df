#pragma once

#include "telemetry/telemetry_records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <span>
#include <string>

namespace skarnel {

// One pass of the live recorder. Each block carries the time of its values in hundredths of
// a second since the start of the recording; a sensor block whose time is 0 is absent.
#pragma pack(push, 1)
struct LiveLogRecord {
    int32_t receiverTime = 0;
    ReceiverData receiver;
    int32_t rfTime = 0;
    DbmScan rf;
    int32_t generalTime = 0;
    GeneralData general;
    int32_t varioTime = 0;
    VarioData vario;
    int32_t gpsTime = 0;
    GpsData gps;
    int32_t electricTime = 0;
    ElectricData electric;
};
#pragma pack(pop)

static_assert(sizeof(LiveLogRecord) == 554);
static_assert(offsetof(LiveLogRecord, rf) == 25 && offsetof(LiveLogRecord, general) == 254);
static_assert(offsetof(LiveLogRecord, gps) == 382 && offsetof(LiveLogRecord, electric) == 446);

// The live log file (.cld): a 32-byte header, then the records.
inline constexpr size_t kLiveLogHeaderSize = 32;
inline constexpr uint32_t kLiveLogSecondWord = 0xAA;
inline constexpr uint32_t kLiveLogThirdWord = 0x55;

// The file magic, the two marker words, 20 reserved bytes of 0.
std::array<uint8_t, kLiveLogHeaderSize> LiveLogHeader();
// The three words a reader checks; the reserved bytes are not examined.
bool LiveLogHeaderMatches(std::span<const uint8_t, kLiveLogHeaderSize> header);

// Writes a live log file record by record.
class LiveLogWriter {
public:
    // Creates the file anew (truncating) and writes the header.
    bool Create(const std::string& path);
    bool Append(const LiveLogRecord& record);
    // False when anything written since Create was lost (a full disk, for example).
    bool Close();

private:
    std::ofstream file_;
};

}  // namespace skarnel
