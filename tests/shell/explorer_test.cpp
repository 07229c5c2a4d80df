#include "shell/explorer.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace skarnel::test {
namespace {

bool WebEngineMapped()
{
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find("libQt6WebEngineCore") != std::string::npos)
            return true;
    return false;
}

// Before any test runs: this program is linked as the application is.
const bool kMappedAtStart = WebEngineMapped();

#ifdef SKARNEL_HAVE_WEBENGINE
// The web engine costs tens of megabytes at start: the application is not linked with it, and
// loads it when a page is first shown.
TEST(Explorer, TheWebEngineIsLoadedOnlyWhenAPageIsFirstShown)
{
    EXPECT_FALSE(kMappedAtStart);
    QWidget window;
    CExplorer explorer(&window);
    EXPECT_TRUE(CExplorer::HasEmbeddedView());
    EXPECT_TRUE(WebEngineMapped());
    EXPECT_TRUE(explorer.findChildren<QPushButton*>().isEmpty()) << "no fallback beside the embedded view";
}
#else
TEST(Explorer, WithoutTheWebEngineAPageOpensInTheDesktopsBrowser)
{
    CExplorer explorer;
    EXPECT_FALSE(CExplorer::HasEmbeddedView());
    EXPECT_FALSE(kMappedAtStart);
    explorer.Navigate("/tmp/New_Map.html");
    ASSERT_NE(explorer.findChild<QLabel*>(), nullptr);
    EXPECT_EQ(explorer.findChild<QLabel*>()->text(), "/tmp/New_Map.html");
    EXPECT_EQ(explorer.findChild<QPushButton*>()->text(), "Open in Browser");
}
#endif

TEST(Explorer, KeepsThePageItShows)
{
    CExplorer explorer;
    explorer.Navigate("/tmp/New_Map.html");
    EXPECT_EQ(explorer.Page(), "/tmp/New_Map.html");
}

}  // namespace
}  // namespace skarnel::test
