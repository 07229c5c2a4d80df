#include "sim/application_commands.h"

#include "base/byte_order.h"
#include "sim/clock_arithmetic.h"
#include "sim/controller_engine.h"

#include <algorithm>

namespace skarnel::sim {
namespace {

constexpr int64_t kNsPerMs = 1'000'000;
constexpr uint8_t kBootUpCode = 0x30;

void PutText(std::vector<uint8_t>& payload, size_t offset, const std::string& text, size_t width)
{
    std::copy_n(text.begin(), std::min(text.size(), width), payload.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::vector<uint8_t> ProductInfoPayload(const ProductSettings& product)
{
    std::vector<uint8_t> payload(53, 0);
    WriteLe24(payload.data() + 0, product.appProductCode);
    WriteLe24(payload.data() + 4, product.appVersion);
    WriteLe24(payload.data() + 8, product.bootProductCode);
    WriteLe24(payload.data() + 12, product.bootVersion);
    PutText(payload, 16, product.productName, 16);
    PutText(payload, 32, product.buyer, 16);
    payload[48] = product.displayType;
    WriteLe24(payload.data() + 49, product.memoryVersion);
    return payload;
}

std::vector<uint8_t> VersionAddressPayload(const VersionAddresses& addresses)
{
    std::vector<uint8_t> payload(20, 0);
    const uint32_t values[] = {addresses.appProductCode, addresses.appVersion, addresses.bootProductCode,
                               addresses.bootVersion, addresses.memoryVersion};
    for (size_t i = 0; i < 5; ++i)
        WriteLe24(payload.data() + 4 * i, values[i]);
    return payload;
}

void DisplayChanged(ControllerState& state)
{
    if (state.onDisplayChanged)
        state.onDisplayChanged(state.display);
}

void InstallInformation(ControllerEngine& engine, ControllerMode mode, int group)
{
    ControllerState& state = engine.state();
    engine.On(mode, group, 0x11, [&state](const Request&) {
        return Reply{kAckCode, ProductInfoPayload(state.product)};
    });
    engine.On(mode, group, 0x10, [&state](const Request&) {
        return Reply{kAckCode, VersionAddressPayload(state.addresses)};
    });
}

void InstallDisplay(ControllerEngine& engine, ControllerMode mode, int group)
{
    ControllerState& state = engine.state();
    engine.On(mode, group, 0x21, [&state](const Request& request) -> std::optional<Reply> {
        if (request.payload.empty())
            return Reply{kNakCode, {}};
        state.display.lines[request.payload[0]] = std::string(request.payload.begin() + 1, request.payload.end());
        DisplayChanged(state);
        return Reply{};
    });
    engine.On(mode, group, 0x22, [&state](const Request&) {
        state.display.lines.clear();
        DisplayChanged(state);
        return Reply{};
    });
    engine.On(mode, group, 0x23, [&state](const Request&) {
        state.display.on = true;
        return Reply{};
    });
    engine.On(mode, group, 0x24, [&state](const Request&) {
        state.display.on = false;
        state.display.lines.clear();
        DisplayChanged(state);
        return Reply{};
    });
}

// Without a download start the boot loader hands over to the application after a while, as
// after a restart that was only meant to restart.
void LeaveIdleBootLoaderLater(ControllerEngine& engine)
{
    ControllerState& state = engine.state();
    const uint64_t boot = ++state.bootCount;
    engine.ScheduleAfter(state.bootLoaderIdleMs * kNsPerMs, [&state, boot] {
        if (state.bootCount != boot || state.mode != ControllerMode::BootLoader || state.firmware.downloadStarted)
            return;
        state.mode = ControllerMode::Application;
        state.display = {};
        DisplayChanged(state);
    });
}

void InstallRestart(ControllerEngine& engine, ControllerMode mode)
{
    engine.On(mode, 0, 0x20, [&engine](const Request&) -> std::optional<Reply> {
        ControllerState& state = engine.state();
        const int64_t delayNs = state.restartDelayMs * kNsPerMs;
        engine.ScheduleAfter(delayNs, [&engine, &state] {
            state.mode = ControllerMode::BootLoader;
            state.rfPaused = false;
            state.firmware.Restart();
            state.display = {};
            DisplayChanged(state);
            LeaveIdleBootLoaderLater(engine);
        });
        engine.SendUnprompted(1, Reply{kBootUpCode, {}}, delayNs);
        return std::nullopt;
    });
}

void InstallClock(ControllerEngine& engine)
{
    engine.On(ControllerMode::Application, 0, 0x30, [&engine](const Request& request) {
        if (request.payload.size() < ClockRecord::kSize)
            return Reply{kNakCode, {}};
        engine.state().clock = {ClockRecord::Decode(RecordAt<ClockRecord::kSize>(request.payload, 0)), engine.NowNs()};
        return Reply{};
    });
    engine.On(ControllerMode::Application, 0, 0x31, [&engine](const Request&) {
        const ClockState& clock = engine.state().clock;
        const int64_t elapsedSeconds = (engine.NowNs() - clock.setAtNs) / 1'000'000'000;
        const auto bytes = AdvanceClockRecord(clock.record, elapsedSeconds).Encode();
        return Reply{kAckCode, std::vector<uint8_t>(bytes.begin(), bytes.end())};
    });
}

}  // namespace

void InstallApplicationCommands(ControllerEngine& engine)
{
    InstallInformation(engine, ControllerMode::Application, 0);
    InstallInformation(engine, ControllerMode::BootLoader, 1);
    InstallInformation(engine, ControllerMode::BootLoader, 8);
    InstallDisplay(engine, ControllerMode::Application, 0);
    InstallDisplay(engine, ControllerMode::BootLoader, 1);
    InstallDisplay(engine, ControllerMode::BootLoader, 8);
    InstallRestart(engine, ControllerMode::Application);
    InstallRestart(engine, ControllerMode::BootLoader);
    InstallClock(engine);
    engine.On(ControllerMode::Application, 4, 0x31, [&engine](const Request&) {
        engine.state().rfPaused = true;
        return Reply{};
    });
}

}  // namespace skarnel::sim
