#include "telemetry/live_log_save.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

TEST(LiveLogSave, ChosenNamesEndInCld)
{
    struct {
        const char* chosen;
        const char* saved;
    } const cases[] = {
        {"ab", "ab.cld"},
        {"", ".cld"},
        {"flight.CLD", "flight.CLD"},
        {"flight.cld", "flight.cld"},
        {"flight.txt", "flight.txt.cld"},
        {"flight", "flight.cld"},
        {".cld", ".cld"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CldSaveName(c.chosen), c.saved) << c.chosen;
}

TEST(LiveLogSave, PathsLieInTheLogFolderOfTheApplicationFolder)
{
    test::TempFolder folder;
    std::tm start{};
    start.tm_year = 2026 - 1900;
    start.tm_mon = 11;
    start.tm_mday = 10;
    start.tm_hour = 9;
    start.tm_min = 5;
    start.tm_sec = 7;
    const LiveLogPaths paths = PrepareLiveLogPaths(folder.Root(), start);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Root() / "Controller_Live_Log"));
    EXPECT_EQ(paths.tempFile, folder.Root() / "Controller_Live_Log" / "Log_Temp.cld");
    EXPECT_EQ(paths.defaultName, folder.Root() / "Controller_Live_Log" / "LiveLog_20261210(090507).cld");
    EXPECT_TRUE(PrepareLiveLogPaths({}, start).tempFile.empty()) << "nothing relative to the working folder";
}

TEST(LiveLogSave, CopiesTheRecordingAndRemovesTheTemporaryFile)
{
    test::TempFolder folder;
    const std::vector<uint8_t> bytes = test::PatternBytes(100'000, 3);
    const std::string temp = folder.Write("Log_Temp.cld", bytes);
    folder.Write("kept.cld", {1, 2, 3});
    const LiveLogSaveResult result = SaveLiveLog(temp, folder.Path("kept.cld"));
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(folder.Read("kept.cld"), bytes);
    EXPECT_FALSE(folder.Exists("Log_Temp.cld"));
}

TEST(LiveLogSave, SavingOntoTheTemporaryFileKeepsTheRecording)
{
    test::TempFolder folder;
    const std::vector<uint8_t> bytes = test::PatternBytes(5000, 4);
    const std::string temp = folder.Write("Log_Temp.cld", bytes);
    EXPECT_TRUE(SaveLiveLog(temp, folder.Root() / "." / "Log_Temp.cld").saved);
    EXPECT_EQ(folder.Read("Log_Temp.cld"), bytes);
}

TEST(LiveLogSave, AFailedCopyKeepsTheTemporaryFileAndSaysWhere)
{
    test::TempFolder folder;
    const std::vector<uint8_t> bytes = test::PatternBytes(5000, 5);
    const std::string temp = folder.Write("Log_Temp.cld", bytes);
    const LiveLogSaveResult result = SaveLiveLog(temp, folder.Path("no-such-folder/kept.cld"));
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(folder.Read("Log_Temp.cld"), bytes);
    EXPECT_NE(result.message.find("Log File Save Fail"), std::string::npos);
    EXPECT_NE(result.message.find(temp), std::string::npos);
}

}  // namespace
}  // namespace skarnel
