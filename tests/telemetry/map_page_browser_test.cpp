#include "telemetry/map_page.h"
#include "tests/support/processes.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

namespace skarnel::test {
namespace {

constexpr const char* kChromium = "/usr/bin/chromium";

// A path wandering north-east from 48° 7' N 11° 30' E.
std::vector<GpsData> Flight(int rows)
{
    std::vector<GpsData> flight;
    for (int row = 0; row < rows; ++row) {
        GpsData record{};
        record.nsHigh = 4807;
        record.nsLow = row * 37;
        record.ewHigh = 1130;
        record.ewLow = (row * row * 7) % 9000;
        record.rxsq = 60;
        flight.push_back(record);
    }
    return flight;
}

// The page after its scripts ran, as headless Chromium saw it. Every host name resolves to
// nothing, so the tiles fail at once and nothing leaves the machine.
std::string RenderedPage(const TempFolder& folder)
{
    const CommandResult run =
        RunCommand({"/usr/bin/timeout", "60", kChromium, "--headless", "--no-sandbox", "--disable-gpu",
                    "--user-data-dir=" + folder.Path("profile"), "--host-resolver-rules=MAP * ~NOTFOUND", "--dump-dom",
                    "file://" + folder.Path("Street_Map.html")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return run.out;
}

std::string Match(const std::string& text, const std::string& pattern)
{
    std::smatch match;
    return std::regex_search(text, match, std::regex(pattern)) ? match[1].str() : std::string();
}

struct BrowserCase {
    int rows;
    bool liveLog;
    size_t points;  // the path's rows and the closing last row
};

TEST(MapPageInBrowser, StreetMapDrawsEveryPointOfThePath)
{
    if (!std::filesystem::exists(kChromium))
        GTEST_SKIP() << "chromium is not installed";
    const BrowserCase cases[] = {{57, false, 13}, {40, true, 41}, {1, true, 2}};
    for (const BrowserCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << (c.liveLog ? " live" : " controller"));
        TempFolder folder;
        std::string error;
        ASSERT_TRUE(WriteMapPages(folder.Root(), Flight(c.rows), c.liveLog, error)) << error;
        const std::string dom = RenderedPage(folder);

        EXPECT_EQ(Match(dom, "data-path-points=\"([0-9]+)\""), std::to_string(c.points));
        // The red line Leaflet drew: one vertex per point, none smoothed away.
        const std::string line = Match(dom, "<path[^>]*stroke=\"#FF0000\"[^>]*stroke-width=\"2\"[^>]* d=\"([^\"]*)\"");
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(size_t(std::count_if(line.begin(), line.end(),
                                       [](char command) { return command == 'M' || command == 'L'; })),
                  c.points);
        EXPECT_NE(dom.find("title=\"Start\""), std::string::npos);
        EXPECT_NE(dom.find("title=\"Finish\""), std::string::npos);
        EXPECT_NE(dom.find("src=\"https://tile.openstreetmap.org/"), std::string::npos);
        EXPECT_NE(dom.find("<a href=\"https://www.openstreetmap.org/copyright\">OpenStreetMap</a> contributors"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace skarnel::test
