#include "telemetry/telemetry_text.h"

#include "base/format.h"

#include <type_traits>

namespace skarnel {
namespace {

std::string Integer(int64_t value)
{
    return Format("%lld", static_cast<long long>(value));
}

std::string OneDecimal(float value)
{
    return Format("%.1f", static_cast<double>(value));
}

std::string TwoDecimals(float value)
{
    return Format("%.2f", static_cast<double>(value));
}

std::string NoDecimals(float value)
{
    return Format("%.0f", static_cast<double>(value));
}

// Read through the record: in a packed live log record the cells stand at an odd offset,
// where a plain float pointer to them would be misaligned.
template <typename Record> void AddCellVolts(TelemetryCells& cells, const Record& r)
{
    for (size_t i = 0; i < std::extent_v<decltype(Record::cellVolt)>; ++i)
        cells.push_back({Format("CellVolt%d", static_cast<int>(i + 1)), TwoDecimals(r.cellVolt[i])});
}

// The battery and temperature columns the general and electric modules share.
template <typename Record> void AddBatteryCells(TelemetryCells& cells, const Record& r)
{
    cells.insert(cells.end(), {{"BattVolt1", OneDecimal(r.battVolt1)},
                               {"BattVolt2", OneDecimal(r.battVolt2)},
                               {"Temp1", Integer(r.temp1)},
                               {"Temp2", Integer(r.temp2)}});
}

// The altitude, climb and power columns the general and electric modules end with.
template <typename Record> void AddPowerCells(TelemetryCells& cells, const Record& r)
{
    cells.insert(cells.end(), {{"Altitude", Integer(r.altitude)},
                               {"Alt 1sec", OneDecimal(r.alt1sec)},
                               {"Alt 3sec", Integer(r.alt3sec)},
                               {"Current", OneDecimal(r.current)},
                               {"PowerV", OneDecimal(r.powerV)},
                               {"Capacity", NoDecimals(r.capacity)},
                               {"Inverse_local", Integer(r.inverseLocal)}});
}

}  // namespace

TelemetryCells GeneralCells(const GeneralData& r)
{
    TelemetryCells cells{{"RF RXSQ", Integer(r.rxsq)}};
    AddCellVolts(cells, r);
    AddBatteryCells(cells, r);
    cells.insert(cells.end(), {{"Fuel", Integer(r.fuel)}, {"OilLevel", Integer(r.oilLevel)}, {"RPM", Integer(r.rpm)}});
    AddPowerCells(cells, r);
    return cells;
}

TelemetryCells ElectricCells(const ElectricData& r)
{
    TelemetryCells cells{{"RF RXSQ", Integer(r.rxsq)}};
    AddCellVolts(cells, r);
    AddBatteryCells(cells, r);
    AddPowerCells(cells, r);
    return cells;
}

TelemetryCells GpsCells(const GpsData& r)
{
    return {{"RF RXSQ", Integer(r.rxsq)},
            {"Direct", Integer(r.direct)},
            {"Speed", Integer(r.speed)},
            {"NS", Integer(r.ns)},
            {"NS-H", Integer(r.nsHigh)},
            {"NS-L", Integer(r.nsLow)},
            {"EW", Integer(r.ew)},
            {"EW-H", Integer(r.ewHigh)},
            {"EW-L", Integer(r.ewLow)},
            {"Distance", Integer(r.distance)},
            {"Altitude", Integer(r.altitude)},
            {"Alt 1sec", OneDecimal(r.alt1sec)},
            {"Alt 3sec", Integer(r.alt3sec)}};
}

TelemetryCells VarioCells(const VarioData& r)
{
    return {{"RF RXSQ", Integer(r.rxsq)},         {"Altitude", Integer(r.altitude)},
            {"Alt Max", Integer(r.altMax)},       {"Alt Min", Integer(r.altMin)},
            {"Alt 1sec", OneDecimal(r.alt1sec)},  {"Alt 3sec", OneDecimal(r.alt3sec)},
            {"Alt 10sec", OneDecimal(r.alt10sec)}};
}

TelemetryCells ReceiverCells(const ReceiverData& r)
{
    return {{"RF RXSQ", Integer(r.rxsq)},
            {"Quality", Integer(r.quality)},
            {"Strength", Integer(r.strength)},
            {"Loss Pack", Integer(r.lossPack)},
            {"Recv Volt", OneDecimal(r.recvVolt)},
            {"Low Volt", OneDecimal(r.lowVolt)},
            {"Recv Temp", Integer(static_cast<int16_t>(r.recvTemp))}};
}

TelemetryCells RfLevelCells(const DbmScan& scan)
{
    TelemetryCells cells;
    for (size_t i = 0; i < kRfChannelCount; ++i)
        cells.push_back({Format("Tx_%02d", static_cast<int>(i + 1)), Integer(scan.txLevel[i])});
    for (size_t i = 0; i < kRfChannelCount; ++i)
        cells.push_back({Format("Rx_%02d", static_cast<int>(i + 1)), Integer(scan.rxLevel[i])});
    return cells;
}

TelemetryCells ChannelLevelCells(int channel, int txLevel, int rxLevel)
{
    return {{"Channel", Integer(channel)}, {"Tx", Integer(txLevel)}, {"Rx", Integer(rxLevel)}};
}

TelemetryCells ChannelCells(const ChannelValues& values)
{
    TelemetryCells cells;
    for (size_t i = 0; i < values.size(); ++i)
        cells.push_back({Format("Ch%02d", static_cast<int>(i + 1)), Integer(values[i] < 1 ? 0 : values[i] / 2)});
    return cells;
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
