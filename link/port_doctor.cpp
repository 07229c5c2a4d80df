#include "link/port_doctor.h"

#include "base/printable_text.h"
#include "link/port_discovery.h"

#include <algorithm>
#include <cstdio>

namespace skarnel {
namespace {

constexpr const char* kRuleInstall =
    "install the skarnel package, or the rule by hand: echo 'SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"10c4\", "
    "GROUP=\"dialout\", MODE=\"0660\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"' | sudo tee "
    "/etc/udev/rules.d/60-skarnel-cable.rules && sudo udevadm control --reload && sudo udevadm trigger";

DoctorFinding Ok(DoctorCheck check, std::string text)
{
    return {check, true, std::move(text), {}};
}

DoctorFinding Problem(DoctorCheck check, std::string text, std::string fix)
{
    return {check, false, std::move(text), std::move(fix)};
}

std::string ProcessText(const SystemProbe::Process& process)
{
    return PrintableName(process.name) + " (pid " + std::to_string(process.pid) + ")";
}

std::string ModeText(unsigned mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode);
    return text;
}

DoctorFinding ExamineBridge(const SystemProbe& system)
{
    const std::vector<PortEntry> ports = EnumerateSerialPorts(system.Root() / "sys");
    std::vector<PortEntry> bridges;
    std::copy_if(ports.begin(), ports.end(), std::back_inserter(bridges),
                 [](const PortEntry& port) { return !port.usbVendorId.empty(); });
    for (const PortEntry& bridge : bridges) {
        if (bridge.usbVendorId == kCableUsbVendor)
            return Ok(DoctorCheck::Bridge,
                      "the cable's bridge: " + PrintableName(bridge.deviceName) + " on " + bridge.devicePath);
    }
    const std::vector<std::string> unbound = system.UsbDevicesOfVendor(kCableUsbVendor);
    if (!unbound.empty())
        return Problem(DoctorCheck::Bridge,
                       "the cable's USB device " + unbound.front() + " is present but has no serial port",
                       "load its driver: sudo modprobe cp210x");
    if (!bridges.empty())
        return Problem(
            DoctorCheck::Bridge,
            "a USB serial bridge is present, but not the cable's: " + PrintableName(bridges.front().deviceName) +
                " (vendor " + PrintableName(bridges.front().usbVendorId) + ") on " + bridges.front().devicePath +
                "; the cable's bridge has vendor " + kCableUsbVendor,
            "plug in the controller's own cable, or give that port with --port if it is a cable that works");
    return Problem(DoctorCheck::Bridge, "no USB serial bridge is present",
                   "plug in the cable and switch the controller on; `sudo dmesg` tells whether the bridge was seen");
}

DoctorFinding ExamineAccess(const SystemProbe& system, const ProbeIdentity& identity, const std::string& path,
                            const SystemProbe::Node& node)
{
    const std::string group = PrintableName(system.GroupName(node.groupId));
    if (SystemProbe::MayUse(node, identity))
        return Ok(DoctorCheck::Access, "you may open " + path);
    const std::string user = system.UserName(identity.uid);
    const std::string text = path + " belongs to group " + group + " (mode " + ModeText(node.mode) +
                             ") and this session is not in that group";
    if (system.GroupListsUser(node.groupId, user))
        return Problem(DoctorCheck::Access, text, "you were added to " + group + " already: log out and in again");
    return Problem(DoctorCheck::Access, text,
                   "sudo usermod -aG " + group + " " + PrintableName(user) + ", then log out and in again");
}

DoctorFinding ExamineHolders(const SystemProbe& system, const std::string& path)
{
    const std::vector<SystemProbe::Process> holders = system.Holders(path);
    if (holders.empty())
        return Ok(DoctorCheck::Holder, "no other program has " + path + " open");
    const SystemProbe::Process& holder = holders.front();
    if (holder.name == "ModemManager")
        return Problem(
            DoctorCheck::Holder, path + " is held by " + ProcessText(holder) + ", which is probing it",
            std::string("wait half a minute, or stop it: sudo systemctl stop ModemManager; to keep it away, ") +
                kRuleInstall);
    return Problem(DoctorCheck::Holder, path + " is held by " + ProcessText(holder),
                   "close that program (kill " + std::to_string(holder.pid) + ") and try again");
}

DoctorFinding ExamineModemManager(const SystemProbe& system, bool ruleInstalled)
{
    const std::vector<SystemProbe::Process> running = system.ProcessesNamed("ModemManager");
    if (running.empty())
        return Ok(DoctorCheck::ModemManager, "ModemManager is not running");
    if (ruleInstalled)
        return Ok(DoctorCheck::ModemManager, "ModemManager is running and the udev rule keeps it off the cable");
    return Problem(DoctorCheck::ModemManager,
                   "ModemManager " + ProcessText(running.front()) +
                       " is running and probes every new serial port, which holds the cable's port for a while",
                   std::string("keep it away from the cable: ") + kRuleInstall);
}

std::vector<DoctorFinding> ExaminePort(const SystemProbe& system, const ProbeIdentity& identity,
                                       const std::string& path)
{
    const std::optional<SystemProbe::Node> node = system.DeviceNode(path);
    if (!node)
        return {Problem(DoctorCheck::DeviceNode, path + " does not exist",
                        "give the cable's port with --port (`skarnel-cli ports` lists them), or plug the cable in")};
    return {Ok(DoctorCheck::DeviceNode, path + " exists"), ExamineAccess(system, identity, path, *node),
            ExamineHolders(system, path)};
}

}  // namespace

std::vector<DoctorFinding> ExamineSystem(const SystemProbe& system, const ProbeIdentity& identity,
                                         const SerialPortId& port)
{
    std::vector<DoctorFinding> findings{ExamineBridge(system)};
    for (DoctorFinding& finding : ExaminePort(system, identity, port.DevicePath()))
        findings.push_back(std::move(finding));
    const bool ruleInstalled = !system.UdevRulesMentioning(kCableUsbVendor, "ID_MM_DEVICE_IGNORE").empty();
    findings.push_back(ExamineModemManager(system, ruleInstalled));
    if (ruleInstalled)
        findings.push_back(Ok(DoctorCheck::UdevRule, "the udev rule for the cable's bridge is installed"));
    else
        findings.push_back(Problem(DoctorCheck::UdevRule,
                                   std::string("no udev rule gives the cable's bridge (vendor ") + kCableUsbVendor +
                                       ") to the dialout group and keeps ModemManager off it",
                                   kRuleInstall));
    return findings;
}

bool AllOk(const std::vector<DoctorFinding>& findings)
{
    return std::all_of(findings.begin(), findings.end(), [](const DoctorFinding& finding) { return finding.ok; });
}

std::vector<std::string> DescribeOpenFailure(const SystemProbe& system, const ProbeIdentity& identity,
                                             const SerialPortId& port, const OpenFailure& failure)
{
    std::vector<std::string> lines{"Port: " + PrintableName(port.DisplayName()) + " (" +
                                   PrintableName(port.DevicePath()) + ")"};
    if (!failure.reason.empty())
        lines.push_back("Reason: " + failure.reason);
    for (const DoctorFinding& finding : ExaminePort(system, identity, port.DevicePath())) {
        if (!finding.ok)
            lines.push_back(PrintableName(finding.text) + ": " + finding.fix);
    }
    return lines;
}

}  // namespace skarnel
