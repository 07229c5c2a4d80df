#pragma once

#include "sim/controller_state.h"
#include "sim/fault_plan.h"

#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace skarnel::sim {

// Everything the simulator's command line can set.
struct SimOptions {
    ControllerState state;
    std::vector<std::string> faults;
    std::string randomFaults;  // "SEED:PROBABILITY"
    std::string clock;         // "YYYY-MM-DD HH:MM:SS"; empty for the PC's local time
    int clockWeekday = -1;
    bool summerTime = false;
    bool wireSpeed = false;
    bool showDisplay = false;
    std::string linkPath;
    std::string receivedImagesFolder;
    std::string stateDir;  // keeps the model and voice flash between runs
    std::string sdDir;     // served as the SD card
};

void AddSimOptions(CLI::App& app, SimOptions& options);
// Builds the fault plan from the options; false with a reason on a malformed rule.
bool BuildFaultPlan(const SimOptions& options, FaultPlan& plan, std::string& error);
// Creates the state folder and loads the model flash kept there; false with a reason.
bool PrepareStateDir(SimOptions& options, std::string& error);
// The clock record the options ask for, at the given local time when none was given.
std::optional<ClockRecord> InitialClock(const SimOptions& options, std::string& error);

}  // namespace skarnel::sim
