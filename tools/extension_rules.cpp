#include "tools/extension_rules.h"

#include <algorithm>
#include <cctype>

namespace skarnel {
namespace {

constexpr size_t kExtensionLength = 4;

std::string LastFour(const std::string& name)
{
    return name.size() < kExtensionLength ? std::string() : name.substr(name.size() - kExtensionLength);
}

}  // namespace

std::string ApplyTargetExtensionRule(const std::string& name)
{
    const std::string end = LastFour(name);
    if (end == ".bin" || end == ".Bin" || end == ".BIN")
        return name;
    return name + ".bin";
}

std::string ApplyYModemExtensionRule(const std::string& name)
{
    std::string end = LastFour(name);
    std::transform(end.begin(), end.end(), end.begin(), [](unsigned char c) { return std::tolower(c); });
    return end == ".bin" ? name : name + ".bin";
}

}  // namespace skarnel
