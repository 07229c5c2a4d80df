#include "sim/controller_log.h"

#include "base/byte_order.h"
#include "base/replacing_file.h"
#include "telemetry/telemetry_records.h"

#include <cmath>
#include <vector>

namespace skarnel::sim {
namespace {

constexpr int kPartCount = 5;  // the receiver's part and four parts of a sensor frame
constexpr size_t kPartSize = 10;
constexpr size_t kFrameSize = 40;
constexpr int64_t kRecordsPerWrite = 16384;

uint16_t U16(double value)
{
    return static_cast<uint16_t>(std::lround(value));
}

uint8_t U8(double value)
{
    return static_cast<uint8_t>(std::lround(value));
}

double Wave(double seconds, double period, double low, double high)
{
    return low + (high - low) * (0.5 + 0.5 * std::sin(seconds * 2.0 * M_PI / period));
}

std::array<uint8_t, kPartSize> ReceiverPayload(double seconds)
{
    std::array<uint8_t, kPartSize> p{};
    p[1] = U8(Wave(seconds, 600, 48, 52));  // 4.8-5.2 V
    p[2] = U8(Wave(seconds, 900, 45, 60));  // 25-40 °C
    p[3] = static_cast<uint8_t>(U8(Wave(seconds, 47, 0, 60)));
    p[4] = U8(Wave(seconds, 31, 80, 100));             // quality
    p[5] = 38;                                         // 3.8 V
    WriteLe16(&p[6], U16(Wave(seconds, 120, 0, 40)));  // lost packets
    return p;
}

// A lap of about 300 m around a field at 48° 07' N, 11° 34' E.
std::array<uint8_t, kFrameSize> GpsFrame(double seconds)
{
    std::array<uint8_t, kFrameSize> f{};
    const double angle = seconds * 2.0 * M_PI / 60.0;
    const double latMinutes = 7.0 + 0.05 * std::sin(angle);
    const double lonMinutes = 34.0 + 0.08 * std::cos(angle);
    f[0] = 70;
    f[3] = U8(std::fmod(seconds * 3.0, 360.0) / 2.0);
    WriteLe16(&f[4], U16(Wave(seconds, 40, 20, 60)));
    WriteLe16(&f[7], static_cast<uint16_t>(4800 + static_cast<int>(latMinutes)));
    WriteLe16(&f[9], U16((latMinutes - std::floor(latMinutes)) * 10000.0));
    WriteLe16(&f[12], static_cast<uint16_t>(1100 + static_cast<int>(lonMinutes)));
    WriteLe16(&f[14], U16((lonMinutes - std::floor(lonMinutes)) * 10000.0));
    WriteLe16(&f[16], U16(Wave(seconds, 60, 0, 300)));
    WriteLe16(&f[18], U16(500 + Wave(seconds, 90, 20, 120)));
    WriteLe16(&f[20], U16(30000 + Wave(seconds, 30, -250, 250)));
    f[22] = U8(120 + Wave(seconds, 30, -3, 3));
    return f;
}

std::array<uint8_t, kFrameSize> GeneralFrame(double seconds)
{
    std::array<uint8_t, kFrameSize> f{};
    f[0] = 70;
    f[2] = 1;
    for (size_t cell = 0; cell < 6; ++cell)
        f[3 + cell] = U8(Wave(seconds + static_cast<double>(cell), 300, 180, 210));  // 3.6-4.2 V
    WriteLe16(&f[9], U16(Wave(seconds, 300, 222, 252)));
    WriteLe16(&f[11], 74);
    f[13] = U8(Wave(seconds, 600, 45, 70));
    f[14] = U8(Wave(seconds, 700, 40, 60));
    f[15] = 3;
    WriteLe16(&f[16], U16(Wave(seconds, 900, 20, 100)));
    WriteLe16(&f[18], U16(Wave(seconds, 20, 800, 1200)));
    WriteLe16(&f[20], U16(500 + Wave(seconds, 90, 20, 120)));
    WriteLe16(&f[22], U16(30000 + Wave(seconds, 30, -250, 250)));
    f[24] = U8(120 + Wave(seconds, 30, -3, 3));
    WriteLe16(&f[25], U16(Wave(seconds, 25, 50, 400)));
    WriteLe16(&f[27], U16(Wave(seconds, 300, 222, 252)));
    WriteLe16(&f[29], U16(seconds / 36.0));
    return f;
}

std::array<uint8_t, kFrameSize> SensorFrame(int sensorType, double seconds)
{
    return sensorType == kSensorGeneral ? GeneralFrame(seconds) : GpsFrame(seconds);
}

void PutStickChannels(ControllerLogRecord& record, int64_t index, double seconds)
{
    for (size_t channel = 0; channel < 8; ++channel)
        WriteLe16(&record[8 + 2 * channel], U16(Wave(seconds + static_cast<double>(channel), 4, 2000, 4000)));
    record[5] = static_cast<uint8_t>(index % 6);
    for (size_t channel = 0; channel < 4; ++channel)
        WriteLe16(&record[24 + 2 * channel], U16(3000 + 100 * static_cast<double>(record[5])));
}

void PutPart(ControllerLogRecord& record, int64_t index, int sensorType, double seconds)
{
    const auto part = static_cast<uint8_t>(index % kPartCount);
    record[7] = static_cast<uint8_t>(sensorType);
    record[35] = part;
    if (part == 0 || sensorType == kSensorNone) {
        const auto payload = ReceiverPayload(seconds);
        std::copy(payload.begin(), payload.end(), record.begin() + 36);
        return;
    }
    // The frame's parts are all taken at the time of its first part.
    const auto frame = SensorFrame(sensorType, seconds - 0.01 * (part - 1));
    const auto from = frame.begin() + static_cast<std::ptrdiff_t>(kPartSize * (part - 1u));
    std::copy(from, from + static_cast<std::ptrdiff_t>(kPartSize), record.begin() + 36);
}

}  // namespace

ControllerLogRecord SimulatedControllerLogRecord(int64_t index, int sensorType)
{
    ControllerLogRecord record{};
    const double seconds = static_cast<double>(index) / 100.0;
    const auto channel = static_cast<int>(index % static_cast<int64_t>(kRfChannelCount));
    record[1] = static_cast<uint8_t>(channel);
    record[2] = index % 10 == 9 ? 6 : 3;
    record[3] = U8(Wave(seconds + channel * 0.3, 7, 40, 90) - std::abs(channel - 37) * 0.4);
    record[4] = U8(Wave(seconds + channel * 0.2, 11, 30, 80) - std::abs(channel - 37) * 0.3);
    PutStickChannels(record, index, seconds);
    PutPart(record, index, sensorType, seconds);
    return record;
}

bool WriteSimulatedControllerLog(const std::filesystem::path& path, int64_t records, int sensorType)
{
    ReplacingFile file;
    if (!file.Create(path))
        return false;
    std::vector<uint8_t> block;
    for (int64_t first = 0; first < records; first += kRecordsPerWrite) {
        block.clear();
        for (int64_t i = first; i < std::min(records, first + kRecordsPerWrite); ++i) {
            const ControllerLogRecord record = SimulatedControllerLogRecord(i, sensorType);
            block.insert(block.end(), record.begin(), record.end());
        }
        if (!file.Write(block.data(), block.size()))
            return false;
    }
    return file.Commit();
}

}  // namespace skarnel::sim
