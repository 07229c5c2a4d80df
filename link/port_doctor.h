#pragma once

#include "link/serial_backend.h"
#include "link/serial_port_id.h"
#include "link/system_probe.h"

#include <string>
#include <vector>

namespace skarnel {

// The USB vendor of the bridge in the controller's cable.
inline constexpr const char* kCableUsbVendor = "10c4";

enum class DoctorCheck { Bridge, DeviceNode, Access, Holder, ModemManager, UdevRule };

struct DoctorFinding {
    DoctorCheck check;
    bool ok = true;
    std::string text;  // what was found
    std::string fix;   // what to do about it; empty when ok
};

// Everything that stands between this user and the controller on the port: the cable's bridge,
// the device node, the right to open it, another program holding it, ModemManager and the udev
// rule. Each finding says what it saw and, when something is wrong, how to fix it.
std::vector<DoctorFinding> ExamineSystem(const SystemProbe& system, const ProbeIdentity& identity,
                                         const SerialPortId& port);
bool AllOk(const std::vector<DoctorFinding>& findings);

// Why a port did not open, in lines below "Port Open Fail": the port, what the system said and
// whatever the checks of the port itself find wrong.
std::vector<std::string> DescribeOpenFailure(const SystemProbe& system, const ProbeIdentity& identity,
                                             const SerialPortId& port, const OpenFailure& failure);

}  // namespace skarnel
