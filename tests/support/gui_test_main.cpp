#include <QApplication>
#include <gtest/gtest.h>

// GUI tests need the application object; listing them (test discovery) does not, so that
// discovery works without a display.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
