#include "link/port_doctor.h"

#include "tests/support/temp_folder.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace skarnel {
namespace {
namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

// A made-up system with the cable's bridge on ttyUSB0, its node in a group of its own, the
// user in that group, the udev rule installed and nobody holding the port.
class FakeSystem {
public:
    FakeSystem()
    {
        AddUsbBridge("ttyUSB0", kCableUsbVendor, "Silicon Labs", "CP2102 USB to UART Bridge Controller");
        Write(Path("dev/ttyUSB0"), "");
        ::chmod(Path("dev/ttyUSB0").c_str(), 0660);
        struct stat status {};
        ::stat(Path("dev/ttyUSB0").c_str(), &status);
        nodeGroup_ = status.st_gid;
        // Somebody other than the node's owner, so that only the group can let them in.
        identity_.uid = status.st_uid + 1000;
        identity_.groups = {nodeGroup_, 4242};
        groupMembers_ = "alice";
        Write(Path("etc/passwd"), "alice:x:" + std::to_string(identity_.uid) + ":4242::/home/alice:/bin/sh");
        WriteGroups();
        Write(Path("etc/udev/rules.d/60-skarnel-cable.rules"),
              "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"10c4\", GROUP=\"dialout\", MODE=\"0660\", "
              "ENV{ID_MM_DEVICE_IGNORE}=\"1\"");
        AddProcess(1, "systemd", {});
    }

    fs::path Root() const { return folder_.Root(); }
    fs::path Path(const std::string& relative) const { return Root() / relative; }
    ProbeIdentity& identity() { return identity_; }
    unsigned NodeGroup() const { return nodeGroup_; }

    void AddUsbBridge(const std::string& tty, const std::string& vendor, const std::string& maker,
                      const std::string& product)
    {
        const fs::path usb = Path("sys/devices/usb1/1-" + tty);
        Write(usb / "idVendor", vendor);
        Write(usb / "idProduct", "ea60");
        Write(usb / "manufacturer", maker);
        Write(usb / "product", product);
        fs::create_directories(usb / "1.0" / tty);
        fs::create_directories(Path("sys/class/tty/" + tty));
        fs::create_symlink(usb / "1.0", Path("sys/class/tty/" + tty + "/device"));
    }
    void RemoveBridge(const std::string& tty) { fs::remove_all(Path("sys/class/tty/" + tty)); }
    void AddProcess(int pid, const std::string& name, const std::vector<std::string>& openFiles)
    {
        const fs::path process = Path("proc/" + std::to_string(pid));
        Write(process / "comm", name);
        fs::create_directories(process / "fd");
        for (size_t fd = 0; fd < openFiles.size(); ++fd)
            fs::create_symlink(openFiles[fd], process / "fd" / std::to_string(fd + 3));
    }
    void SetGroupMembers(std::string members)
    {
        groupMembers_ = std::move(members);
        WriteGroups();
    }

private:
    void WriteGroups()
    {
        Write(Path("etc/group"), "users:x:4242:\ndialout:x:" + std::to_string(nodeGroup_) + ":" + groupMembers_);
    }

    test::TempFolder folder_;
    ProbeIdentity identity_;
    unsigned nodeGroup_ = 0;
    std::string groupMembers_;
};

struct Fault {
    const char* name;
    std::function<void(FakeSystem&)> apply;
    std::vector<DoctorCheck> failing;
    const char* said;  // in the text or the fix of the first failing check
};

class PortDoctor : public testing::TestWithParam<Fault> {};

TEST_P(PortDoctor, NamesTheFaultAndHowToFixIt)
{
    FakeSystem system;
    GetParam().apply(system);
    const std::vector<DoctorFinding> findings =
        ExamineSystem(SystemProbe(system.Root()), system.identity(), SerialPortId::FromPath("/dev/ttyUSB0"));
    std::vector<DoctorCheck> failing;
    for (const DoctorFinding& finding : findings) {
        if (!finding.ok) {
            failing.push_back(finding.check);
            EXPECT_FALSE(finding.fix.empty()) << finding.text;
        }
    }
    EXPECT_EQ(failing, GetParam().failing);
    EXPECT_EQ(AllOk(findings), GetParam().failing.empty());
    if (failing.empty())
        return;
    const auto first = std::find_if(findings.begin(), findings.end(), [](const DoctorFinding& f) { return !f.ok; });
    EXPECT_NE((first->text + " | " + first->fix).find(GetParam().said), std::string::npos)
        << first->text << " | " << first->fix;
}

INSTANTIATE_TEST_SUITE_P(
    FakeSystems, PortDoctor,
    testing::Values(
        Fault{"Healthy", [](FakeSystem&) {}, {}, ""},
        Fault{"NotInTheGroup",
              [](FakeSystem& s) {
                  s.identity().groups = {4242};
                  s.SetGroupMembers("");
              },
              {DoctorCheck::Access},
              "sudo usermod -aG dialout alice"},
        Fault{"AddedToTheGroupButNotLoggedInAgain",
              [](FakeSystem& s) { s.identity().groups = {4242}; },
              {DoctorCheck::Access},
              "log out and in again"},
        Fault{"HeldByAnotherProgram",
              [](FakeSystem& s) {
                  s.AddProcess(123, "minicom", {"/dev/null", "/dev/ttyUSB0"});
              },
              {DoctorCheck::Holder},
              "held by minicom (pid 123)"},
        Fault{"ModemManagerProbingWithoutTheRule",
              [](FakeSystem& s) {
                  s.AddProcess(77, "ModemManager", {"/dev/ttyUSB0"});
                  fs::remove(s.Path("etc/udev/rules.d/60-skarnel-cable.rules"));
              },
              {DoctorCheck::Holder, DoctorCheck::ModemManager, DoctorCheck::UdevRule},
              "ModemManager (pid 77), which is probing it"},
        Fault{"ModemManagerRunningWithTheRule", [](FakeSystem& s) { s.AddProcess(77, "ModemManager", {}); }, {}, ""},
        Fault{"RuleMissing",
              [](FakeSystem& s) { fs::remove(s.Path("etc/udev/rules.d/60-skarnel-cable.rules")); },
              {DoctorCheck::UdevRule},
              "vendor 10c4"},
        Fault{"NoBridge",
              [](FakeSystem& s) {
                  s.RemoveBridge("ttyUSB0");
                  fs::remove(s.Path("dev/ttyUSB0"));
              },
              {DoctorCheck::Bridge, DoctorCheck::DeviceNode},
              "no USB serial bridge"},
        Fault{"AnotherMakersBridge",
              [](FakeSystem& s) {
                  s.RemoveBridge("ttyUSB0");
                  s.AddUsbBridge("ttyUSB1", "067b", "Prolific", "USB-Serial Controller");
              },
              {DoctorCheck::Bridge},
              "(vendor 067b) on /dev/ttyUSB1"},
        Fault{"CableWithoutItsDriver",
              [](FakeSystem& s) {
                  s.RemoveBridge("ttyUSB0");
                  Write(s.Path("sys/bus/usb/devices/1-4/idVendor"), "10c4");
                  Write(s.Path("sys/bus/usb/devices/1-4/idProduct"), "ea60");
              },
              {DoctorCheck::Bridge},
              "sudo modprobe cp210x"},
        Fault{"PortNodeMissing",
              [](FakeSystem& s) { fs::remove(s.Path("dev/ttyUSB0")); },
              {DoctorCheck::DeviceNode},
              "/dev/ttyUSB0 does not exist"}),
    [](const testing::TestParamInfo<Fault>& param) { return std::string(param.param.name); });

TEST(PortDoctorOpenFailure, SaysWhichPortAndWhyBelowTheBoxText)
{
    FakeSystem system;
    system.AddProcess(4711, "cu\x1b[2J", {"/dev/ttyUSB0"});
    const std::vector<std::string> lines =
        DescribeOpenFailure(SystemProbe(system.Root()), system.identity(), SerialPortId::FromNumber(33),
                            {OpenFailureKind::Busy, "Resource temporarily unavailable"});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Port: COM33 (/dev/ttyUSB0)");
    EXPECT_EQ(lines[1], "Reason: Resource temporarily unavailable");
    // The process name comes from outside: it reaches the box without its escape character.
    EXPECT_EQ(lines[2], "/dev/ttyUSB0 is held by cu\\x1b[2J (pid 4711): close that program (kill 4711) and try again");
}

TEST(PortDoctorOpenFailure, ByIdLinkIsFollowedToTheNodeTheHolderOpened)
{
    FakeSystem system;
    fs::create_directories(system.Path("dev/serial/by-id"));
    fs::create_symlink("../../ttyUSB0", system.Path("dev/serial/by-id/usb-cable"));
    system.AddProcess(55, "screen", {"/dev/ttyUSB0"});
    const std::vector<SystemProbe::Process> holders = SystemProbe(system.Root()).Holders("/dev/serial/by-id/usb-cable");
    ASSERT_EQ(holders.size(), 1u);
    EXPECT_EQ(holders[0].name, "screen");
}

}  // namespace
}  // namespace skarnel
