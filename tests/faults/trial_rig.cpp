#include "tests/faults/trial_rig.h"

#include "sim/application_commands.h"
#include "tests/faults/fault_mix.h"

namespace skarnel::test {
namespace {

constexpr int64_t kStartMs = 1'000'000;
constexpr int64_t kNsPerMs = 1'000'000;

// The port to the device through a cable that can die; `cable` is set to it.
std::unique_ptr<CRS232> PortTo(const std::shared_ptr<sim::SimulatedDevice>& device, Clock& clock, DyingPort*& cable)
{
    auto backend = std::make_unique<DyingPort>(std::make_unique<sim::SimulatedSerialBackend>(device, clock), clock);
    cable = backend.get();
    return std::make_unique<CRS232>(std::move(backend), clock);
}

}  // namespace

TrialRig::TrialRig(sim::ControllerState state, int64_t limitMs)
    : clock(kStartMs, limitMs), device(std::make_shared<sim::SimulatedDevice>(std::move(state))),
      port(PortTo(device, clock, cable)), link(*port, window)
{
    engine().faults() = sim::FaultPlan();
    this->state().clock.setAtNs = kStartMs * kNsPerMs;
    sim::InstallApplicationCommands(engine());
    port->OpenPort(SerialPortId::FromPath("/dev/simulated"), 115200);
}

void TrialRig::Strike(const FaultMix& mix)
{
    PlanFaults(mix, engine().faults());
    cable->DiesAtWrite(mix.portDiesAtWrite);
}

}  // namespace skarnel::test
