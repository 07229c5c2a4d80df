#pragma once

#include "base/clock.h"
#include "link/download_function.h"
#include "link/rs232.h"
#include "sim/controller_engine.h"
#include "sim/fault_plan.h"
#include "sim/simulated_serial_backend.h"
#include "tests/support/recording_reporter.h"

#include <memory>
#include <vector>

namespace skarnel::test {

// A protocol object on an open port to an in-process simulated controller, on virtual time.
struct SimulatedLink {
    explicit SimulatedLink(sim::ControllerState state = {});

    // Another port to the same controller on the same clock.
    std::unique_ptr<CRS232> MakePort();
    sim::ControllerEngine& engine() { return device->engine(); }
    // The controller answers with a fault count times, from the at-th request of that group and code on.
    void AddFault(sim::FaultKind kind, int group, uint8_t code, int count, int at = 1);
    // For tests that time the protocol to the millisecond: replies come whole even when the
    // suite runs with every reply split, which costs the gap between the parts.
    void KeepRepliesWhole() { engine().faults() = sim::FaultPlan(); }
    // The requests of that group and code the controller received, in order (with the request log kept).
    std::vector<sim::Request> Requests(int group, uint8_t code) const;

    VirtualClock clock{1'000'000};
    std::shared_ptr<sim::SimulatedDevice> device;
    RecordingReporter reporter;
    std::unique_ptr<CRS232> port;
    CDownload_Function link;
};

}  // namespace skarnel::test
