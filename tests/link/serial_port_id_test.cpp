#include "link/serial_port_id.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

struct MappingCase {
    int number;
    const char* device;
};

class PortMapping : public testing::TestWithParam<MappingCase> {};

TEST_P(PortMapping, NumberAndDeviceNodeMapBothWays)
{
    const MappingCase& c = GetParam();
    EXPECT_EQ(DeviceNodeForPortNumber(c.number), c.device);
    if (*c.device) {
        EXPECT_EQ(PortNumberForDevice(c.device), c.number);
    }
}

INSTANTIATE_TEST_SUITE_P(Families, PortMapping,
                         testing::Values(MappingCase{1, "/dev/ttyS0"}, MappingCase{32, "/dev/ttyS31"},
                                         MappingCase{33, "/dev/ttyUSB0"}, MappingCase{64, "/dev/ttyUSB31"},
                                         MappingCase{65, "/dev/ttyACM0"}, MappingCase{96, "/dev/ttyACM31"},
                                         MappingCase{0, ""}, MappingCase{97, ""}, MappingCase{-3, ""}));

TEST(SerialPortId, ParsesNumbersComNamesAndPaths)
{
    EXPECT_EQ(SerialPortId::Parse("7")->DevicePath(), "/dev/ttyS6");
    EXPECT_EQ(SerialPortId::Parse("COM34")->DevicePath(), "/dev/ttyUSB1");
    const SerialPortId pty = *SerialPortId::Parse("/dev/pts/4");
    EXPECT_EQ(pty.Number(), 0);
    EXPECT_EQ(pty.DisplayName(), "/dev/pts/4");
    EXPECT_EQ(SerialPortId::Parse("/dev/ttyUSB2")->Number(), 35);
    EXPECT_EQ(SerialPortId::Parse("/dev/serial/by-id/usb-x-if00-port0")->Number(), 0);
    EXPECT_FALSE(SerialPortId::Parse(""));
    EXPECT_FALSE(SerialPortId::Parse("COM"));
    EXPECT_FALSE(SerialPortId::Parse("200"));
    EXPECT_FALSE(SerialPortId::Parse("7x"));
}

TEST(PortNumberForDevice, RejectsNamesThatOnlyLookAlike)
{
    EXPECT_EQ(PortNumberForDevice("ttyS"), 0);
    EXPECT_EQ(PortNumberForDevice("ttyS32"), 0);
    EXPECT_EQ(PortNumberForDevice("ttyUSB-1"), 0);
    EXPECT_EQ(PortNumberForDevice("ttySx"), 0);
}

}  // namespace
}  // namespace skarnel
