#include "tests/support/simulated_link.h"

#include "sim/application_commands.h"

namespace skarnel::test {

SimulatedLink::SimulatedLink(sim::ControllerState state)
    : device(std::make_shared<sim::SimulatedDevice>(std::move(state))), port(MakePort()), link(*port, reporter)
{
    engine().state().clock.setAtNs = clock.NowMs() * 1'000'000;
    sim::InstallApplicationCommands(engine());
    port->OpenPort(SerialPortId::FromPath("/dev/simulated"), 115200);
}

void SimulatedLink::AddFault(sim::FaultKind kind, int group, uint8_t code, int count, int at)
{
    sim::FaultRule rule;
    rule.kind = kind;
    rule.group = group;
    rule.code = code;
    rule.count = count;
    rule.at = at;
    engine().faults().Add(rule);
}

std::vector<sim::Request> SimulatedLink::Requests(int group, uint8_t code) const
{
    std::vector<sim::Request> found;
    for (const sim::Request& request : device->engine().RequestLog())
        if (request.group == group && request.code == code)
            found.push_back(request);
    return found;
}

std::unique_ptr<CRS232> SimulatedLink::MakePort()
{
    return std::make_unique<CRS232>(std::make_unique<sim::SimulatedSerialBackend>(device, clock), clock);
}

}  // namespace skarnel::test
