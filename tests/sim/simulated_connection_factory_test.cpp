#include "sim/simulated_connection_factory.h"

#include "base/clock.h"
#include "link/download_function.h"
#include "link/product_info.h"
#include "base/reporter.h"
#include "sim/application_commands.h"

#include <gtest/gtest.h>

#include <memory>

namespace skarnel::sim {
namespace {

constexpr const char* kPath = "/dev/skarnel-simulated";

struct FactoryFixture {
    FactoryFixture() { InstallApplicationCommands(device->engine()); }

    VirtualClock clock;
    std::shared_ptr<SimulatedDevice> device = std::make_shared<SimulatedDevice>();
    SimulatedConnectionFactory factory{device, clock, kPath};
};

TEST(SimulatedConnectionFactory, ConnectionsShareOneControllerThatOneHoldsAtATime)
{
    FactoryFixture f;
    const std::unique_ptr<CRS232> first = f.factory.MakeConnection();
    const std::unique_ptr<CRS232> second = f.factory.MakeConnection();
    ASSERT_TRUE(first->OpenPort(SerialPortId::FromPath(kPath), 115200));
    EXPECT_FALSE(second->OpenPort(SerialPortId::FromPath(kPath), 115200));
    EXPECT_EQ(second->LastOpenFailure().kind, OpenFailureKind::Busy);
    first->ClosePort();

    ASSERT_TRUE(second->OpenPort(SerialPortId::FromPath(kPath), 115200));
    CDownload_Function link(*second, NullReporter::Instance());
    ProductInfo info;
    EXPECT_TRUE(link.ReadProductInfo(info));
    EXPECT_EQ(&second->clock(), &f.clock);
    second->ClosePort();
}

TEST(SimulatedConnectionFactory, AnotherPathIsAMissingDevice)
{
    FactoryFixture f;
    const std::unique_ptr<CRS232> port = f.factory.MakeConnection();
    EXPECT_FALSE(port->OpenPort(SerialPortId::FromPath("/dev/skarnel-no-such-port"), 115200));
    EXPECT_EQ(port->LastOpenFailure().kind, OpenFailureKind::NotFound);
    EXPECT_EQ(port->IsConnected(), 0);
    EXPECT_TRUE(port->OpenPort(SerialPortId::FromPath(kPath), 115200)) << "the failed open held nothing";
    port->ClosePort();
}

}  // namespace
}  // namespace skarnel::sim
