#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace skarnel {

// Who is asking: the effective user and every group of this session.
struct ProbeIdentity {
    unsigned uid = 0;
    std::vector<unsigned> groups;
};
ProbeIdentity CurrentIdentity();

// What the system says about the serial ports and who may use them, read below a root folder
// (sysfs at root/sys, processes at root/proc, devices at root/dev, udev rules and the user and
// group databases at root/etc, root/lib and root/usr/lib), so that a test can give a made-up
// system.
class SystemProbe {
public:
    explicit SystemProbe(std::filesystem::path root = "/") : root_(std::move(root)) {}

    const std::filesystem::path& Root() const { return root_; }
    // A path of the running system ("/dev/ttyUSB0") inside the root.
    std::filesystem::path Inside(const std::string& systemPath) const;

    struct Node {
        unsigned ownerUid = 0;
        unsigned groupId = 0;
        unsigned mode = 0;  // permission bits
    };
    std::optional<Node> DeviceNode(const std::string& devicePath) const;
    // Whether someone of this identity may read and write the node.
    static bool MayUse(const Node& node, const ProbeIdentity& identity);

    struct Process {
        int pid = 0;
        std::string name;  // as /proc/PID/comm gives it
    };
    // The processes that have the device open (only those whose descriptors can be read).
    std::vector<Process> Holders(const std::string& devicePath) const;
    std::vector<Process> ProcessesNamed(const std::string& name) const;

    std::string GroupName(unsigned groupId) const;
    std::string UserName(unsigned uid) const;
    // Whether the group database lists the user in the group (a later login would grant it).
    bool GroupListsUser(unsigned groupId, const std::string& user) const;

    // Rule files that match the USB vendor and hold the text.
    std::vector<std::filesystem::path> UdevRulesMentioning(const std::string& vendor, const std::string& text) const;
    // USB devices of the vendor present on the bus, as "vendor:product".
    std::vector<std::string> UsbDevicesOfVendor(const std::string& vendor) const;

private:
    std::vector<Process> Processes() const;

    std::filesystem::path root_;
};

}  // namespace skarnel
