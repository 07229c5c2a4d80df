#pragma once

#include "link/connection_factory.h"
#include "sim/simulated_serial_backend.h"

#include <memory>
#include <string>

namespace skarnel::sim {

// Connections to one simulated controller on one clock: each connection is another cable to the
// same device, which only one of them holds open at a time.
class SimulatedConnectionFactory final : public ConnectionFactory {
public:
    // With a device path, only that port reaches the controller.
    SimulatedConnectionFactory(std::shared_ptr<SimulatedDevice> device, Clock& clock, std::string devicePath = {});

    std::unique_ptr<CRS232> MakeConnection() override;
    Clock& TimeSource() override { return clock_; }

private:
    std::shared_ptr<SimulatedDevice> device_;
    Clock& clock_;
    std::string devicePath_;
};

}  // namespace skarnel::sim
