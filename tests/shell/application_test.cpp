#include "sim/controller_log.h"
#include "telemetry/telemetry_records.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/gui_support.h"
#include "tests/support/old_file.h"
#include "tests/support/processes.h"
#include "tests/support/sysfs_fixture.h"

#include <QImage>

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

CommandResult RunApplication(const TempFolder& folder, std::vector<std::string> arguments)
{
    std::vector<std::string> argv{SKARNEL_GUI_BINARY, "--settings", folder.Path("settings.ini")};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunCommand(argv);
}

TEST(Application, RendersAScreenshotOfAViewAndExits)
{
    SKIP_WHERE_QT_STARTS_THREADS();
    TempFolder folder;
    SimProcess sim;
    const std::string png = folder.Path("time.png");
    const CommandResult result =
        RunApplication(folder, {"--port", sim.DevicePath(), "--screenshot", png, "--view", "9"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(1280, 800));
}

// A disk that fills up while the picture is written keeps the picture of that name before.
TEST(Application, AScreenshotThatCannotBeWrittenWholeKeepsTheOldFile)
{
    SKIP_WHERE_QT_STARTS_THREADS();
    TempFolder folder;
    const OldFile old(folder.Root() / "main.png", PatternBytes(100, 9));
    const CommandResult result = UnderFileSizeLimit(4096, [&] {
        return RunApplication(folder, {"--screenshot", old.path().string()});
    });
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("skarnel: cannot write " + old.path().string()), std::string::npos) << result.err;
    EXPECT_TRUE(old.Kept());
    EXPECT_EQ(PartFilesUnder(folder.Root()), std::vector<std::string>{});
}

// The file log viewer with a log loaded and columns plotted; a log or a column that is not
// there is told and no picture is taken.
TEST(Application, ScreenshotsTheLogViewerWithAPlot)
{
    SKIP_WHERE_QT_STARTS_THREADS();
    TempFolder folder;
    const std::string log = folder.Path("flight.bin");
    ASSERT_TRUE(sim::WriteSimulatedControllerLog(log, 3000, kSensorGps));
    const std::string png = folder.Path("plot.png");
    const CommandResult shown =
        RunApplication(folder, {"--screenshot", png, "--log", log, "--plot", "Channel: Ch01, Receiver: Recv Volt"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(1280, 800));

    const CommandResult noColumn =
        RunApplication(folder, {"--screenshot", folder.Path("x.png"), "--log", log, "--plot", "Channel: Ch99"});
    EXPECT_EQ(noColumn.exitCode, 1);
    EXPECT_NE(noColumn.err.find("skarnel: no column \"Channel: Ch99\" to plot"), std::string::npos) << noColumn.err;
    const CommandResult noLog =
        RunApplication(folder, {"--screenshot", folder.Path("x.png"), "--log", folder.Path("none.bin")});
    EXPECT_EQ(noLog.exitCode, 1);
    EXPECT_NE(noLog.err.find("skarnel: cannot load"), std::string::npos) << noLog.err;
    EXPECT_FALSE(folder.Exists("x.png"));
}

TEST(Application, RefusesABadCommandLine)
{
    TempFolder folder;
    EXPECT_EQ(RunApplication(folder, {"--view", "22", "--screenshot", "x.png"}).exitCode, 2);
    EXPECT_EQ(RunApplication(folder, {"--no-such-option"}).exitCode, 2);
    EXPECT_EQ(RunApplication(folder, {"--port", "abc", "--screenshot", "x.png"}).exitCode, 2);
}

// The last view to be built, the map view (with its web engine), renders like every other.
TEST(Application, ScreenshotsTheMapView)
{
    TempFolder folder;
    const CommandResult mapView = RunApplication(folder, {"--screenshot", folder.Path("x.png"), "--view", "20"});
    EXPECT_EQ(mapView.exitCode, 0) << mapView.err;
    EXPECT_TRUE(folder.Exists("x.png"));
}

}  // namespace
}  // namespace skarnel::test
