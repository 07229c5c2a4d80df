#include "cli/telemetry_printing.h"

#include "base/format.h"
#include "telemetry/telemetry_text.h"

#include <algorithm>

namespace skarnel::cli {
namespace {

constexpr const char* kListNames[] = {"General", "Electric", "GPS", "Vario", "Receiver", "RF RXSQ", "Channel"};

std::string LevelLine(const char* name, const uint8_t* levels)
{
    std::string line = name;
    for (size_t i = 0; i < kRfChannelCount; ++i)
        line += Format(" %d", levels[i]);
    return line;
}

}  // namespace

void PrintRfLevels(TerminalReporter& out, const DbmScan& scan)
{
    out.PrintLine(LevelLine("Tx Level ", scan.txLevel));
    out.PrintLine(LevelLine("Rx Level ", scan.rxLevel));
}

void TerminalLogRows::Begin(LogFormat)
{
    std::fill(std::begin(rowCounts_), std::end(rowCounts_), 0);
}

void TerminalLogRows::ShowOnly(std::optional<int> list, int64_t from, int64_t to)
{
    onlyList_ = list;
    from_ = from;
    to_ = to;
}

void TerminalLogRows::PrintRow(List list, int32_t time, const std::string& cells)
{
    ++rowCounts_[list];
    if ((onlyList_ && *onlyList_ != list) || time < from_ || time > to_)
        return;
    out_.PrintLine(
        Format("%s %d  %s  %s", kListNames[list], rowCounts_[list], LogTimeText(time).c_str(), cells.c_str()));
}

void TerminalLogRows::AddGeneral(int32_t time, const GeneralData& record)
{
    PrintRow(kGeneral, time, JoinCells(GeneralCells(record)));
}

void TerminalLogRows::AddElectric(int32_t time, const ElectricData& record)
{
    PrintRow(kElectric, time, JoinCells(ElectricCells(record)));
}

void TerminalLogRows::AddGps(int32_t time, const GpsData& record)
{
    PrintRow(kGps, time, JoinCells(GpsCells(record)));
}

void TerminalLogRows::AddVario(int32_t time, const VarioData& record)
{
    PrintRow(kVario, time, JoinCells(VarioCells(record)));
}

void TerminalLogRows::AddReceiver(int32_t time, const ReceiverData& record)
{
    PrintRow(kReceiver, time, JoinCells(ReceiverCells(record)));
}

void TerminalLogRows::AddRfLevels(int32_t time, const DbmScan& scan)
{
    PrintRow(kRfLevel, time, JoinCells(RfLevelCells(scan)));
}

void TerminalLogRows::AddChannelLevel(int32_t time, int channel, int txLevel, int rxLevel)
{
    PrintRow(kRfLevel, time, JoinCells(ChannelLevelCells(channel, txLevel, rxLevel)));
}

void TerminalLogRows::AddChannels(int32_t time, const ChannelValues& values)
{
    PrintRow(kChannel, time, JoinCells(ChannelCells(values)));
}

void TerminalLogRows::End(int32_t endTime)
{
    out_.PrintLine(Format("Log End  %s", LogTimeText(endTime).c_str()));
}

}  // namespace skarnel::cli
