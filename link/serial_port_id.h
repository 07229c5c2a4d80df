#pragma once

#include <optional>
#include <string>

namespace skarnel {

// A port as the user chooses it: a COM number (which maps to a device node) or an explicit
// device path such as a PTY or a /dev/serial/by-id link.
class SerialPortId {
public:
    SerialPortId() = default;
    static SerialPortId FromNumber(int number);
    static SerialPortId FromPath(std::string devicePath);
    // Accepts "7", "COM7" or a device path; nothing for an empty or malformed text.
    static std::optional<SerialPortId> Parse(const std::string& text);

    // The COM number; for a path, the number its device node maps to, else 0.
    int Number() const { return number_; }
    const std::string& DevicePath() const { return devicePath_; }
    bool IsValid() const { return !devicePath_.empty(); }
    // "COM7" for a numbered port, else the device path.
    std::string DisplayName() const;

private:
    int number_ = 0;
    std::string devicePath_;
};

// COM 1-32 are /dev/ttyS0-31, 33-64 /dev/ttyUSB0-31, 65-96 /dev/ttyACM0-31.
std::string DeviceNodeForPortNumber(int number);
// The reverse of the mapping for a kernel tty name ("ttyUSB3") or a device path; 0 when none.
int PortNumberForDevice(const std::string& nameOrPath);

}  // namespace skarnel
