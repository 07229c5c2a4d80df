#include "base/byte_order.h"
#include "fuzz/seeds/seed_files.h"
#include "fuzz/support/scratch_folder.h"
#include "sim/telemetry_values.h"
#include "telemetry/live_log_file.h"
#include "telemetry/log_process_function.h"
#include "telemetry/telemetry_decode.h"

#include <array>
#include <stdexcept>

namespace skarnel::fuzz {
namespace {

// A live log record of the simulated receiver and sensor modules at a time, in hundredths.
LiveLogRecord LiveRecord(int32_t time)
{
    const double seconds = time / 100.0;
    LiveLogRecord record;
    record.receiverTime = record.rfTime = record.generalTime = record.varioTime = record.gpsTime = record.electricTime =
        time;
    const std::vector<uint8_t> receiver = sim::ReceiverReply(seconds);
    const std::vector<uint8_t> scan = sim::DbmScanReply(seconds);
    const std::vector<uint8_t> general = sim::GeneralReply(seconds);
    const std::vector<uint8_t> vario = sim::VarioModule().Reply(seconds);
    const std::vector<uint8_t> gps = sim::GpsReply(seconds);
    const std::vector<uint8_t> electric = sim::ElectricReply(seconds);
    const bool decoded = DecodeReceiverData(receiver.data(), receiver.size(), record.receiver) &&
                         DecodeDbmScan(scan.data(), scan.size(), record.rf) &&
                         DecodeGeneralData(general.data(), general.size(), record.general) &&
                         DecodeVarioData(vario.data(), vario.size(), record.vario) &&
                         DecodeGpsData(gps.data(), gps.size(), record.gps) &&
                         DecodeElectricData(electric.data(), electric.size(), record.electric);
    if (!decoded)
        throw std::runtime_error("a simulated telemetry reply does not decode");
    return record;
}

std::vector<uint8_t> LiveLog()
{
    const std::filesystem::path path = ScratchFolder() / "live.cld";
    LiveLogWriter writer;
    const bool written = writer.Create(path.string()) && writer.Append(LiveRecord(10)) &&
                         writer.Append(LiveRecord(20)) && writer.Close();
    if (!written)
        throw std::runtime_error("cannot write " + path.string());
    return FileBytes(path);
}

// Bytes of a controller log record: the channel level pair, the channel values and a slot,
// the sensor type, and a payload part (0: the receiver's).
struct ControllerRecord {
    uint8_t channel;
    uint8_t slot;
    uint8_t sensorType;
    uint8_t part;
    std::array<uint8_t, CLog_Process_Function::kPayloadSize> payload;
};

constexpr uint8_t kSampleKind = 3;
constexpr uint8_t kGeneralSensor = 0x8D;

// A receiver record, then a general module's 40-byte frame in its four parts.
constexpr std::array<ControllerRecord, 5> kControllerRecords{{
    {1, 0, 0x80, 0, {0, 52, 45, 200, 98, 48, 3, 0, 0, 0}},
    {2, 1, kGeneralSensor, 1, {70, 0, 1, 200, 201, 202, 203, 204, 205, 120}},
    {3, 2, kGeneralSensor, 2, {0, 121, 0, 45, 46, 50, 200, 0, 180, 5}},
    {4, 3, kGeneralSensor, 3, {0xF4, 0x01, 0x30, 0x75, 120, 55, 0, 120, 0, 200}},
    {5, 4, kGeneralSensor, 4, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
}};

std::vector<uint8_t> ControllerLog()
{
    std::vector<uint8_t> log;
    for (const ControllerRecord& r : kControllerRecords) {
        std::array<uint8_t, CLog_Process_Function::kRecordSize> record{};
        record[1] = r.channel;
        record[2] = kSampleKind;
        record[3] = static_cast<uint8_t>(90 - r.channel);
        record[4] = static_cast<uint8_t>(80 - r.channel);
        record[5] = r.slot;
        record[7] = r.sensorType;
        for (size_t k = 0; k < 12; ++k)
            WriteLe16(record.data() + 8 + 2 * k, static_cast<uint16_t>(1024 + 100 * k));
        record[35] = r.part;
        std::copy(r.payload.begin(), r.payload.end(), record.begin() + 36);
        log.insert(log.end(), record.begin(), record.end());
    }
    return log;
}

}  // namespace

void WriteLogSeeds(const std::filesystem::path& corpus)
{
    const SeedFolder seeds(corpus, "log_file");
    seeds.Write("live_log", LiveLog());
    seeds.Write("controller_log", ControllerLog());
}

}  // namespace skarnel::fuzz
