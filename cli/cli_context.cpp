#include "cli/cli_context.h"

#include "cli/interrupt_stop.h"
#include "link/download_function.h"
#include "link/port_discovery.h"
#include "link/rs232.h"

#include <CLI/CLI.hpp>
#include <cstdio>

namespace skarnel::cli {
namespace {

std::string OpenFailureAdvice(const OpenFailure& failure)
{
    switch (failure.kind) {
    case OpenFailureKind::PermissionDenied:
        return " (join the dialout group: sudo usermod -aG dialout $USER, then log in again)";
    case OpenFailureKind::Busy: return " (the port is in use by another program or job)";
    default: return {};
    }
}

}  // namespace

CliContext::CliContext() : reporter_(terminal_, stdout, stderr, stdin) {}

void CliContext::AddGlobalOptions(CLI::App& app)
{
    app.add_option("--port", port_, "COM number (1-96) or device path; default: the CP210 bridge, else port 1")
        ->check(CLI::Validator(
            [](std::string& text) {
                return SerialPortId::Parse(text) ? std::string() : "not a port number from 1 to 96 nor a device path";
            },
            "N|PATH"));
    app.add_flag("--yes", terminal_.answerYes, "Answer Yes to every question");
    app.add_flag("--quiet", terminal_.quiet, "Print only results and final texts");
}

SerialPortId CliContext::ChosenPort(const std::filesystem::path& sysfsRoot) const
{
    if (!port_.empty())
        return SerialPortId::Parse(port_).value_or(SerialPortId::FromPath(port_));
    const int found = FindPortByDeviceName("CP210", sysfsRoot);
    return SerialPortId::FromNumber(found > 0 ? found : 1);
}

bool CliContext::OpenJobPort(CRS232& port)
{
    const SerialPortId id = ChosenPort();
    if (port.OpenPort(id, kBaudRate))
        return true;
    const OpenFailure& failure = port.LastOpenFailure();
    reporter_.PrintLine("Port Open Fail");
    reporter_.PrintLine(id.DevicePath() + ": " + failure.reason + OpenFailureAdvice(failure));
    exitCode = kExitFailed;
    return false;
}

bool CliContext::RunOnPort(const std::function<bool(CDownload_Function&)>& exchange)
{
    const std::unique_ptr<CRS232> port = MakeConnection();
    if (!OpenJobPort(*port))
        return false;
    CDownload_Function link(*port, reporter_);
    const bool succeeded = exchange(link);
    port->ClosePort();
    return succeeded;
}

void CliContext::RunJob(const Job& job, const char* stopLine)
{
    const std::unique_ptr<CRS232> port = MakeConnection();
    if (!OpenJobPort(*port))
        return;
    CDownload_Function link(*port, reporter_);
    StopRequest stop;
    JobOutcome outcome;
    {
        InterruptStop interrupt(stop);
        outcome = job(link, stop);
    }
    if (stopLine)
        reporter_.ReportLogLine(stopLine);
    port->ClosePort();
    Finish(outcome);
}

int CliContext::Finish(const JobOutcome& outcome)
{
    if (!outcome.succeeded && !outcome.reason.empty())
        std::fprintf(stderr, "%s\n", outcome.reason.c_str());
    return Finish(outcome.finalText, outcome.succeeded);
}

int CliContext::Finish(const std::string& finalText, bool succeeded)
{
    if (!finalText.empty())
        reporter_.PrintLine(finalText);
    exitCode = succeeded ? kExitOk : kExitFailed;
    return exitCode;
}

}  // namespace skarnel::cli
