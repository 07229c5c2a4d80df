#pragma once

#include "telemetry/telemetry_records.h"

#include <array>
#include <cstdint>

namespace skarnel {

enum class LogFormat { LiveLog, ControllerLog };

inline constexpr size_t kLogChannelCount = 32;
using ChannelValues = std::array<int16_t, kLogChannelCount>;

// The file log viewer's seven lists as a loader fills them. Every row carries the time of
// its values in hundredths of a second. Calls come from the loading thread and must return
// once the row is taken.
class LogRows {
public:
    virtual ~LogRows() = default;

    // Empties the lists; the RF level list takes the layout of the format.
    virtual void Begin(LogFormat format) = 0;
    virtual void AddGeneral(int32_t time, const GeneralData& record) = 0;
    virtual void AddElectric(int32_t time, const ElectricData& record) = 0;
    virtual void AddGps(int32_t time, const GpsData& record) = 0;
    virtual void AddVario(int32_t time, const VarioData& record) = 0;
    virtual void AddReceiver(int32_t time, const ReceiverData& record) = 0;
    // A live log's row of the whole RF level table.
    virtual void AddRfLevels(int32_t time, const DbmScan& scan) = 0;
    // A controller log's row of one channel's level pair.
    virtual void AddChannelLevel(int32_t time, int channel, int txLevel, int rxLevel) = 0;
    // A controller log's row of the 32 channel values.
    virtual void AddChannels(int32_t time, const ChannelValues& values) = 0;
    // The lists are complete; a replay runs up to endTime.
    virtual void End(int32_t endTime) = 0;
};

}  // namespace skarnel
