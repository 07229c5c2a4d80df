#include "link/port_discovery.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace skarnel {
namespace {
namespace fs = std::filesystem;

// A small sysfs: class/tty entries linking into a devices tree, as the kernel lays it out.
class SysfsFixture : public testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("skarnel-sysfs-" + std::to_string(::getpid()) + "-" +
                                             testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "class" / "tty");
    }
    void TearDown() override { fs::remove_all(root_); }

    static void Write(const fs::path& file, const std::string& text)
    {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text << "\n";
    }

    // A tty with a device link; a uart type for the legacy ports.
    void AddUart(const std::string& name, const std::string& type)
    {
        const fs::path device = root_ / "devices" / "platform" / "serial8250" / name;
        fs::create_directories(device);
        const fs::path tty = root_ / "class" / "tty" / name;
        fs::create_directories(tty);
        fs::create_directory_symlink(device, tty / "device");
        Write(tty / "type", type);
    }

    void AddUsb(const std::string& name, const std::string& manufacturer, const std::string& product)
    {
        const fs::path usb = root_ / "devices" / "pci0000:00" / "usb1" / ("1-" + name);
        Write(usb / "idVendor", "10c4");
        if (!manufacturer.empty())
            Write(usb / "manufacturer", manufacturer);
        if (!product.empty())
            Write(usb / "product", product);
        const fs::path port = usb / "1-1:1.0" / name;
        fs::create_directories(port);
        const fs::path tty = root_ / "class" / "tty" / name;
        fs::create_directories(tty);
        fs::create_directory_symlink(port, tty / "device");
    }

    void AddVirtual(const std::string& name) { fs::create_directories(root_ / "class" / "tty" / name); }

    std::vector<std::string> PortNames() const
    {
        std::vector<std::string> names;
        for (const PortEntry& port : ListSerialPorts(root_))
            names.push_back(port.portName);
        return names;
    }

    fs::path root_;
};

TEST_F(SysfsFixture, ListsPresentPortsWithDeviceNamesSortedByPortName)
{
    AddUart("ttyS0", "4");
    AddUart("ttyS1", "0");  // no UART behind it
    AddUsb("ttyUSB0", "Silicon Labs", "CP2102 USB to UART Bridge Controller");
    AddVirtual("tty0");
    AddVirtual("ttyS5");  // no device link

    const std::vector<PortEntry> ports = ListSerialPorts(root_);
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].portName, "COM1");
    EXPECT_EQ(ports[0].deviceName, "Communications Port (COM1)");
    EXPECT_EQ(ports[0].devicePath, "/dev/ttyS0");
    EXPECT_EQ(ports[1].portName, "COM33");
    EXPECT_EQ(ports[1].deviceName, "Silicon Labs CP2102 USB to UART Bridge Controller (COM33)");
    EXPECT_EQ(ports[1].portNumber, 33);
    EXPECT_EQ(FindPortByDeviceName("CP210", root_), 33);
}

TEST_F(SysfsFixture, SortsInPlainCharacterOrder)
{
    AddUart("ttyS1", "4");
    AddUart("ttyS9", "4");
    AddUart("ttyS2", "4");
    EXPECT_EQ(PortNames(), (std::vector<std::string>{"COM10", "COM2", "COM3"}));
}

TEST_F(SysfsFixture, UsbDevicesWithoutStringsStillList)
{
    AddUsb("ttyACM0", "", "");
    AddUsb("ttyUSB1", "", "FT232R USB UART");
    const std::vector<PortEntry> ports = ListSerialPorts(root_);
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].deviceName, "FT232R USB UART (COM34)");
    EXPECT_EQ(ports[1].deviceName, "USB Serial Port (COM65)");
}

TEST_F(SysfsFixture, SearchIsCaseSensitiveAndFindsNothingWithoutTheBridge)
{
    AddUart("ttyS0", "4");
    EXPECT_EQ(FindPortByDeviceName("CP210", root_), 0);
    AddUsb("ttyUSB3", "Silicon Labs", "CP2102 USB to UART Bridge Controller");
    EXPECT_EQ(FindPortByDeviceName("cp210", root_), 0);
    EXPECT_EQ(FindPortByDeviceName("CP210", root_), 36);
    EXPECT_TRUE(ListSerialPorts(root_ / "missing").empty());
}

}  // namespace
}  // namespace skarnel
