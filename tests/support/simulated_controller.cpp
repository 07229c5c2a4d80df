#include "tests/support/simulated_controller.h"

#include "clock/clock_text.h"
#include "sim/all_commands.h"
#include "sim/simulated_connection_factory.h"

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

constexpr int64_t kNsPerMs = 1'000'000;

}  // namespace

SimulatedController::SimulatedController(sim::ControllerState state)
{
    state.clock.setAtNs = clock_.NowMs() * kNsPerMs;
    device_ = std::make_shared<sim::SimulatedDevice>(std::move(state));
    connections_ = std::make_shared<sim::SimulatedConnectionFactory>(device_, clock_, kDevicePath);
    sim::InstallAllCommands(engine(), card_, {});
}

void SimulatedController::AddFault(const std::string& rule)
{
    std::string error;
    const std::optional<sim::FaultRule> parsed = sim::ParseFaultRule(rule, error);
    ASSERT_TRUE(parsed) << rule << ": " << error;
    std::lock_guard lock(mutex());
    faults().Add(*parsed);
}

void SimulatedController::SetClock(const std::string& text)
{
    const std::optional<ClockRecord> record = ParseClockText(text, -1, false);
    ASSERT_TRUE(record) << text;
    std::lock_guard lock(mutex());
    state().clock = {*record, clock_.NowMs() * kNsPerMs};
}

void SimulatedController::ServeSdFolder(const std::filesystem::path& root)
{
    std::string error;
    std::lock_guard lock(mutex());
    EXPECT_TRUE(card_.ServeFolder(root, error)) << error;
}

}  // namespace skarnel::test
