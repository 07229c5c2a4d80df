#include "base/reporter.h"
#include "telemetry/gps_coordinates.h"
#include "telemetry/log_loader.h"
#include "tests/support/processes.h"
#include "tests/support/temp_folder.h"
#include "tests/telemetry/recording_log_rows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace skarnel {
namespace {

using Lines = std::vector<std::string>;

// The command line keeps its temporary recording under SKARNEL_HOME, here a test folder.
class ApplicationHome {
public:
    explicit ApplicationHome(const std::string& folder)
    {
        if (const char* old = std::getenv("SKARNEL_HOME"))
            old_ = old;
        ::setenv("SKARNEL_HOME", folder.c_str(), 1);
    }
    ~ApplicationHome()
    {
        if (old_.empty())
            ::unsetenv("SKARNEL_HOME");
        else
            ::setenv("SKARNEL_HOME", old_.c_str(), 1);
    }

private:
    std::string old_;
};

template <typename Record> Record RowRecord(const test::RecordingLogRows::Row& row)
{
    Record record;
    EXPECT_EQ(row.bytes.size(), sizeof record);
    std::memcpy(static_cast<void*>(&record), row.bytes.data(), sizeof record);
    return record;
}

// A recording through skarnel-sim on a PTY whose file loads back with what the simulator sent:
// its fixed receiver bytes, its GPS module's laps around the field given, a line per record.
TEST(LiveLogCli, RecordsThroughTheSimulatorAndSavesWhatItSent)
{
    test::TempFolder folder;
    ApplicationHome home(folder.path());
    test::SimProcess sim({"--sensor", "gps", "--gps-start", "48.1,-11.5"});
    const test::CommandResult result =
        test::RunCli({"--port", sim.DevicePath(), "log", "record", "-o", folder.Path("flight"), "--duration", "1.5"});
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    const Lines lines = test::OutputLines(result.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("Log Data Saved  " + folder.Path("flight.cld") + "  ", 0), 0u) << lines.back();
    EXPECT_FALSE(folder.Exists("Controller_Live_Log/Log_Temp.cld")) << "the temporary file goes once saved";

    test::RecordingLogRows rows;
    ASSERT_TRUE(LoadLogFile(folder.Path("flight.cld"), rows, NullReporter::Instance()));
    int receivers = 0, gps = 0;
    for (const auto& row : rows.rows) {
        if (row.list == "Receiver") {
            const auto receiver = RowRecord<ReceiverData>(row);
            EXPECT_EQ(receiver.reply0, 1);
            EXPECT_FLOAT_EQ(receiver.lowVolt, 4.4f);
            ++receivers;
        } else if (row.list == "GPS") {
            const auto record = RowRecord<GpsData>(row);
            EXPECT_NEAR(GpsDegrees({record.nsHigh, record.nsLow, record.ns}), 48.1, 0.002);
            EXPECT_NEAR(GpsDegrees({record.ewHigh, record.ewLow, record.ew}), -11.5, 0.003);
            EXPECT_NE(record.ew, 0) << "west";
            ++gps;
        }
    }
    EXPECT_GE(receivers, 2);
    EXPECT_EQ(gps, receivers);

    const test::CommandResult info = test::RunCli({"log", "info", folder.Path("flight.cld")});
    EXPECT_EQ(info.exitCode, 0) << info.out;
    const Lines infoLines = test::OutputLines(info.out);
    ASSERT_EQ(infoLines.size(), 4u) << info.out;
    EXPECT_EQ(infoLines[0], "Format  live log (.cld)");
    EXPECT_EQ(infoLines[1], "Records  " + std::to_string(receivers));
    EXPECT_EQ(infoLines[2].rfind("End  + 1.", 0), 0u) << infoLines[2];
    EXPECT_EQ(infoLines[3], "Sensors  gps");
}

// Without -o and without a terminal the save question is answered No; --yes takes the offered
// name in the log folder. A dead link ends the recording with the read failure, still saved.
TEST(LiveLogCli, AsksToSaveAsTheWindowDoes)
{
    test::TempFolder folder;
    ApplicationHome home(folder.path());
    test::SimProcess sim({"--sensor", "none"});
    const test::CommandResult declined =
        test::RunCli({"--port", sim.DevicePath(), "log", "record", "--duration", "0.5"});
    EXPECT_EQ(declined.exitCode, 0) << declined.out << declined.err;
    EXPECT_EQ(test::OutputLines(declined.out).back(), "Log Data Not Saved");
    EXPECT_FALSE(folder.Exists("Controller_Live_Log/Log_Temp.cld"));

    test::SimProcess dead({"--sensor", "none", "--dead-link-after", "0"});
    const test::CommandResult taken = test::RunCli({"--yes", "--port", dead.DevicePath(), "log", "record"});
    EXPECT_EQ(taken.exitCode, 1) << taken.out << taken.err;
    const Lines lines = test::OutputLines(taken.out);
    ASSERT_GE(lines.size(), 2u) << taken.out;
    EXPECT_EQ(lines[lines.size() - 2], "Log Data Read Fail");
    EXPECT_NE(lines.back().find("/Controller_Live_Log/LiveLog_"), std::string::npos) << lines.back();
    EXPECT_NE(lines.back().find(".cld  1 records"), std::string::npos) << lines.back();
}

TEST(LiveLogCli, InfoOfADamagedFileFailsWithTheLoadersText)
{
    test::TempFolder folder;
    const std::string path = folder.Write("short.cld", std::vector<uint8_t>(40, 0));
    const test::CommandResult result = test::RunCli({"--quiet", "log", "info", path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "Log file size mismatch\n");
}

}  // namespace
}  // namespace skarnel
