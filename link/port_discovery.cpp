#include "link/port_discovery.h"

#include "link/serial_port_id.h"

#include <algorithm>
#include <fstream>
#include <optional>

namespace skarnel {
namespace fs = std::filesystem;

namespace {

std::optional<std::string> ReadAttribute(const fs::path& file)
{
    std::ifstream in(file);
    std::string value;
    if (!in || !std::getline(in, value))
        return std::nullopt;
    while (!value.empty() && (value.back() == '\r' || value.back() == ' '))
        value.pop_back();
    return value;
}

// The USB device above a tty's device: the first ancestor that has a vendor id.
std::optional<fs::path> UsbDeviceOf(const fs::path& device)
{
    std::error_code error;
    fs::path current = fs::canonical(device, error);
    if (error)
        return std::nullopt;
    for (; current.has_relative_path(); current = current.parent_path()) {
        if (fs::exists(current / "idVendor", error))
            return current;
    }
    return std::nullopt;
}

std::string UsbDescription(const fs::path& usbDevice)
{
    const std::string manufacturer = ReadAttribute(usbDevice / "manufacturer").value_or("");
    const std::string product = ReadAttribute(usbDevice / "product").value_or("");
    if (!manufacturer.empty() && !product.empty())
        return manufacturer + " " + product;
    if (!product.empty())
        return product;
    return "USB Serial Port";
}

// A legacy UART node exists for every possible port; only a known UART type is a port.
bool IsPresentUart(const fs::path& ttyDir)
{
    const std::optional<std::string> type = ReadAttribute(ttyDir / "type");
    return type && *type != "0";
}

std::optional<PortEntry> EntryFor(const fs::path& ttyDir)
{
    const std::string name = ttyDir.filename().string();
    const int number = PortNumberForDevice(name);
    std::error_code error;
    if (number == 0 || !fs::exists(ttyDir / "device", error))
        return std::nullopt;
    std::string description;
    std::string vendor;
    if (const std::optional<fs::path> usb = UsbDeviceOf(ttyDir / "device")) {
        description = UsbDescription(*usb);
        vendor = ReadAttribute(*usb / "idVendor").value_or("");
    } else if (IsPresentUart(ttyDir))
        description = "Communications Port";
    else
        return std::nullopt;
    PortEntry entry;
    entry.portNumber = number;
    entry.portName = "COM" + std::to_string(number);
    entry.deviceName = description + " (" + entry.portName + ")";
    entry.devicePath = "/dev/" + name;
    entry.usbVendorId = vendor;
    return entry;
}

}  // namespace

std::vector<PortEntry> EnumerateSerialPorts(const fs::path& sysfsRoot)
{
    std::vector<fs::path> ttys;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(sysfsRoot / "class" / "tty", error))
        ttys.push_back(entry.path());
    std::sort(ttys.begin(), ttys.end());
    std::vector<PortEntry> ports;
    for (const fs::path& tty : ttys) {
        if (std::optional<PortEntry> entry = EntryFor(tty))
            ports.push_back(std::move(*entry));
    }
    return ports;
}

std::vector<PortEntry> ListSerialPorts(const fs::path& sysfsRoot)
{
    std::vector<PortEntry> ports = EnumerateSerialPorts(sysfsRoot);
    std::stable_sort(ports.begin(), ports.end(),
                     [](const PortEntry& a, const PortEntry& b) { return a.portName < b.portName; });
    return ports;
}

int FindPortByDeviceName(const std::string& text, const fs::path& sysfsRoot)
{
    for (const PortEntry& port : EnumerateSerialPorts(sysfsRoot)) {
        if (port.deviceName.find(text) != std::string::npos && port.deviceName.find("(COM") != std::string::npos)
            return port.portNumber;
    }
    return 0;
}

}  // namespace skarnel
