#include "sim/simulated_connection_factory.h"

namespace skarnel::sim {

SimulatedConnectionFactory::SimulatedConnectionFactory(std::shared_ptr<SimulatedDevice> device, Clock& clock,
                                                       std::string devicePath)
    : device_(std::move(device)), clock_(clock), devicePath_(std::move(devicePath))
{
}

std::unique_ptr<CRS232> SimulatedConnectionFactory::MakeConnection()
{
    return std::make_unique<CRS232>(std::make_unique<SimulatedSerialBackend>(device_, clock_, devicePath_), clock_);
}

}  // namespace skarnel::sim
