#include "link/connection_factory.h"
#include "tests/support/processes.h"

#include <gtest/gtest.h>
#include <memory>

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
    EXPECT_EQ(RunCli({"--help"}).exitCode, 0);
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
