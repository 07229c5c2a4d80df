#pragma once

#include "base/clock.h"
#include "fuzz/support/agreeing_reporter.h"
#include "link/download_function.h"
#include "link/rs232.h"
#include "sim/controller_engine.h"
#include "sim/simulated_serial_backend.h"

#include <memory>

namespace skarnel::fuzz {

// A protocol object on an open port to an in-process simulated controller, on virtual time,
// whose window agrees to every question. The controller answers only what is installed on it.
class FuzzLink {
public:
    explicit FuzzLink(sim::ControllerState state = {});

    CDownload_Function& link() { return link_; }
    sim::ControllerEngine& engine() { return device_->engine(); }

private:
    VirtualClock clock_{1'000'000};
    std::shared_ptr<sim::SimulatedDevice> device_;
    AgreeingReporter reporter_;
    std::unique_ptr<CRS232> port_;
    CDownload_Function link_{*port_, reporter_};
};

}  // namespace skarnel::fuzz
