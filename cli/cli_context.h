#pragma once

#include "cli/terminal_reporter.h"
#include "link/connection_factory.h"
#include "base/job.h"
#include "link/serial_port_id.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace CLI {
class App;
}

namespace skarnel {
class CDownload_Function;
}

namespace skarnel::cli {

inline constexpr unsigned kBaudRate = 115200;
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// What every command shares: the global options, the terminal and the chosen port.
class CliContext {
public:
    CliContext();

    void AddGlobalOptions(CLI::App& app);
    TerminalReporter& reporter() { return reporter_; }
    // --port, else the first port whose device name holds "CP210", else port 1.
    SerialPortId ChosenPort(const std::filesystem::path& sysfsRoot = "/sys") const;

    // A new connection, not yet open, to a serial device node on the system clock.
    std::unique_ptr<CRS232> MakeConnection() { return connections_.MakeConnection(); }
    // Opens the port for a job; on failure prints "Port Open Fail" and the reason.
    bool OpenJobPort(CRS232& port);
    // Opens the port, runs the exchange on a fresh protocol object, closes the port.
    // False when the port did not open or the exchange failed.
    bool RunOnPort(const std::function<bool(CDownload_Function&)>& exchange);
    // A job the user starts: runs on an open link, stops at its next stop check after Ctrl-C.
    using Job = std::function<JobOutcome(CDownload_Function&, const StopRequest&)>;
    // Opens the port, runs the job on a fresh protocol object, logs the stop line (when
    // given), closes the port and finishes with the outcome.
    void RunJob(const Job& job, const char* stopLine = nullptr);
    // Prints the final text (also with --quiet) and gives the exit code.
    int Finish(const std::string& finalText, bool succeeded);
    // The same for an outcome; a failure's reason goes to the error output first.
    int Finish(const JobOutcome& outcome);

    int exitCode = kExitOk;

private:
    TerminalOptions terminal_;
    TerminalReporter reporter_;
    std::string port_;
    PosixConnectionFactory connections_;
};

}  // namespace skarnel::cli
