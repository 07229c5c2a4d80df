#include "fuzz/support/fuzz_link.h"

#include "link/serial_port_id.h"

namespace skarnel::fuzz {

FuzzLink::FuzzLink(sim::ControllerState state)
    : device_(std::make_shared<sim::SimulatedDevice>(std::move(state))),
      port_(std::make_unique<CRS232>(std::make_unique<sim::SimulatedSerialBackend>(device_, clock_), clock_))
{
    port_->OpenPort(SerialPortId::FromPath("/dev/simulated"), 115200);
}

}  // namespace skarnel::fuzz
