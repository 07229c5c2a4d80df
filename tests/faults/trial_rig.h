#pragma once

#include "link/download_function.h"
#include "link/rs232.h"
#include "sim/controller_state.h"
#include "sim/simulated_serial_backend.h"
#include "tests/faults/dying_port.h"
#include "tests/faults/trial_clock.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_folder.h"

#include <cstdint>
#include <memory>

namespace skarnel::test {

struct FaultMix;

// One trial's world: a simulated controller with the application commands, a port to it that
// can die, the job's protocol object and window (every question answered Yes), a folder for
// the job's files, all on the trial's virtual clock.
struct TrialRig {
    TrialRig(sim::ControllerState state, int64_t limitMs);

    sim::ControllerEngine& engine() { return device->engine(); }
    sim::ControllerState& state() { return engine().state(); }
    // From now on the controller and the port fail as the mix says.
    void Strike(const FaultMix& mix);
    // The requests the controller has taken so far.
    int Requests() { return static_cast<int>(engine().RequestCount()); }

    TempFolder files;
    TrialClock clock;
    std::shared_ptr<sim::SimulatedDevice> device;
    RecordingReporter window;
    DyingPort* cable = nullptr;
    std::unique_ptr<CRS232> port;
    CDownload_Function link;
};

}  // namespace skarnel::test
