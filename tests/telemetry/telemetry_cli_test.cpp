#include "telemetry/live_log_file.h"
#include "tests/support/processes.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using test::RunCli;
using test::SimProcess;
using Lines = std::vector<std::string>;

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

struct SnapshotCase {
    const char* sensor;
    const char* typeLine;
    const char* moduleLine;  // the start of the last line; nothing for a receiver only
};

TEST(TelemetryCli, ReadPrintsOneSnapshotOfEveryRecord)
{
    const SnapshotCase cases[] = {
        {"gps", "Sensor Type  0x8A GPS", "GPS  RF RXSQ "},
        {"none", "Sensor Type  0x80 none", nullptr},
    };
    for (const SnapshotCase& c : cases) {
        SimProcess sim({"--sensor", c.sensor});
        const test::CommandResult result = RunCli({"--port", sim.DevicePath(), "telemetry", "read"});
        EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
        const Lines lines = test::OutputLines(result.out);
        ASSERT_EQ(lines.size(), c.moduleLine ? 5u : 4u) << result.out;
        EXPECT_EQ(lines[0], c.typeLine);
        EXPECT_TRUE(StartsWith(lines[1], "Tx Level  ")) << lines[1];
        EXPECT_TRUE(StartsWith(lines[2], "Rx Level  ")) << lines[2];
        EXPECT_TRUE(StartsWith(lines[3], "Receiver  RF RXSQ ")) << lines[3];
        EXPECT_NE(lines[3].find("  Recv Volt "), std::string::npos) << lines[3];
        if (c.moduleLine) {
            EXPECT_TRUE(StartsWith(lines[4], c.moduleLine)) << lines[4];
        }
        EXPECT_TRUE(result.err.empty()) << result.err;
    }
}

TEST(TelemetryCli, ReadThatFailsEndsWithItsFinalText)
{
    SimProcess sim({"--sensor", "vario", "--fault", "no-reply,group=4,code=0x34,count=3"});
    const test::CommandResult result = RunCli({"--port", sim.DevicePath(), "telemetry", "read"});
    EXPECT_EQ(result.exitCode, 1);
    const Lines lines = test::OutputLines(result.out);
    ASSERT_EQ(lines.size(), 6u) << result.out;
    EXPECT_EQ(lines[3], "Receiver Read Fail");
    EXPECT_TRUE(StartsWith(lines[4], "Vario  RF RXSQ ")) << lines[4];
    EXPECT_EQ(lines[5], "Telemetry Read Fail");
}

TEST(TelemetryCli, LogShowPrintsTheRowsOfALiveLog)
{
    test::TempFolder folder;
    const std::string path = folder.Path("flight.cld");
    LiveLogWriter writer;
    ASSERT_TRUE(writer.Create(path));
    LiveLogRecord record;
    record.receiverTime = 5;
    record.receiver.rxsq = 72;
    record.receiver.recvVolt = 5.0f;
    record.rfTime = 12;
    record.rf.txLevel[0] = 33;
    record.varioTime = 250;
    record.vario.rxsq = 61;
    record.vario.alt10sec = -1.25f;
    ASSERT_TRUE(writer.Append(record) && writer.Close());

    const test::CommandResult result = RunCli({"log", "show", path});
    EXPECT_EQ(result.exitCode, 0) << result.out;
    const Lines lines = test::OutputLines(result.out);
    ASSERT_EQ(lines.size(), 4u) << result.out;
    EXPECT_EQ(lines[0], "Receiver 1  + 0.05 sec  RF RXSQ 72  Quality 0  Strength 0  Loss Pack 0  Recv Volt 5.0  "
                        "Low Volt 0.0  Recv Temp 0");
    EXPECT_TRUE(StartsWith(lines[1], "RF RXSQ 1  + 0.12 sec  Tx_01 33  Tx_02 0  ")) << lines[1];
    EXPECT_EQ(lines[2], "Vario 1  + 2.50 sec  RF RXSQ 61  Altitude 0  Alt Max 0  Alt Min 0  Alt 1sec 0.0  "
                        "Alt 3sec 0.0  Alt 10sec -1.2");
    EXPECT_EQ(lines[3], "Log End  + 2.50 sec");
}

TEST(TelemetryCli, LogShowPrintsTheRowsOfAControllerLog)
{
    test::TempFolder folder;
    std::vector<uint8_t> record(64, 0);
    record[1] = 12;
    record[2] = 6;
    record[3] = 44;
    record[4] = 55;
    record[8] = 0xB8;  // channel 1: 3000
    record[9] = 0x0B;
    record[7] = 0x80;
    record[36 + 1] = 50;
    record[36 + 2] = 45;
    record[36 + 3] = 20;
    const std::string path = folder.Write("LOG0001.BIN", record);
    const test::CommandResult result = RunCli({"log", "show", path});
    EXPECT_EQ(result.exitCode, 0) << result.out;
    const Lines lines = test::OutputLines(result.out);
    ASSERT_EQ(lines.size(), 4u) << result.out;
    EXPECT_EQ(lines[0], "RF RXSQ 1  + 0.00 sec  Channel 12  Tx 44  Rx 55");
    EXPECT_TRUE(StartsWith(lines[1], "Channel 1  + 0.00 sec  Ch01 1500  Ch02 0  ")) << lines[1];
    EXPECT_EQ(lines[2], "Receiver 1  + 0.00 sec  RF RXSQ 62  Quality 0  Strength 85  Loss Pack 0  Recv Volt 5.0  "
                        "Low Volt 0.0  Recv Temp 25");
    EXPECT_EQ(lines[3], "Log End  + 0.01 sec");
}

TEST(TelemetryCli, LogShowOfADamagedFileFailsWithTheLoadersText)
{
    test::TempFolder folder;
    const std::string path = folder.Write("short.cld", std::vector<uint8_t>(40, 0));
    const test::CommandResult result = RunCli({"--quiet", "log", "show", path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "Log file size mismatch\n");
    const test::CommandResult missing = RunCli({"log", "show", folder.Path("none.bin")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "Log file can't be open\n");
}

}  // namespace
}  // namespace skarnel
