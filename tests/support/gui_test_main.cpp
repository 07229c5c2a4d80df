#include "shell/explorer.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Each test process keeps its application folder (the live log's temporary recording, the
// settings' files) in a folder of its own, so that tests running side by side never share one.
std::filesystem::path MakeOwnApplicationFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "skarnel-home-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return {};
    ::setenv("SKARNEL_HOME", pattern.c_str(), 1);
    return pattern;
}

}  // namespace

// GUI tests need the application object; listing them (test discovery) does not, so that
// discovery works without a display.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    const std::filesystem::path home = MakeOwnApplicationFolder();
    skarnel::PrepareForWebView();
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    if (!home.empty())
        std::filesystem::remove_all(home, ignored);
    return result;
}
