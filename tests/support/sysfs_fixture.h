#pragma once

#include <filesystem>
#include <string>

namespace skarnel::test {

// A small sysfs tree of serial ports in a temporary folder.
class SysfsFixture {
public:
    SysfsFixture();
    ~SysfsFixture();
    SysfsFixture(const SysfsFixture&) = delete;
    SysfsFixture& operator=(const SysfsFixture&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    // /sys/class/tty/ttyUSB<n> below a USB device with these strings.
    void AddUsbPort(int index, const std::string& manufacturer, const std::string& product);
    // /sys/class/tty/ttyS<n> of a present UART.
    void AddUart(int index);
    void Remove(const std::string& ttyName);

private:
    std::filesystem::path root_;
};

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

}  // namespace skarnel::test
