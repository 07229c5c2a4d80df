#pragma once

#include "base/clock.h"
#include "link/connection_factory.h"
#include "sim/controller_engine.h"
#include "sim/controller_state.h"
#include "sim/fault_plan.h"
#include "sim/sd_card.h"
#include "sim/simulated_serial_backend.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

namespace skarnel::test {

// A whole controller in the test's own process, answering every command skarnel-sim does, with
// its SD card, on virtual time. Connections to it come from Connections(); the test reaches its
// engine, state and fault plan directly, under mutex() while a job talks to it.
class SimulatedController {
public:
    // The one port that reaches the controller; any other fails to open as a missing device.
    static constexpr const char* kDevicePath = "/dev/skarnel-simulated";

    explicit SimulatedController(sim::ControllerState state = {});

    sim::ControllerEngine& engine() { return device_->engine(); }
    sim::ControllerState& state() { return engine().state(); }
    sim::FaultPlan& faults() { return engine().faults(); }
    std::mutex& mutex() { return device_->mutex(); }
    VirtualClock& clock() { return clock_; }
    std::shared_ptr<ConnectionFactory> Connections() const { return connections_; }

    // A fault in skarnel-sim's --fault form, e.g. "nak,code=0x11,count=3".
    void AddFault(const std::string& rule);
    // Sets the controller's clock to "YYYY-MM-DD HH:MM:SS" as of now.
    void SetClock(const std::string& text);
    // Serves the folder as the SD card; its changes are written into it.
    void ServeSdFolder(const std::filesystem::path& root);

private:
    VirtualClock clock_{1'000'000};
    sim::SdCard card_;
    std::shared_ptr<sim::SimulatedDevice> device_;
    std::shared_ptr<ConnectionFactory> connections_;
};

}  // namespace skarnel::test
