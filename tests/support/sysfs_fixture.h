#pragma once

#include "tests/support/temp_folder.h"

#include <filesystem>
#include <string>

namespace skarnel::test {

// A small sysfs tree of serial ports in a temporary folder.
class SysfsFixture {
public:
    SysfsFixture();

    std::filesystem::path Root() const { return folder_.path(); }
    // /sys/class/tty/ttyUSB<n> below a USB device with these strings.
    void AddUsbPort(int index, const std::string& manufacturer, const std::string& product);
    // /sys/class/tty/ttyS<n> of a present UART.
    void AddUart(int index);
    void Remove(const std::string& ttyName);

private:
    TempFolder folder_;
};

}  // namespace skarnel::test
