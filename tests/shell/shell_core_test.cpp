#include "link/serial_port_id.h"
#include "base/app_folder.h"
#include "shell/commands.h"
#include "shell/log_row.h"
#include "shell/menu_mnemonics.h"
#include "shell/menu_tree.h"
#include "shell/startup_port.h"
#include "shell/status_texts.h"
#include "shell/view_table.h"
#include "tests/support/sysfs_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

namespace skarnel {
namespace {

EnvironmentLookup Environment(std::map<std::string, std::string> values)
{
    return [values](const std::string& name) -> std::optional<std::string> {
        const auto found = values.find(name);
        if (found == values.end() || found->second.empty())
            return std::nullopt;
        return found->second;
    };
}

TEST(ApplicationFolder, PrefersSkarnelHomeThenXdgDataThenHome)
{
    EXPECT_EQ(ApplicationFolderPath(Environment({{"SKARNEL_HOME", "/a"}, {"XDG_DATA_HOME", "/b"}, {"HOME", "/c"}})),
              "/a");
    EXPECT_EQ(ApplicationFolderPath(Environment({{"XDG_DATA_HOME", "/b"}, {"HOME", "/c"}})), "/b/skarnel");
    EXPECT_EQ(ApplicationFolderPath(Environment({{"SKARNEL_HOME", ""}, {"HOME", "/c"}})), "/c/.local/share/skarnel");
}

TEST(ApplicationFolder, IsCreatedOnFirstUse)
{
    test::TempFolder temp;
    const auto home = std::filesystem::path(temp.Path("new")) / "home";
    std::string error;
    const auto folder = EnsureApplicationFolder(error, Environment({{"SKARNEL_HOME", home.string()}}));
    ASSERT_TRUE(folder) << error;
    EXPECT_TRUE(std::filesystem::is_directory(home));
    EXPECT_EQ(MapPagePath(*folder), home / "New_Map.html");
}

TEST(ApplicationFolder, ReportsAFolderThatCannotBeMade)
{
    test::TempFolder temp;
    const auto blocker = std::filesystem::path(temp.Path("file"));
    std::ofstream(blocker) << "x";
    std::string error;
    EXPECT_FALSE(EnsureApplicationFolder(error, Environment({{"SKARNEL_HOME", (blocker / "sub").string()}})));
    EXPECT_NE(error.find(blocker.string()), std::string::npos);
}

struct StartupCase {
    const char* name;
    std::optional<std::string> commandLine;
    int bridge;
    int stored;
    std::string expectedPane;
    bool expectedStore;
};

void PrintTo(const StartupCase& c, std::ostream* out)
{
    *out << c.name;
}

class StartupPortTest : public testing::TestWithParam<StartupCase> {};

TEST_P(StartupPortTest, ChoosesAndShowsThePort)
{
    const StartupCase& c = GetParam();
    std::optional<SerialPortId> commandLine;
    if (c.commandLine)
        commandLine = SerialPortId::Parse(*c.commandLine);
    const StartupPort choice = ChooseStartupPort(commandLine, c.bridge, c.stored);
    EXPECT_EQ(PortPaneText(choice.port), c.expectedPane);
    EXPECT_EQ(choice.store, c.expectedStore);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupPortTest,
    testing::Values(StartupCase{"NothingStored", std::nullopt, 0, kNoStoredPort, " Port : Com1", false},
                    StartupCase{"Stored", std::nullopt, 0, 5, " Port : Com5", false},
                    StartupCase{"StoredNone", std::nullopt, 0, 0, " Port : None ", false},
                    StartupCase{"BridgeWinsAndIsStored", std::nullopt, 33, 5, " Port : Com33", true},
                    StartupCase{"CommandLineNumber", "7", 33, 5, " Port : Com7", false},
                    StartupCase{"CommandLineNode", "/dev/ttyUSB1", 33, 5, " Port : Com34", false},
                    StartupCase{"CommandLinePty", "/dev/pts/7", 33, 5, " Port : /dev/pts/7 ", false}),
    [](const testing::TestParamInfo<StartupCase>& testInfo) { return testInfo.param.name; });

TEST(StatusTexts, ShowTheBaudRate)
{
    EXPECT_EQ(BaudPaneText(115200), " Baud : 115200");
}

TEST(ViewTable, HoldsTheTwentyTwoViewsInOrder)
{
    EXPECT_STREQ(ViewSpecFor(kViewFirmware).title, "Firmware Upgrade");
    EXPECT_STREQ(ViewSpecFor(kViewModelConversion).title, "Model Data Conversion ");
    EXPECT_STREQ(ViewSpecFor(kViewGpsCurve).className, "CGPS_Curve_View");
    const ViewSpec& time = ViewSpecFor(kViewControllerTime);
    EXPECT_EQ(time.width, 550);
    EXPECT_EQ(time.height, 380);
    EXPECT_TRUE(time.fixedSize);
    EXPECT_FALSE(IsViewIndex(kViewCount));
    EXPECT_FALSE(IsViewIndex(-1));
}

TEST(ViewTable, MapsSensorTypesToTheirLiveViews)
{
    EXPECT_EQ(SensorViewIndex(0x89), kViewLiveSensorVario);
    EXPECT_EQ(SensorViewIndex(0x8A), kViewLiveSensorGps);
    EXPECT_EQ(SensorViewIndex(0x8D), kViewLiveSensorGeneral);
    EXPECT_EQ(SensorViewIndex(0x8E), kViewLiveSensorElectric);
    EXPECT_EQ(SensorViewIndex(0x8B), -1);
}

void CollectCommands(const std::vector<MenuEntry>& entries, std::vector<int>& ids)
{
    for (const MenuEntry& entry : entries) {
        if (entry.commandId != 0)
            ids.push_back(entry.commandId);
        CollectCommands(entry.items, ids);
    }
}

TEST(Commands, EveryMenuItemAndToolbarButtonHasATarget)
{
    std::vector<int> ids;
    CollectCommands(MainMenu(), ids);
    ids.insert(ids.end(), ToolbarCommands().begin(), ToolbarCommands().end());
    for (int id : ids)
        EXPECT_TRUE(TargetOfCommand(id)) << id;
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).count(kCmdFirmwareMerge), 1u);
    EXPECT_FALSE(TargetOfCommand(12345));
}

TEST(Commands, OpenTheViewsOfTheTable)
{
    const std::pair<int, int> cases[] = {
        {kCmdFirmwareUpgrade, 0},  {kCmdVoiceDownload, 6},    {kCmdControllerTimeSetup, 9},
        {kCmdModelBackup, 4},      {kCmdModelConversion, 18}, {kCmdSdCardControl, 19},
        {kCmdFileLogView, 7},      {kCmdFileLogViewAlias, 7}, {kCmdMonitorRfDbm, 10},
        {kCmdRfDbmAlias, 10},      {kCmdMonitorReceiver, 14}, {kCmdMonitorGeneral, 13},
        {kCmdMonitorElectric, 15}, {kCmdMonitorVario, 17},    {kCmdMonitorGps, 16},
        {kCmdGpsMap, 20},          {kCmdGpsFlightPath, 21},   {kCmdFirmwareMerge, 2},
        {kCmdGangFile, 3},         {kCmdRfDbmFile, 8},        {kCmdLiveLogSensor, 12},
        {kCmdLiveLogCell, 11},
    };
    for (const auto& [id, view] : cases) {
        const auto target = TargetOfCommand(id);
        ASSERT_TRUE(target) << id;
        EXPECT_EQ(target->action, CommandAction::OpenView) << id;
        EXPECT_EQ(target->value, view) << id;
    }
    EXPECT_EQ(TargetOfCommand(kCmdLanguage1)->action, CommandAction::Language);
    EXPECT_EQ(TargetOfCommand(kCmdLanguage1)->value, 1);
    EXPECT_STREQ(CommandText(kCmdAbout), "Skarnel Info(&A)...");
}

TEST(MenuMnemonics, EachTextOfAMenuGetsALetterOfItsOwnAndReadsAsBefore)
{
    struct Case {
        std::vector<std::string> texts;
        std::vector<std::string> marked;
    };
    const Case cases[] = {
        {{"Menu", "Controller Log", "Monitor", "Tools", "About (&H)"},
         {"&Menu", "&Controller Log", "M&onitor", "&Tools", "About (&H)"}},
        // A text's own letter is kept even when an earlier text would have taken it.
        {{"Help", "About (&H)"}, {"H&elp", "About (&H)"}},
        // Word starts first, case does not tell letters apart, "&&" stays a literal '&'.
        {{"Model Backup", "model Conversion", "Save && Quit"}, {"&Model Backup", "model &Conversion", "&Save && Quit"}},
        {{"ab", "ba", "AB"}, {"&ab", "&ba", "AB"}},
        {{"--", "RF DBM - File"}, {"--", "&RF DBM - File"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithMnemonics(c.texts), c.marked);
        for (size_t i = 0; i < c.texts.size(); ++i)
            EXPECT_EQ(WithoutMnemonic(c.marked[i]), WithoutMnemonic(c.texts[i]));
    }
    EXPECT_EQ(WithoutMnemonic("Skarnel Info(&A)..."), "Skarnel Info(A)...");
    EXPECT_EQ(WithoutMnemonic("Save && &Quit"), "Save & Quit");
}

TEST(MenuTree, KeepsItsStructureInBothTextSets)
{
    EXPECT_EQ(MenuText(0, 6), "Time Setup");
    EXPECT_EQ(MenuText(1, 6), "Controller Time Setup_d");
    EXPECT_EQ(MenuText(2, 7), "Model Data_d");
    EXPECT_EQ(MenuText(1, 15), "GPS Map");
    const auto& items = MenuTreeItems();
    EXPECT_EQ(items.front().data, -1);
    EXPECT_EQ(items[2].data, kRequestPortSelect);
    EXPECT_EQ(items[5].data, kViewControllerTime);
    EXPECT_EQ(items.back().data, kViewLogSensor);
    for (const MenuTreeItem& item : items)
        EXPECT_LT(item.image, kMenuImageCount);
}

TEST(LogRow, FormatsNumberAndTime)
{
    EXPECT_EQ(LogNumberText(12), "12");
    std::tm when{};
    when.tm_year = 2011 - 1900;
    when.tm_mon = 2;
    when.tm_mday = 28;
    when.tm_hour = 14;
    when.tm_min = 30;
    when.tm_sec = 5;
    when.tm_isdst = -1;
    EXPECT_EQ(LogCalendarTimeText(std::mktime(&when)), "2011-03-28 (14:30:05)");
}

}  // namespace
}  // namespace skarnel
