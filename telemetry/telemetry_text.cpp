#include "telemetry/telemetry_text.h"

#include "base/format.h"
#include "telemetry/log_columns.h"

namespace skarnel {
namespace {

// The cells of a record as the list of its kind shows them.
template <typename Record> TelemetryCells CellsOf(LogList list, LogFormat format, const Record& record)
{
    const LogLayout& layout = LayoutOf(list, format);
    TelemetryCells cells;
    cells.reserve(layout.columns.size());
    for (const LogColumn& column : layout.columns)
        cells.push_back({column.name, CellText(column, reinterpret_cast<const uint8_t*>(&record))});
    return cells;
}

}  // namespace

TelemetryCells GeneralCells(const GeneralData& r)
{
    return CellsOf(LogList::General, LogFormat::LiveLog, r);
}

TelemetryCells ElectricCells(const ElectricData& r)
{
    return CellsOf(LogList::Electric, LogFormat::LiveLog, r);
}

TelemetryCells GpsCells(const GpsData& r)
{
    return CellsOf(LogList::Gps, LogFormat::LiveLog, r);
}

TelemetryCells VarioCells(const VarioData& r)
{
    return CellsOf(LogList::Vario, LogFormat::LiveLog, r);
}

TelemetryCells ReceiverCells(const ReceiverData& r)
{
    return CellsOf(LogList::Receiver, LogFormat::LiveLog, r);
}

TelemetryCells RfLevelCells(const DbmScan& scan)
{
    return CellsOf(LogList::RfLevel, LogFormat::LiveLog, scan);
}

TelemetryCells ChannelLevelCells(int channel, int txLevel, int rxLevel)
{
    const ChannelLevel level{static_cast<uint8_t>(channel), static_cast<uint8_t>(txLevel),
                             static_cast<uint8_t>(rxLevel)};
    return CellsOf(LogList::RfLevel, LogFormat::ControllerLog, level);
}

TelemetryCells ChannelCells(const ChannelValues& values)
{
    return CellsOf(LogList::Channel, LogFormat::ControllerLog, values);
}

std::string LogTimeText(int32_t time)
{
    return Format("+ %.2f sec", time / 100.0);
}

std::string JoinCells(const TelemetryCells& cells)
{
    std::string text;
    for (const TelemetryCell& cell : cells) {
        if (!text.empty())
            text += "  ";
        text += cell.column + " " + cell.text;
    }
    return text;
}

std::string SensorTypeName(int sensorType)
{
    switch (sensorType) {
    case kSensorNone: return "none";
    case kSensorVario: return "vario";
    case kSensorGps: return "GPS";
    case kSensorGeneral: return "general";
    case kSensorElectric: return "electric";
    default: return "unknown";
    }
}

}  // namespace skarnel
