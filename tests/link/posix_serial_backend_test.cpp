#include "link/posix_serial_backend.h"

#include "link/connection_factory.h"
#include "link/download_function.h"
#include "base/reporter.h"
#include "link/rs232.h"
#include "tests/support/processes.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace skarnel {
namespace {

// The device below the port is a PTY served by the simulator process.
TEST(PosixSerialBackend, OpensAPtyExclusivelyAndAgainAfterClosing)
{
    test::SimProcess sim;
    const SerialPortId id = SerialPortId::FromPath(sim.DevicePath());
    const std::unique_ptr<CRS232> first = PosixConnectionFactory().MakeConnection();
    const std::unique_ptr<CRS232> second = PosixConnectionFactory().MakeConnection();
    ASSERT_TRUE(first->OpenPort(id, 115200)) << first->LastOpenFailure().reason;
    EXPECT_FALSE(second->OpenPort(id, 115200));
    EXPECT_EQ(second->LastOpenFailure().kind, OpenFailureKind::Busy);
    first->ClosePort();
    EXPECT_TRUE(second->OpenPort(id, 115200)) << second->LastOpenFailure().reason;
}

// Line feeds and carriage returns in both directions: a PTY left cooked would rewrite them
// and the frames would fail their CRC.
TEST(PosixSerialBackend, CarriesEveryByteValueUnchanged)
{
    test::SimProcess sim({"--app-product-code", std::to_string(0x0A0D0A)});
    const std::unique_ptr<CRS232> port = PosixConnectionFactory().MakeConnection();
    ASSERT_TRUE(port->OpenPort(SerialPortId::FromPath(sim.DevicePath()), 115200));
    CDownload_Function link(*port, NullReporter::Instance());
    std::string text = "\n\r\x03\x11\x13\x7f\xff";
    EXPECT_TRUE(link.SendLcdLine(0x0A, text));
    ProductInfo info;
    ASSERT_TRUE(link.ReadProductInfo(info));
    EXPECT_EQ(info.AppPCode, 0x0A0D0A);
    port->ClosePort();
}

TEST(PosixSerialBackend, ReportsAMissingDevice)
{
    PosixSerialBackend backend;
    OpenFailure failure;
    EXPECT_FALSE(backend.Open("/dev/skarnel-missing", 115200, failure));
    EXPECT_EQ(failure.kind, OpenFailureKind::NotFound);
    EXPECT_FALSE(failure.reason.empty());
}

}  // namespace
}  // namespace skarnel
