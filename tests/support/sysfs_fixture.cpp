#include "tests/support/sysfs_fixture.h"

#include <fstream>

namespace skarnel::test {
namespace fs = std::filesystem;
namespace {

void WriteFile(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

}  // namespace

SysfsFixture::SysfsFixture()
{
    fs::create_directories(Root() / "class" / "tty");
}

void SysfsFixture::AddUsbPort(int index, const std::string& manufacturer, const std::string& product)
{
    const std::string name = "ttyUSB" + std::to_string(index);
    const fs::path usb = Root() / "devices" / "usb1" / ("1-" + std::to_string(index + 1));
    WriteFile(usb / "idVendor", "10c4");
    WriteFile(usb / "manufacturer", manufacturer);
    WriteFile(usb / "product", product);
    const fs::path interface = usb / "1.0";
    fs::create_directories(interface / name);
    fs::create_directories(Root() / "class" / "tty" / name);
    fs::create_symlink(interface, Root() / "class" / "tty" / name / "device");
}

void SysfsFixture::AddUart(int index)
{
    const std::string name = "ttyS" + std::to_string(index);
    const fs::path tty = Root() / "class" / "tty" / name;
    fs::create_directories(tty / "device");
    WriteFile(tty / "type", "4");
}

void SysfsFixture::Remove(const std::string& ttyName)
{
    fs::remove_all(Root() / "class" / "tty" / ttyName);
}

}  // namespace skarnel::test
