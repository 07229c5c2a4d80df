#include "link/serial_port_id.h"

#include <array>
#include <charconv>

namespace skarnel {
namespace {

struct NodeFamily {
    const char* prefix;
    int firstNumber;
};

constexpr int kNodesPerFamily = 32;
constexpr std::array<NodeFamily, 3> kFamilies{{{"ttyS", 1}, {"ttyUSB", 33}, {"ttyACM", 65}}};

std::optional<int> ParseDecimal(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::string_view BaseName(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string DeviceNodeForPortNumber(int number)
{
    for (const NodeFamily& family : kFamilies) {
        const int index = number - family.firstNumber;
        if (index >= 0 && index < kNodesPerFamily)
            return "/dev/" + std::string(family.prefix) + std::to_string(index);
    }
    return {};
}

int PortNumberForDevice(const std::string& nameOrPath)
{
    const std::string_view name = BaseName(nameOrPath);
    for (const NodeFamily& family : kFamilies) {
        const std::string_view prefix(family.prefix);
        if (name.substr(0, prefix.size()) != prefix)
            continue;
        const std::optional<int> index = ParseDecimal(name.substr(prefix.size()));
        if (index && *index >= 0 && *index < kNodesPerFamily)
            return family.firstNumber + *index;
    }
    return 0;
}

SerialPortId SerialPortId::FromNumber(int number)
{
    SerialPortId id;
    id.number_ = number;
    id.devicePath_ = DeviceNodeForPortNumber(number);
    return id;
}

SerialPortId SerialPortId::FromPath(std::string devicePath)
{
    SerialPortId id;
    id.number_ = devicePath.rfind("/dev/tty", 0) == 0 ? PortNumberForDevice(devicePath) : 0;
    id.devicePath_ = std::move(devicePath);
    return id;
}

std::optional<SerialPortId> SerialPortId::Parse(const std::string& text)
{
    if (text.find('/') != std::string::npos)
        return FromPath(text);
    std::string_view digits(text);
    if (digits.substr(0, 3) == "COM" || digits.substr(0, 3) == "com")
        digits.remove_prefix(3);
    const std::optional<int> number = ParseDecimal(digits);
    if (!number || DeviceNodeForPortNumber(*number).empty())
        return std::nullopt;
    return FromNumber(*number);
}

std::string SerialPortId::DisplayName() const
{
    if (number_ > 0)
        return "COM" + std::to_string(number_);
    return devicePath_;
}

}  // namespace skarnel
