#include "link/rs232.h"

#include "link/connection_factory.h"
#include "tests/support/simulated_link.h"

#include <gtest/gtest.h>
#include <memory>

namespace skarnel {
namespace {

using test::SimulatedLink;

TEST(CRS232, ConstructsClosed)
{
    const std::unique_ptr<CRS232> port = PosixConnectionFactory().MakeConnection();
    EXPECT_EQ(port->IsConnected(), 0);
    EXPECT_EQ(port->WriteBytes(reinterpret_cast<const uint8_t*>("x"), 1), 0u);
    EXPECT_EQ(port->InputQueueCount(), 0u);
}

TEST(CRS232, SecondOpenOfAHeldPortFailsAndLeavesTheFirstUntouched)
{
    SimulatedLink s;
    std::unique_ptr<CRS232> second = s.MakePort();
    EXPECT_FALSE(second->OpenPort(SerialPortId::FromPath("/dev/simulated"), 115200));
    EXPECT_EQ(second->IsConnected(), 0);
    EXPECT_EQ(second->LastOpenFailure().kind, OpenFailureKind::Busy);

    ProductInfo info;
    EXPECT_TRUE(s.link.ReadProductInfo(info));
    s.port->ClosePort();
    EXPECT_TRUE(second->OpenPort(SerialPortId::FromPath("/dev/simulated"), 115200));
}

TEST(CRS232, FailedOpenLeavesItClosedAndTheDeviceFree)
{
    const std::unique_ptr<CRS232> port = PosixConnectionFactory().MakeConnection();
    EXPECT_FALSE(port->OpenPort(SerialPortId::FromPath("/dev/skarnel-no-such-port"), 115200));
    EXPECT_EQ(port->IsConnected(), 0);
    EXPECT_EQ(port->LastOpenFailure().kind, OpenFailureKind::NotFound);
    EXPECT_FALSE(port->OpenPort(0, 115200));
    EXPECT_EQ(port->portNumber, 0);
}

TEST(CRS232, ReadToBufferOfNothingReadsNothingAndClearsTheBuffer)
{
    SimulatedLink s;
    ProductInfo info;
    ASSERT_TRUE(s.link.ReadProductInfo(info));
    EXPECT_NE(s.port->receiveBuffer()[6], 0);
    EXPECT_EQ(s.port->ReadToBuffer(0), 0u);
    EXPECT_TRUE(std::all_of(s.port->receiveBuffer(), s.port->receiveBuffer() + CRS232::kReceiveBufferSize,
                            [](uint8_t b) { return b == 0; }));
}

TEST(CRS232, WaitsShorterThanAPollStepOnlySleepTenMilliseconds)
{
    SimulatedLink s;
    const int64_t start = s.clock.NowMs();
    EXPECT_FALSE(s.port->WaitForData(3));
    EXPECT_EQ(s.clock.NowMs() - start, 10);
}

TEST(CRS232, WaitForDataTimesOutAfterItsPollsAndTenMore)
{
    SimulatedLink s;
    const int64_t start = s.clock.NowMs();
    EXPECT_FALSE(s.port->WaitForData(102));
    EXPECT_EQ(s.clock.NowMs() - start, 100 + 10);
}

TEST(CRS232, WaitForCountReturnsAsSoonAsEnoughBytesWait)
{
    SimulatedLink s;
    sim::FaultRule delay;
    delay.kind = sim::FaultKind::Delay;
    delay.amount = 40;
    s.engine().faults().Add(delay);
    s.link.SendFrame(0, nullptr, 0, 0x11);
    const int64_t start = s.clock.NowMs();
    EXPECT_TRUE(s.port->WaitForCount(1000, 62));
    EXPECT_LE(s.clock.NowMs() - start, 45);
    EXPECT_FALSE(s.port->WaitForCount(50, 63));
}

TEST(CRS232, ClosingPausesThreeTimesAndEmptiesTheQueue)
{
    SimulatedLink s;
    s.link.SendFrame(0, nullptr, 0, 0x11);
    ASSERT_TRUE(s.port->WaitForData(100));
    const int64_t start = s.clock.NowMs();
    s.port->ClosePort();
    EXPECT_EQ(s.clock.NowMs() - start, 300);
    EXPECT_EQ(s.port->IsConnected(), 0);
    EXPECT_EQ(s.port->InputQueueCount(), 0u);
    ASSERT_TRUE(s.port->OpenPort(SerialPortId::FromPath("/dev/simulated"), 115200));
    EXPECT_EQ(s.port->InputQueueCount(), 0u);
}

}  // namespace
}  // namespace skarnel
