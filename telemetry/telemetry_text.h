#pragma once

#include "telemetry/log_rows.h"
#include "telemetry/telemetry_records.h"

#include <string>
#include <vector>

namespace skarnel {

// One cell of a list row: its column name and its text.
struct TelemetryCell {
    std::string column;
    std::string text;

    bool operator==(const TelemetryCell&) const = default;
};
using TelemetryCells = std::vector<TelemetryCell>;

// The value columns of the file log viewer's lists, in their order, with the lists' cell
// formats (cell voltages "%.2f", other voltages, currents and climb rates "%.1f", the
// capacity without decimals, everything else "%d").
TelemetryCells GeneralCells(const GeneralData& record);
TelemetryCells ElectricCells(const ElectricData& record);
TelemetryCells GpsCells(const GpsData& record);
TelemetryCells VarioCells(const VarioData& record);
TelemetryCells ReceiverCells(const ReceiverData& record);
// "Tx_01".."Tx_75", then "Rx_01".."Rx_75".
TelemetryCells RfLevelCells(const DbmScan& scan);
TelemetryCells ChannelLevelCells(int channel, int txLevel, int rxLevel);
// "Ch01".."Ch32": a value below 1 shows as 0, any other as half of it.
TelemetryCells ChannelCells(const ChannelValues& values);

// "+ %.2f sec" of hundredths of a second.
std::string LogTimeText(int32_t time);
// The cells as "column value" pairs separated by two blanks.
std::string JoinCells(const TelemetryCells& cells);
// "general", "electric", "vario", "GPS", "none" (receiver only), or "unknown".
std::string SensorTypeName(int sensorType);

}  // namespace skarnel
