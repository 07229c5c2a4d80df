#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

namespace skarnel::sim {

inline constexpr size_t kControllerLogRecordSize = 64;
using ControllerLogRecord = std::array<uint8_t, kControllerLogRecordSize>;

// Record `index` of the controller's own recording of a simulated flight, one record every
// 10 ms: an RF level pair of the channels in turn (every tenth record of kind 6, the others of
// kind 3), the stick channels, and in turn the receiver's part and the four parts of the
// sensor module's frame. Levels, voltages, altitude and the GPS position drift smoothly.
ControllerLogRecord SimulatedControllerLogRecord(int64_t index, int sensorType);

// A whole recording of `records` records; false when the file could not be written.
bool WriteSimulatedControllerLog(const std::filesystem::path& path, int64_t records, int sensorType);

}  // namespace skarnel::sim
