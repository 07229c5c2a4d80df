#include "cli/telemetry_commands.h"

#include "cli/cli_context.h"
#include "cli/log_export_command.h"
#include "cli/live_log_commands.h"
#include "cli/telemetry_printing.h"
#include "link/download_function.h"
#include "base/format.h"
#include "telemetry/log_export.h"
#include "telemetry/log_loader.h"
#include "telemetry/telemetry_text.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <optional>

namespace skarnel::cli {
namespace {

constexpr const char* kTelemetryReadFail = "Telemetry Read Fail";

// Reads one record and prints it as a named line; "<name> Read Fail" when the read fails.
// A sensor module's record with RF RXSQ 0 carries no data.
template <typename Record>
bool ReadAndPrint(TerminalReporter& out, const char* name, bool (CDownload_Function::*read)(Record&),
                  CDownload_Function& link, TelemetryCells (*cells)(const Record&), bool module = true)
{
    Record record{};
    if (!(link.*read)(record)) {
        out.PrintLine(Format("%s Read Fail", name));
        return false;
    }
    out.PrintLine(module && record.rxsq == 0 ? Format("%s  no data", name)
                                             : Format("%s  %s", name, JoinCells(cells(record)).c_str()));
    return true;
}

bool ReadSensorModule(TerminalReporter& out, CDownload_Function& link, int sensorType)
{
    switch (sensorType) {
    case kSensorGeneral: return ReadAndPrint(out, "General", &CDownload_Function::ReadGeneralData, link, GeneralCells);
    case kSensorElectric:
        return ReadAndPrint(out, "Electric", &CDownload_Function::ReadElectricData, link, ElectricCells);
    case kSensorVario: return ReadAndPrint(out, "Vario", &CDownload_Function::ReadVarioData, link, VarioCells);
    case kSensorGps: return ReadAndPrint(out, "GPS", &CDownload_Function::ReadGpsData, link, GpsCells);
    default: return true;
    }
}

bool ReadSnapshot(TerminalReporter& out, CDownload_Function& link)
{
    int sensorType = kSensorNone;
    const bool typeRead = link.ReadSensorType(sensorType);
    if (typeRead)
        out.PrintLine(Format("Sensor Type  0x%02X %s", sensorType, SensorTypeName(sensorType).c_str()));
    else
        out.PrintLine("Sensor Type Read Fail");
    DbmScan scan{};
    const bool scanRead = link.ReadDbmScan(scan);
    if (scanRead)
        PrintRfLevels(out, scan);
    else
        out.PrintLine("RF Level Read Fail");
    const bool receiverRead =
        ReadAndPrint(out, "Receiver", &CDownload_Function::ReadReceiverData, link, ReceiverCells, false);
    const bool moduleRead = !typeRead || ReadSensorModule(out, link, sensorType);
    return typeRead && scanRead && receiverRead && moduleRead;
}

void RunRead(CliContext& context)
{
    bool opened = false;
    const bool read = context.RunOnPort([&context, &opened](CDownload_Function& link) {
        opened = true;
        return ReadSnapshot(context.reporter(), link);
    });
    if (opened)
        context.Finish(read ? "" : kTelemetryReadFail, read);
}

struct ShowRequest {
    std::string path;
    std::string tab;
    double from = -1e9;  // seconds
    double to = 1e9;
};

// Seconds as hundredths, kept inside the range of a row's time.
int64_t Hundredths(double seconds)
{
    return static_cast<int64_t>(std::clamp(seconds * 100.0, -1e12, 1e12));
}

void RunShow(CliContext& context, const ShowRequest& request)
{
    TerminalLogRows rows(context.reporter());
    std::optional<int> list;
    if (!request.tab.empty())
        list = static_cast<int>(*LogListNamed(request.tab));
    rows.ShowOnly(list, Hundredths(request.from), Hundredths(request.to));
    MessageCapture reporter(context.reporter());
    const bool loaded = LoadLogFile(request.path, rows, reporter);
    context.Finish(loaded ? "" : reporter.LastMessage(), loaded);
}

}  // namespace

void AddTelemetryCommands(CLI::App& app, CliContext& context)
{
    CLI::App* telemetry = app.add_subcommand("telemetry", "Read the controller's live telemetry");
    telemetry->require_subcommand(1);
    telemetry->add_subcommand("read", "Read the sensor type, RF levels, receiver and sensor module once")
        ->callback([&context] { RunRead(context); });

    auto request = std::make_shared<ShowRequest>();
    CLI::App* log = app.add_subcommand("log", "Telemetry log files");
    log->require_subcommand(1);
    CLI::App* show = log->add_subcommand("show", "Print the rows of a live log (.cld) or a controller log");
    show->add_option("FILE", request->path, "The log file")->required();
    show->add_option("--tab", request->tab,
                     "Only the rows of one list: General, Electric, GPS, Vario, Receiver, "
                     "\"RF RXSQ\" or Channel")
        ->check(CLI::Validator(
            [](const std::string& name) { return LogListNamed(name) ? std::string() : "no list is named " + name; },
            "LIST"));
    show->add_option("--from", request->from, "Only rows timed at or after this many seconds");
    show->add_option("--to", request->to, "Only rows timed at or before this many seconds");
    show->callback([&context, request] { RunShow(context, *request); });
    AddLogExportCommand(*log, context);
    AddLiveLogCommands(*log, context);
}

}  // namespace skarnel::cli
