#include "link/connection_factory.h"
#include "tests/support/processes.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

namespace skarnel {
namespace {

using test::OutputLines;
using test::RunCli;
using test::SimProcess;

TEST(CliIntegration, InfoPrintsTheProductInformationOfTheSimulatedController)
{
    SimProcess sim({"--product-name", "Bench Unit", "--app-version", "217", "--memory-version", "1001"});
    const test::CommandResult result = RunCli({"--port", sim.DevicePath(), "info"});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    const std::vector<std::string> lines = OutputLines(result.out);
    ASSERT_EQ(lines.size(), 3u) << result.out;
    EXPECT_EQ(lines[0], "   >> AppPCode:3001,  AppVer:217,  BootPCode:3001,  BootVer:12,  MemVer:1001");
    EXPECT_EQ(lines[1], "   >> Product Name:Bench Unit,  Buyer:Vennacor");
    EXPECT_EQ(lines[2].rfind("   >> AppPCodeAddr:0x", 0), 0u);
    EXPECT_TRUE(result.err.empty()) << result.err;
}

TEST(CliIntegration, ClockWriteThenReadRoundTrips)
{
    SimProcess sim;
    const test::CommandResult write =
        RunCli({"--port", sim.DevicePath(), "clock", "write", "--set", "2011-03-27 02:30:00", "--summer"});
    EXPECT_EQ(write.exitCode, 0) << write.out;
    EXPECT_EQ(write.out, " 2011-03-27 Sunday (02:30:00)\n");
    const test::CommandResult read = RunCli({"--port", sim.DevicePath(), "clock", "read"});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_TRUE(read.out == " 2011-03-27 Sunday (02:30:00)\n" || read.out == " 2011-03-27 Sunday (02:30:01)\n")
        << read.out;
}

TEST(CliIntegration, CorruptRepliesAreLoggedAndTheJobFailsWithItsFinalText)
{
    SimProcess sim({"--fault", "bad-crc,code=0x11,count=3"});
    const test::CommandResult result = RunCli({"--port", sim.DevicePath(), "info"});
    EXPECT_EQ(result.exitCode, 1);
    const std::vector<std::string> lines = OutputLines(result.out);
    ASSERT_EQ(lines.size(), 4u) << result.out;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lines[i].rfind("CRC Mismatch. Recv : ", 0), 0u) << lines[i];
    EXPECT_EQ(lines[3], "Product Information Read Fail");
}

TEST(CliIntegration, UnansweredClockWriteNamesTheTimeOut)
{
    SimProcess sim({"--fault", "no-reply,code=0x30"});
    const test::CommandResult result = RunCli({"--port", sim.DevicePath(), "clock", "write", "--now"});
    EXPECT_EQ(result.exitCode, 1);
    const std::vector<std::string> lines = OutputLines(result.out);
    ASSERT_EQ(lines.size(), 3u) << result.out;
    EXPECT_EQ(lines[0], "Error - Packet Response TimeOut");
    EXPECT_EQ(lines[1], "RTC Time Write Fail");
}

TEST(CliIntegration, BusyPortFailsToOpen)
{
    SimProcess sim;
    const std::unique_ptr<CRS232> holder = PosixConnectionFactory().MakeConnection();
    ASSERT_TRUE(holder->OpenPort(SerialPortId::FromPath(sim.DevicePath()), 115200));
    const test::CommandResult result = RunCli({"--port", sim.DevicePath(), "info"});
    EXPECT_EQ(result.exitCode, 1);
    const std::vector<std::string> lines = OutputLines(result.out);
    ASSERT_EQ(lines.size(), 2u) << result.out;
    EXPECT_EQ(lines[0], "Port Open Fail");
    EXPECT_NE(lines[1].find("in use"), std::string::npos) << lines[1];
    holder->ClosePort();
}

TEST(CliIntegration, UsageErrorsExitWithTwo)
{
    EXPECT_EQ(RunCli({}).exitCode, 2);
    EXPECT_EQ(RunCli({"clock"}).exitCode, 2);
    EXPECT_EQ(RunCli({"clock", "write"}).exitCode, 2);
    EXPECT_EQ(RunCli({"clock", "write", "--now", "--set", "2020-01-01 00:00:00"}).exitCode, 2);
    EXPECT_EQ(RunCli({"clock", "write", "--set", "yesterday"}).exitCode, 2);
    for (const char* port : {"abc", "0", "COM97", ""})
        EXPECT_EQ(RunCli({"--port", port, "info"}).exitCode, 2) << port;
    EXPECT_EQ(RunCli({"--help"}).exitCode, 0);
}

// The doctor reads a made-up system: the cable's bridge on ttyUSB0, its node, and (or not) the
// udev rule.
void WriteSystemFile(const std::filesystem::path& file, const std::string& text)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

TEST(CliIntegration, DoctorExitsWithOneAndNamesEachFaultOfTheSystem)
{
    test::TempFolder root;
    const std::filesystem::path usb = root.Root() / "sys/devices/usb1/1-1";
    WriteSystemFile(usb / "idVendor", "10c4");
    WriteSystemFile(usb / "product", "CP2102 USB to UART Bridge Controller");
    std::filesystem::create_directories(usb / "1.0/ttyUSB0");
    std::filesystem::create_directories(root.Root() / "sys/class/tty/ttyUSB0");
    std::filesystem::create_symlink(usb / "1.0", root.Root() / "sys/class/tty/ttyUSB0/device");
    WriteSystemFile(root.Root() / "dev/ttyUSB0", "");
    ::chmod((root.Root() / "dev/ttyUSB0").c_str(), 0660);

    const test::CommandResult missingRule = RunCli({"doctor", "--system-root", root.path()});
    EXPECT_EQ(missingRule.exitCode, 1) << missingRule.out;
    EXPECT_NE(missingRule.out.find("Port: COM33 (/dev/ttyUSB0)"), std::string::npos) << missingRule.out;
    EXPECT_NE(missingRule.out.find("PROBLEM  no udev rule"), std::string::npos) << missingRule.out;

    WriteSystemFile(root.Root() / "etc/udev/rules.d/60-skarnel-cable.rules",
                    "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"10c4\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"");
    const test::CommandResult healthy = RunCli({"doctor", "--system-root", root.path()});
    EXPECT_EQ(healthy.exitCode, 0) << healthy.out;
    EXPECT_EQ(healthy.out.find("PROBLEM"), std::string::npos) << healthy.out;
}

TEST(CliIntegration, MissingPortSaysWhy)
{
    const test::CommandResult result = RunCli({"--port", "/dev/skarnel-no-such-port", "clock", "read"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "Port Open Fail\n/dev/skarnel-no-such-port: No such file or directory\n");
}

TEST(SimulatorProcess, ShowsTheDisplayAndEndsCleanlyOnTerminate)
{
    SimProcess sim({"--show-display"});
    const std::unique_ptr<CRS232> port = PosixConnectionFactory().MakeConnection();
    ASSERT_TRUE(port->OpenPort(SerialPortId::FromPath(sim.DevicePath()), 115200));
    port->ClosePort();
    std::string output;
    EXPECT_EQ(sim.Stop(&output), 0);
}

}  // namespace
}  // namespace skarnel
