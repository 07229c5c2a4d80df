#include "sim/controller_engine.h"

#include "link/frame.h"
#include "sim/application_commands.h"

#include <gtest/gtest.h>

namespace skarnel::sim {
namespace {

constexpr int64_t kMs = 1'000'000;

std::vector<uint8_t> TakeAll(ControllerEngine& engine, int64_t nowNs)
{
    std::vector<uint8_t> out(8192);
    out.resize(engine.TakeOutput(out.data(), out.size(), nowNs));
    return out;
}

void Send(ControllerEngine& engine, const std::vector<uint8_t>& bytes, int64_t nowNs)
{
    engine.Receive(bytes.data(), bytes.size(), nowNs);
}

TEST(ControllerEngine, AnswersWithTheRequestsSequenceAndGroup)
{
    ControllerEngine engine;
    InstallApplicationCommands(engine);
    Send(engine, EncodeFrame(42, 0, 0x11, {}), 0);
    const std::vector<uint8_t> reply = TakeAll(engine, 0);
    ASSERT_EQ(reply.size(), 9u + 53);
    EXPECT_EQ(reply[1], 42);
    EXPECT_EQ(reply[5], 0);
    EXPECT_EQ(reply[6], kAckCode);
}

TEST(ControllerEngine, SkipsNoiseAndAnswersAFrameSplitAcrossWrites)
{
    ControllerEngine engine;
    InstallApplicationCommands(engine);
    const std::vector<uint8_t> frame = EncodeFrame(3, 0, 0x23, {});
    Send(engine, {0xFF, 0x13, 0x00, 0x05}, 0);
    Send(engine, std::vector<uint8_t>(frame.begin(), frame.begin() + 7), 1 * kMs);
    EXPECT_TRUE(TakeAll(engine, 1 * kMs).empty());
    Send(engine, std::vector<uint8_t>(frame.begin() + 7, frame.end()), 3 * kMs);
    EXPECT_EQ(TakeAll(engine, 3 * kMs), EncodeFrame(3, 0, kAckCode, {}));
    EXPECT_TRUE(engine.state().display.on);
}

TEST(ControllerEngine, RefusesUnknownCommandsAndReportsCorruptRequests)
{
    ControllerEngine engine;
    InstallApplicationCommands(engine);
    Send(engine, EncodeFrame(1, 7, 0x55, {}), 0);
    EXPECT_EQ(TakeAll(engine, 0), EncodeFrame(1, 7, kNakCode, {}));
    std::vector<uint8_t> corrupt = EncodeFrame(2, 0, 0x11, {});
    corrupt.back() ^= 1;
    Send(engine, corrupt, 0);
    EXPECT_EQ(TakeAll(engine, 0), EncodeFrame(2, 0, kCrcErrorCode, {}));
}

TEST(ControllerEngine, BootLoaderAnswersOnlyItsOwnGroups)
{
    ControllerState state;
    state.restartDelayMs = 300;
    ControllerEngine engine(state);
    InstallApplicationCommands(engine);
    Send(engine, EncodeFrame(1, 0, 0x20, {}), 0);
    EXPECT_EQ(engine.NextOutputNs(), 300 * kMs);
    EXPECT_TRUE(TakeAll(engine, 299 * kMs).empty());
    const std::vector<uint8_t> bootUp = TakeAll(engine, 300 * kMs);
    ASSERT_EQ(bootUp.size(), 9u);
    EXPECT_EQ(bootUp[6], 0x30);
    EXPECT_EQ(engine.state().mode, ControllerMode::BootLoader);

    Send(engine, EncodeFrame(2, 0, 0x11, {}), 400 * kMs);
    EXPECT_EQ(TakeAll(engine, 400 * kMs)[6], kNakCode);
    for (uint8_t group : {1, 8}) {
        Send(engine, EncodeFrame(3, group, 0x11, {}), 400 * kMs);
        EXPECT_EQ(TakeAll(engine, 400 * kMs)[6], kAckCode);
    }
}

TEST(ControllerEngine, IdleBootLoaderStartsTheApplication)
{
    ControllerState state;
    state.restartDelayMs = 100;
    state.bootLoaderIdleMs = 1000;
    ControllerEngine engine(state);
    InstallApplicationCommands(engine);
    Send(engine, EncodeFrame(1, 0, 0x20, {}), 0);
    TakeAll(engine, 100 * kMs);
    EXPECT_EQ(engine.state().mode, ControllerMode::BootLoader);
    Send(engine, EncodeFrame(2, 0, 0x20, {}), 600 * kMs);
    TakeAll(engine, 1200 * kMs);
    EXPECT_EQ(engine.state().mode, ControllerMode::BootLoader) << "the second restart starts the wait again";
    TakeAll(engine, 1700 * kMs);
    EXPECT_EQ(engine.state().mode, ControllerMode::Application);
}

// At 11 520 bytes/s a request reaches the controller one byte time per byte after it was
// written, and the reply comes in 64-byte packets as each fills.
TEST(ControllerEngine, WireSpeedPacesBothDirections)
{
    ControllerEngine engine;
    InstallApplicationCommands(engine);
    engine.SetWireSpeed(true);
    engine.On(ControllerMode::Application, 0, 0x7E, [](const Request&) {
        return Reply{kAckCode, std::vector<uint8_t>(100, 0xA5)};
    });
    const int64_t byteNs = kWireByteNs;
    Send(engine, EncodeFrame(1, 0, 0x7E, {}), 0);
    const int64_t received = 9 * byteNs;
    EXPECT_EQ(engine.NextOutputNs(), received + 64 * byteNs);
    EXPECT_TRUE(TakeAll(engine, received + 64 * byteNs - 1).empty());
    EXPECT_EQ(TakeAll(engine, received + 64 * byteNs).size(), 64u);
    EXPECT_EQ(engine.NextOutputNs(), received + 109 * byteNs);
    EXPECT_EQ(TakeAll(engine, received + 109 * byteNs).size(), 45u);
}

TEST(ControllerEngine, WireSpeedQueuesARequestBehindTheOneStillArriving)
{
    ControllerEngine engine;
    InstallApplicationCommands(engine);
    engine.SetWireSpeed(true);
    const int64_t byteNs = kWireByteNs;
    Send(engine, EncodeFrame(1, 0, 0x23, {}), 0);
    Send(engine, EncodeFrame(2, 0, 0x23, {}), 0);
    EXPECT_EQ(TakeAll(engine, 18 * byteNs).size(), 9u);
    EXPECT_EQ(TakeAll(engine, 27 * byteNs).size(), 9u);
}

}  // namespace
}  // namespace skarnel::sim
