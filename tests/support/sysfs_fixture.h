#pragma once

#include <filesystem>
#include <string>

namespace skarnel::test {

// A temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A small sysfs tree of serial ports in a temporary folder.
class SysfsFixture {
public:
    SysfsFixture();

    const std::filesystem::path& Root() const { return folder_.Path(); }
    // /sys/class/tty/ttyUSB<n> below a USB device with these strings.
    void AddUsbPort(int index, const std::string& manufacturer, const std::string& product);
    // /sys/class/tty/ttyS<n> of a present UART.
    void AddUart(int index);
    void Remove(const std::string& ttyName);

private:
    TempFolder folder_;
};

}  // namespace skarnel::test
