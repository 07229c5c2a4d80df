#include "link/system_probe.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace skarnel {
namespace fs = std::filesystem;
namespace {

constexpr const char* kRuleFolders[] = {"etc/udev/rules.d", "lib/udev/rules.d", "usr/lib/udev/rules.d"};

std::string FirstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

std::string WholeFile(const fs::path& file)
{
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<unsigned> ParseNumber(std::string_view text)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ':'))
        fields.push_back(field);
    if (!line.empty() && line.back() == ':')
        fields.emplace_back();
    return fields;
}

// The record of a colon-separated database (group, passwd) whose field `keyField` equals key.
std::optional<std::vector<std::string>> Record(const fs::path& database, size_t keyField, const std::string& key)
{
    std::ifstream in(database);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields = Fields(line);
        if (fields.size() > keyField && fields[keyField] == key)
            return fields;
    }
    return std::nullopt;
}

bool HasVendor(const std::string& rules, const std::string& vendor)
{
    return rules.find("\"" + vendor + "\"") != std::string::npos;
}

}  // namespace

ProbeIdentity CurrentIdentity()
{
    ProbeIdentity identity;
    identity.uid = ::geteuid();
    identity.groups.push_back(::getegid());
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<size_t>(std::max(count, 0)));
    if (count > 0 && ::getgroups(count, groups.data()) == count)
        identity.groups.insert(identity.groups.end(), groups.begin(), groups.end());
    return identity;
}

fs::path SystemProbe::Inside(const std::string& systemPath) const
{
    return root_ / fs::path(systemPath).relative_path();
}

std::optional<SystemProbe::Node> SystemProbe::DeviceNode(const std::string& devicePath) const
{
    struct stat status {};
    if (::stat(Inside(devicePath).c_str(), &status) != 0)
        return std::nullopt;
    return Node{status.st_uid, status.st_gid, status.st_mode & 07777u};
}

bool SystemProbe::MayUse(const Node& node, const ProbeIdentity& identity)
{
    constexpr unsigned kOwnerReadWrite = 0600, kGroupReadWrite = 0060, kOtherReadWrite = 0006;
    if (identity.uid == 0 || (node.mode & kOtherReadWrite) == kOtherReadWrite)
        return true;
    if (identity.uid == node.ownerUid)
        return (node.mode & kOwnerReadWrite) == kOwnerReadWrite;
    const bool member =
        std::find(identity.groups.begin(), identity.groups.end(), node.groupId) != identity.groups.end();
    return member && (node.mode & kGroupReadWrite) == kGroupReadWrite;
}

std::vector<SystemProbe::Process> SystemProbe::Processes() const
{
    std::vector<Process> processes;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(root_ / "proc", error)) {
        const std::optional<unsigned> pid = ParseNumber(entry.path().filename().string());
        if (pid)
            processes.push_back({static_cast<int>(*pid), FirstLine(entry.path() / "comm")});
    }
    std::sort(processes.begin(), processes.end(), [](const Process& a, const Process& b) { return a.pid < b.pid; });
    return processes;
}

std::vector<SystemProbe::Process> SystemProbe::Holders(const std::string& devicePath) const
{
    // Descriptors name the device node itself, so a by-id link is followed inside the root first.
    std::error_code error;
    std::string target = devicePath;
    const fs::path inside = fs::canonical(Inside(devicePath), error);
    if (!error)
        target = "/" + inside.lexically_relative(fs::canonical(root_, error)).string();
    std::vector<Process> holders;
    for (const Process& process : Processes()) {
        const fs::path fds = root_ / "proc" / std::to_string(process.pid) / "fd";
        for (const fs::directory_entry& fd : fs::directory_iterator(fds, error)) {
            std::error_code linkError;
            const fs::path opened = fs::read_symlink(fd.path(), linkError);
            if (!linkError && (opened == target || opened == devicePath)) {
                holders.push_back(process);
                break;
            }
        }
    }
    return holders;
}

std::vector<SystemProbe::Process> SystemProbe::ProcessesNamed(const std::string& name) const
{
    std::vector<Process> named;
    for (const Process& process : Processes()) {
        if (process.name == name)
            named.push_back(process);
    }
    return named;
}

std::string SystemProbe::GroupName(unsigned groupId) const
{
    const auto record = Record(root_ / "etc" / "group", 2, std::to_string(groupId));
    return record ? (*record)[0] : std::to_string(groupId);
}

std::string SystemProbe::UserName(unsigned uid) const
{
    const auto record = Record(root_ / "etc" / "passwd", 2, std::to_string(uid));
    return record ? (*record)[0] : std::to_string(uid);
}

bool SystemProbe::GroupListsUser(unsigned groupId, const std::string& user) const
{
    const auto record = Record(root_ / "etc" / "group", 2, std::to_string(groupId));
    if (!record || record->size() < 4)
        return false;
    std::istringstream members((*record)[3]);
    std::string member;
    while (std::getline(members, member, ','))
        if (member == user)
            return true;
    return false;
}

std::vector<fs::path> SystemProbe::UdevRulesMentioning(const std::string& vendor, const std::string& text) const
{
    std::vector<fs::path> rules;
    std::error_code error;
    for (const char* folder : kRuleFolders) {
        for (const fs::directory_entry& entry : fs::directory_iterator(root_ / folder, error)) {
            if (entry.path().extension() != ".rules")
                continue;
            const std::string content = WholeFile(entry.path());
            if (HasVendor(content, vendor) && content.find(text) != std::string::npos)
                rules.push_back(entry.path());
        }
    }
    return rules;
}

std::vector<std::string> SystemProbe::UsbDevicesOfVendor(const std::string& vendor) const
{
    std::vector<std::string> devices;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(root_ / "sys" / "bus" / "usb" / "devices", error)) {
        if (FirstLine(entry.path() / "idVendor") == vendor)
            devices.push_back(vendor + ":" + FirstLine(entry.path() / "idProduct"));
    }
    std::sort(devices.begin(), devices.end());
    return devices;
}

}  // namespace skarnel
