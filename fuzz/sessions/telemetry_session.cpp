#include "fuzz/sessions/sessions.h"
#include "link/download_function.h"
#include "telemetry/telemetry_records.h"
#include "telemetry/telemetry_text.h"

namespace skarnel::fuzz {
namespace {

constexpr ScriptedCommand kCommands[] = {
    {kGroupRfProcess, 0x32},  // sensor type
    {kGroupRfProcess, 0x33},  // RF level table
    {kGroupRfProcess, 0x34},  // receiver
    {kGroupRfProcess, 0x35},  // general module
    {kGroupRfProcess, 0x36},  // electric module
    {kGroupRfProcess, 0x37},  // vario module
    {kGroupRfProcess, 0x38},  // GPS module
};

// A record as the live views show it: its list cells.
template <typename Record>
void ShowRecord(CDownload_Function& link, bool (CDownload_Function::*read)(Record&),
                TelemetryCells (*cells)(const Record&))
{
    Record record;
    if ((link.*read)(record))
        JoinCells(cells(record));
}

void Run(CDownload_Function& link)
{
    int sensorType = 0;
    if (link.ReadSensorType(sensorType))
        SensorTypeName(sensorType);
    ShowRecord(link, &CDownload_Function::ReadDbmScan, RfLevelCells);
    ShowRecord(link, &CDownload_Function::ReadReceiverData, ReceiverCells);
    ShowRecord(link, &CDownload_Function::ReadGeneralData, GeneralCells);
    ShowRecord(link, &CDownload_Function::ReadElectricData, ElectricCells);
    ShowRecord(link, &CDownload_Function::ReadVarioData, VarioCells);
    ShowRecord(link, &CDownload_Function::ReadGpsData, GpsCells);
}

}  // namespace

const Session kTelemetrySession{kCommands, Run};

}  // namespace skarnel::fuzz
