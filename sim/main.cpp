#include "sim/all_commands.h"
#include "sim/controller_engine.h"
#include "sim/pty_server.h"
#include "sim/received_images.h"
#include "sim/sd_card.h"
#include "sim/sim_options.h"
#include "sim/telemetry_commands.h"

#include <CLI/CLI.hpp>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

std::atomic<bool> g_stop{false};

extern "C" void RequestStop(int)
{
    g_stop = true;
}

void PrintDisplay(const skarnel::sim::DisplayState& display)
{
    std::printf("LCD:\n");
    for (const auto& [line, text] : display.lines)
        std::printf("LCD %d: %s\n", line, text.c_str());
    std::fflush(stdout);
}

int64_t SteadyNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace skarnel::sim;
    CLI::App app{"Simulated controller on a pseudo-terminal"};
    SimOptions options;
    AddSimOptions(app, options);
    TelemetrySettings telemetry;
    AddTelemetrySimOptions(app, telemetry);
    CLI11_PARSE(app, argc, argv);

    std::string error;
    FaultPlan faults;
    const std::optional<skarnel::ClockRecord> clock = InitialClock(options, error);
    if (!clock || !BuildFaultPlan(options, faults, error)) {
        std::fprintf(stderr, "skarnel-sim: %s\n", error.c_str());
        return 2;
    }
    options.state.clock = {*clock, SteadyNs()};
    if (options.showDisplay)
        options.state.onDisplayChanged = PrintDisplay;
    if (!options.stateDir.empty() && !PrepareStateDir(options, error)) {
        std::fprintf(stderr, "skarnel-sim: %s\n", error.c_str());
        return 2;
    }

    SdCard sdCard;
    if (!options.sdDir.empty() && !sdCard.ServeFolder(options.sdDir, error)) {
        std::fprintf(stderr, "skarnel-sim: %s\n", error.c_str());
        return 2;
    }

    ControllerEngine engine(options.state);
    engine.faults() = faults;
    engine.SetWireSpeed(options.wireSpeed);
    InstallAllCommands(engine, sdCard, telemetry);
    engine.state().firmware.onImageReceived = ReceivedImageReporter(options.receivedImagesFolder);

    PtyServer server(engine);
    if (!server.Open(error)) {
        std::fprintf(stderr, "skarnel-sim: %s\n", error.c_str());
        return 1;
    }
    if (!options.linkPath.empty()) {
        ::unlink(options.linkPath.c_str());
        if (::symlink(server.DevicePath().c_str(), options.linkPath.c_str()) != 0) {
            std::perror("skarnel-sim: cannot create the link");
            return 1;
        }
    }
    std::printf("%s\n", server.DevicePath().c_str());
    std::fflush(stdout);

    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    server.Run(g_stop);
    if (!options.linkPath.empty())
        ::unlink(options.linkPath.c_str());
    return 0;
}
