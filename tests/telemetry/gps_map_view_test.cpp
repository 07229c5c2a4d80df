#include "shell/app_settings.h"
#include "shell/explorer.h"
#include "shell/main_frame.h"
#include "shell/settings_keys.h"
#include "shell/view_frame.h"
#include "telemetry/map_page.h"
#include "telemetry/views/gps_map_view.h"
#include "telemetry/views/live_telemetry_hub.h"
#include "tests/support/gui_support.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

#ifdef SKARNEL_HAVE_WEBENGINE
#include <QWebEngineSettings>
#include <QWebEngineView>
#endif

namespace skarnel::test {
namespace {

namespace fs = std::filesystem;

std::vector<GpsData> TwoRows()
{
    GpsData row{};
    row.nsHigh = 4807;
    row.nsLow = 1234;
    row.ewHigh = 1130;
    row.rxsq = 60;
    return {row, row};
}

// The frame's application folder starts without map pages in every test.
struct MapFrame : FrameFixture {
    MapFrame() : FrameFixture(TestFrameOptions())
    {
        for (MapPageKind kind : {MapPageKind::Street, MapPageKind::Provider})
            fs::remove(MapPageFile(Folder(), kind));
        ShowOffScreen(*frame);
        view = dynamic_cast<CGPS_Map_View*>(frame->OpenView(kViewGpsMap));
    }
    const fs::path& Folder() const { return frame->ApplicationFolder(); }
    QString Page(MapPageKind kind) const { return QString::fromStdString(MapPageFile(Folder(), kind).string()); }
    void WritePages() const
    {
        std::string error;
        ASSERT_TRUE(WriteMapPages(Folder(), TwoRows(), true, error)) << error;
    }

    CGPS_Map_View* view = nullptr;
};

TEST(GpsMapView, OpensAsGoogleMapWithTheButtonAboveTheBrowser)
{
    MapFrame f;
    ASSERT_NE(f.view, nullptr);
    EXPECT_EQ(f.frame->FindFrame(kViewGpsMap)->windowTitle(), "GPS - Google Map");
    EXPECT_EQ(f.view->LoadButton()->text(), "Load Latest Path");
    EXPECT_EQ(f.view->LoadButton()->pos(), QPoint(5, 5));
    EXPECT_LE(f.view->LoadButton()->geometry().bottom(), 45);
    EXPECT_EQ(f.view->Browser()->geometry(), QRect(5, 50, f.view->width() - 10, f.view->height() - 55));
    EXPECT_GE(f.view->LoadButton()->width(), f.view->LoadButton()->sizeHint().width());
    EXPECT_TRUE(f.view->Browser()->Page().isEmpty());
}

TEST(GpsMapView, LoadLatestPathShowsTheStreetMapByDefault)
{
    MapFrame f;
    f.WritePages();
    f.view->LoadButton()->click();
    EXPECT_EQ(f.view->Browser()->Page(), f.Page(MapPageKind::Street));
}

TEST(GpsMapView, WithoutAPageTheBrowserStaysAsItWas)
{
    MapFrame f;
    f.view->LoadButton()->click();
    f.frame->LiveData().Update(kViewGpsMap, [](LiveTelemetry&) {});
    EXPECT_TRUE(f.view->Browser()->Page().isEmpty());

    f.WritePages();
    f.view->LoadButton()->click();
    fs::remove(MapPageFile(f.Folder(), MapPageKind::Street));
    f.view->LoadButton()->click();
    EXPECT_EQ(f.view->Browser()->Page(), f.Page(MapPageKind::Street));
}

TEST(GpsMapView, TheReplaysNotificationLoadsThePageOthersDoNot)
{
    MapFrame f;
    f.WritePages();
    f.frame->LiveData().Update(kViewGpsCurve, [](LiveTelemetry&) {});
    EXPECT_TRUE(f.view->Browser()->Page().isEmpty());
    f.frame->LiveData().Update(kViewGpsMap, [](LiveTelemetry&) {});
    EXPECT_EQ(f.view->Browser()->Page(), f.Page(MapPageKind::Street));
}

TEST(GpsMapView, TheChosenPageIsShownAndRemembered)
{
    MapFrame f;
    f.WritePages();
    ASSERT_EQ(f.view->PageChooser()->count(), 2);
    EXPECT_EQ(f.view->PageChooser()->currentText(), "Street Map");
    f.view->PageChooser()->setCurrentIndex(1);
    emit f.view->PageChooser()->activated(1);
    EXPECT_EQ(f.view->PageChooser()->currentText(), "Google Map");
    EXPECT_EQ(f.view->Browser()->Page(), f.Page(MapPageKind::Provider));
    EXPECT_EQ(f.settings->ReadText(kKeyMapProvider), "provider");

    f.frame->FindFrame(kViewGpsMap)->close();
    QApplication::processEvents();
    auto* again = dynamic_cast<CGPS_Map_View*>(f.frame->OpenView(kViewGpsMap));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->PageChooser()->currentText(), "Google Map");
    again->LoadButton()->click();
    EXPECT_EQ(again->Browser()->Page(), f.Page(MapPageKind::Provider));
}

#ifdef SKARNEL_HAVE_WEBENGINE
// The pages are local files; without this the web engine fetches none of their tiles or scripts.
TEST(GpsMapView, TheLocalPageMayFetchItsMapFromTheNetwork)
{
    MapFrame f;
    auto* web = f.view->Browser()->findChild<QWebEngineView*>();
    ASSERT_NE(web, nullptr);
    EXPECT_TRUE(web->settings()->testAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls));
}
#endif

}  // namespace
}  // namespace skarnel::test
