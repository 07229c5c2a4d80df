#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace skarnel {

struct PortEntry {
    std::string portName;    // "COM33"
    std::string deviceName;  // "Silicon Labs CP2102 USB to UART Bridge Controller (COM33)"
    int portNumber = 0;
    std::string devicePath;   // "/dev/ttyUSB0"
    std::string usbVendorId;  // "10c4"; empty for a port that is no USB bridge
};

// The serial ports present, read from sysfs (the root is replaceable for tests).
// Enumeration order is the kernel names' order.
std::vector<PortEntry> EnumerateSerialPorts(const std::filesystem::path& sysfsRoot = "/sys");
// Present ports sorted by port name in plain character order (COM10 before COM2).
std::vector<PortEntry> ListSerialPorts(const std::filesystem::path& sysfsRoot = "/sys");
// The first port, in enumeration order, whose device name contains the text; 0 when none does.
int FindPortByDeviceName(const std::string& text, const std::filesystem::path& sysfsRoot = "/sys");

}  // namespace skarnel
