#include "cli/log_export_command.h"

#include "cli/cli_context.h"
#include "cli/telemetry_printing.h"
#include "telemetry/log_export.h"
#include "telemetry/log_loader.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace skarnel::cli {
namespace {

constexpr const char* kExportDone = "Export Complete";
constexpr const char* kExportFail = "Export Fail";

struct ExportRequest {
    std::string path;
    std::string csvFolder;
    std::string gpxPath;
    std::string kmlPath;
    int language = 0;
};

bool Export(const LogTables& tables, const ExportRequest& request, std::string& error)
{
    if (!request.csvFolder.empty())
        return ExportAllCsv(tables, request.csvFolder, request.language, &error);
    if (!request.gpxPath.empty())
        return ExportGpx(tables, request.gpxPath, &error);
    return ExportKml(tables, request.kmlPath, &error);
}

void RunExport(CliContext& context, const ExportRequest& request)
{
    LogTables tables;
    MessageCapture reporter(context.reporter());
    if (!LoadLogFile(request.path, tables, reporter)) {
        context.Finish(reporter.LastMessage(), false);
        return;
    }
    std::string error;
    const bool exported = Export(tables, request, error);
    context.Finish(exported ? kExportDone : std::string(kExportFail) + ": " + error, exported);
}

}  // namespace

void AddLogExportCommand(CLI::App& log, CliContext& context)
{
    auto request = std::make_shared<ExportRequest>();
    CLI::App* command = log.add_subcommand("export", "Write a log file's lists as CSV, or its GPS rows as GPX or KML");
    command->add_option("FILE", request->path, "The log file")->required();
    CLI::Option_group* target = command->add_option_group("target", "What is written (one of them)");
    target->add_option("--csv", request->csvFolder, "A folder for one CSV file per list");
    target->add_option("--gpx", request->gpxPath, "A GPX 1.1 file of the GPS rows");
    target->add_option("--kml", request->kmlPath, "A KML 2.2 file of the GPS rows");
    target->require_option(1);
    command->add_option("--language", request->language, "The column texts' language for CSV")->check(CLI::Range(0, 1));
    command->callback([&context, request] { RunExport(context, *request); });
}

}  // namespace skarnel::cli
