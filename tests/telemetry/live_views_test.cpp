#include "shell/commands.h"
#include "shell/main_frame.h"
#include "shell/view_frame.h"
#include "sim/telemetry_commands.h"
#include "telemetry/views/gps_curve_view.h"
#include "telemetry/views/live_chart_view.h"
#include "telemetry/views/live_log_dbm_view.h"
#include "telemetry/views/live_sensor_view.h"
#include "telemetry/views/live_telemetry_hub.h"
#include "tests/support/simulated_frame.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace skarnel::test {
namespace {

constexpr int kLiveViews[] = {kViewLiveLogDbm,        kViewLiveLogCell,        kViewLiveLogSensor,
                              kViewLiveSensorGeneral, kViewLiveSensorReceiver, kViewLiveSensorElectric,
                              kViewLiveSensorGps,     kViewLiveSensorVario,    kViewGpsCurve};

struct LiveViewsFrame : SimulatedFrameFixture {
    LiveViewsFrame() { ShowOffScreen(*frame); }
    template <class View> View* Open(int index) { return dynamic_cast<View*>(frame->OpenView(index)); }
    void Paint() { QApplication::processEvents(); }
    void Update(int view, const std::function<void(LiveTelemetry&)>& change) { frame->LiveData().Update(view, change); }

    RecordingMessageBoxes boxes;
};

// A record whose every byte is set, so that a copy of the wrong size or place shows.
template <class Record> Record Full(uint8_t fill)
{
    Record record;
    std::memset(static_cast<void*>(&record), fill, sizeof record);
    return record;
}

GpsData GpsAt(int nsHigh, int nsLow, int ewHigh, int ewLow)
{
    GpsData record{};
    record.nsHigh = nsHigh;
    record.nsLow = nsLow;
    record.ewHigh = ewHigh;
    record.ewLow = ewLow;
    record.rxsq = 60;
    return record;
}

// A path of count points going north-east from 48°N 11°E.
void AddPath(LiveTelemetry& live, int count)
{
    live.path.Reset();
    for (int point = 0; point < count; ++point)
        live.path.AddPoint(GpsAt(4800 + point / 10000, (point * 7) % 10000, 1100, (point * 3) % 10000), 0);
    live.path.SetCurrent(-1);
}

TEST(LiveViews, EveryLiveViewOpensAndPaintsEmptyAndFull)
{
    LiveViewsFrame f;
    for (int index : kLiveViews) {
        SCOPED_TRACE(index);
        ASSERT_NE(f.frame->OpenView(index), nullptr);
        f.Paint();
    }
    f.Update(0, [](LiveTelemetry& live) {
        live.general = Full<GeneralData>(0x7F);
        live.receiver = Full<ReceiverData>(0xFF);
        live.electric = Full<ElectricData>(0x41);
        live.vario = Full<VarioData>(0x80);
        live.gps = Full<GpsData>(0xFF);
        live.txLevel.fill(255);
        live.rxMax.fill(200);
        AddPath(live, 50);
    });
    for (int index : kLiveViews)
        f.Update(index, [](LiveTelemetry&) {});
    f.Paint();
    EXPECT_TRUE(f.boxes.Boxes().empty());
}

template <class View, class Record> void ExpectCopiedAndRepainted(int index, Record LiveTelemetry::*member)
{
    LiveViewsFrame f;
    auto* view = f.Open<View>(index);
    ASSERT_NE(view, nullptr);
    f.Paint();
    const int draws = view->Picture()->Draws();
    const Record empty{};
    EXPECT_EQ(std::memcmp(&view->Shown(), &empty, sizeof empty), 0) << "a new view starts from zero";

    const Record full = Full<Record>(0x21);
    f.Update(0, [&](LiveTelemetry& live) { live.*member = full; });
    f.Paint();
    EXPECT_EQ(std::memcmp(&view->Shown(), &empty, sizeof empty), 0) << "another view's notification";
    EXPECT_EQ(view->Picture()->Draws(), draws);

    f.Update(index, [](LiveTelemetry&) {});
    EXPECT_EQ(std::memcmp(&view->Shown(), &full, sizeof full), 0);
    f.Paint();
    EXPECT_EQ(view->Picture()->Draws(), draws + 1);

    f.Update(index, [&](LiveTelemetry& live) { live.*member = Record{}; });
    f.frame->FindFrame(index)->close();
    f.Paint();
    auto* reopened = f.Open<View>(index);
    EXPECT_EQ(std::memcmp(&reopened->Shown(), &empty, sizeof empty), 0);
}

TEST(LiveViews, SensorViewsCopyTheirRecordOnTheirNotificationAndRepaint)
{
    ExpectCopiedAndRepainted<CLive_Sensor_General_View>(kViewLiveSensorGeneral, &LiveTelemetry::general);
    ExpectCopiedAndRepainted<CLive_Sensor_Receiver_View>(kViewLiveSensorReceiver, &LiveTelemetry::receiver);
    ExpectCopiedAndRepainted<CLive_Sensor_Electric_View>(kViewLiveSensorElectric, &LiveTelemetry::electric);
    ExpectCopiedAndRepainted<CLive_Sensor_Gps_View>(kViewLiveSensorGps, &LiveTelemetry::gps);
    ExpectCopiedAndRepainted<CLive_Sensor_Vario_View>(kViewLiveSensorVario, &LiveTelemetry::vario);
}

TEST(LiveViews, SensorPictureFillsTheViewInsideItsMargin)
{
    LiveViewsFrame f;
    auto* view = f.Open<CLive_Sensor_Receiver_View>(kViewLiveSensorReceiver);
    view->resize(400, 320);
    EXPECT_EQ(view->Picture()->geometry(), QRect(5, 5, 390, 310));
}

TEST(LiveViews, RfViewShowsTxAboveRxFromItsCopy)
{
    LiveViewsFrame f;
    auto* view = f.Open<CLive_Log_DBM_View>(kViewLiveLogDbm);
    view->resize(370, 280);
    EXPECT_EQ(view->TxChart()->geometry(), QRect(5, 10, 360, 125));
    EXPECT_EQ(view->RxChart()->geometry(), QRect(5, 145, 360, 125));
    f.Paint();
    const int draws = view->RxChart()->Draws();
    f.Update(kViewLiveLogDbm, [](LiveTelemetry& live) {
        live.txLevel[3] = 70;
        live.rxMax[74] = 90;
    });
    EXPECT_EQ(view->TxLevels()[3], 70);
    EXPECT_EQ(view->RxMax()[74], 90);
    f.Paint();
    EXPECT_EQ(view->RxChart()->Draws(), draws + 1);
}

void Press(QWidget& widget, QPoint at, QEvent::Type type = QEvent::MouseButtonPress)
{
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Wheel(QWidget& widget, int notches)
{
    const QPoint at(widget.width() / 2, widget.height() / 2);
    QWheelEvent event(at, widget.mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::LeftButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

struct ScaleCase {
    const char* name;
    int upper, lower;
    bool upperRegion;
    int notches;  // each sent alone
    int expectUpper, expectLower;
};

TEST(LiveChartViews, WheelMovesTheLimitOfTheRegionPressedWithinItsRules)
{
    const ScaleCase cases[] = {
        {"upper up", 100, 0, true, 2, 120, 0},
        {"upper down stops above the lower", 100, 80, true, -3, 90, 80},
        {"lower up refused at the upper", 100, 95, false, 1, 100, 95},
        {"lower down to 0 then refused", 100, 10, false, -2, 100, 0},
        {"lower at 5 refused below 0", 100, 5, false, -1, 100, 5},
    };
    LiveViewsFrame f;
    for (int index : {kViewLiveLogSensor, kViewLiveLogCell}) {
        auto* view = f.Open<CLive_Chart_View>(index);
        ASSERT_NE(view, nullptr);
        view->resize(1000, 700);
        CScale_Chart& chart = *view->Chart();
        for (const ScaleCase& c : cases) {
            SCOPED_TRACE(c.name);
            auto& scale = const_cast<ChartScale&>(view->Scale());
            scale.upper = c.upper;
            scale.lower = c.lower;
            Press(chart, c.upperRegion ? QPoint(25, 30) : QPoint(25, chart.height() - 25));
            for (int notch = 0; notch < std::abs(c.notches); ++notch)
                Wheel(chart, c.notches > 0 ? 1 : -1);
            EXPECT_EQ(view->Scale().upper, c.expectUpper);
            EXPECT_EQ(view->Scale().lower, c.expectLower);
            if (c.expectLower != c.lower || c.expectUpper != c.upper) {
                EXPECT_EQ(view->UpperEdit()->text(), ScaleText(c.expectUpper));
                EXPECT_EQ(view->LowerEdit()->text(), ScaleText(c.expectLower));
            }
            Press(chart, QPoint(25, 30), QEvent::MouseButtonRelease);
            EXPECT_FALSE(view->Scale().upperAdjust || view->Scale().lowerAdjust);
        }
    }
}

TEST(LiveChartViews, ClickRegionsAndTheWheelOutsideThem)
{
    ChartScale scale;
    const QSize chart(980, 640);
    EXPECT_FALSE(scale.Press({25, 21}, chart));
    EXPECT_FALSE(scale.Press({50, 30}, chart)) << "50 pixels wide";
    EXPECT_TRUE(scale.Press({0, 38}, chart));
    EXPECT_TRUE(scale.upperAdjust);
    scale.Release();
    EXPECT_TRUE(scale.Press({49, 640 - 33}, chart));
    EXPECT_TRUE(scale.lowerAdjust);
    scale.Release();
    EXPECT_FALSE(scale.Press({10, 640 - 16}, chart));
    EXPECT_FALSE(scale.Notch(true)) << "no region pressed: the wheel changes nothing";
    EXPECT_EQ(ScaleText(95), "0.095");
    EXPECT_EQ(ScaleText(0), "0.000");
}

TEST(LiveChartViews, CellViewChoosesSixOrFourteenCellsAndSensorViewItsTitle)
{
    LiveViewsFrame f;
    auto* cells = f.Open<CLive_Log_Cell_View>(kViewLiveLogCell);
    EXPECT_EQ(cells->CellCount(), 6);
    EXPECT_EQ(cells->Choice()->itemText(1), "Electric - 14 Cell");
    cells->Choice()->setCurrentIndex(1);
    EXPECT_EQ(cells->CellCount(), 14);
    auto* sensor = f.Open<CLive_Log_Sensor_View>(kViewLiveLogSensor);
    ASSERT_EQ(sensor->Choice()->count(), 65);
    EXPECT_EQ(sensor->Choice()->itemText(7), "dbm (General)");
    EXPECT_EQ(sensor->Choice()->itemText(64), "ALT");
    EXPECT_EQ(sensor->UpperEdit()->text(), "0.100");
}

TEST(GpsCurveView, ZoomReachesTwoPointSixAndReturnsToOne)
{
    LiveViewsFrame f;
    auto* view = f.Open<CGPS_Curve_View>(kViewGpsCurve);
    CFlight_Path_Picture& picture = *view->Picture();
    for (int notch = 0; notch < 15; ++notch)
        Wheel(picture, 1);
    EXPECT_LT(picture.Zoom(), 2.5f);
    Wheel(picture, 1);
    EXPECT_EQ(QString::asprintf("x%.1f", double(picture.Zoom())), "x2.6");
    Wheel(picture, 1);
    EXPECT_EQ(QString::asprintf("x%.1f", double(picture.Zoom())), "x2.6") << "no further";
    for (int notch = 0; notch < 16; ++notch)
        Wheel(picture, -1);
    EXPECT_EQ(QString::asprintf("x%.1f", double(picture.Zoom())), "x1.0");
    EXPECT_EQ(picture.Pan(), QPoint(0, 0));
}

TEST(GpsCurveView, DraggingPansWithinTheBitmap)
{
    LiveViewsFrame f;
    auto* view = f.Open<CGPS_Curve_View>(kViewGpsCurve);
    view->resize(500, 400);
    CFlight_Path_Picture& picture = *view->Picture();
    for (int notch = 0; notch < 10; ++notch)
        Wheel(picture, 1);
    const QSize room = picture.BitmapSize() - picture.size();
    Press(picture, {200, 200});
    EXPECT_TRUE(picture.Dragging());
    Press(picture, {150, 170}, QEvent::MouseMove);
    EXPECT_EQ(picture.Pan(), QPoint(50, 30)) << "moving left shows more of the right";
    Press(picture, {1000, 1000}, QEvent::MouseMove);
    EXPECT_EQ(picture.Pan(), QPoint(0, 0));
    Press(picture, {-2000, -2000}, QEvent::MouseMove);
    EXPECT_EQ(picture.Pan(), QPoint(room.width(), room.height()));
    Press(picture, {0, 0}, QEvent::MouseButtonRelease);
    EXPECT_FALSE(picture.Dragging());
}

TEST(GpsCurveView, CopiesThePathOnItsNotificationAndRepaints)
{
    LiveViewsFrame f;
    auto* view = f.Open<CGPS_Curve_View>(kViewGpsCurve);
    f.Paint();
    const int draws = view->Picture()->Draws();
    f.Update(kViewGpsCurve, [](LiveTelemetry& live) { AddPath(live, 10); });
    EXPECT_EQ(view->Path().count, 10);
    EXPECT_EQ(view->Path().current, 10);
    f.Paint();
    EXPECT_EQ(view->Picture()->Draws(), draws + 1);
    f.Update(kViewGpsCurve, [](LiveTelemetry& live) { AddPath(live, 3); });
    EXPECT_EQ(view->Path().points.size(), f.frame->LiveData().Data().path.points.size()) << "a restarted path";
}

// The hint keeps the top left; the scale bar starts 250 px in and the horizontal ruler runs 25 px
// above the bottom, from the left edge on. A tenth point on the ninth's place changes nothing
// else of the picture.
bool ShowsScaleAndRulers(CFlight_Path_Picture& picture)
{
    const QImage image = picture.grab().toImage();
    const bool scaleBar = image.pixelColor(260, 5) != Qt::white;
    bool ruler = false;
    for (int y = picture.height() - 26; y <= picture.height() - 24; ++y)
        ruler |= image.pixelColor(5, y) != Qt::white;
    EXPECT_EQ(scaleBar, ruler);
    return scaleBar && ruler;
}

TEST(GpsCurveView, ScaleAndRulersAppearAtTenPoints)
{
    LiveViewsFrame f;
    auto* view = f.Open<CGPS_Curve_View>(kViewGpsCurve);
    view->resize(500, 400);
    const auto path = [](int count) {
        return [count](LiveTelemetry& live) {
            live.path.Reset();
            for (int point = 0; point < count; ++point) {
                const int step = std::min(point, 8);
                live.path.AddPoint(GpsAt(4800, 100 * step * (step % 2), 1100, 100 * step), 0);
            }
            live.path.SetCurrent(-1);
        };
    };
    f.Update(kViewGpsCurve, path(9));
    EXPECT_FALSE(ShowsScaleAndRulers(*view->Picture()));
    f.Update(kViewGpsCurve, path(10));
    EXPECT_TRUE(ShowsScaleAndRulers(*view->Picture()));
}

// A recording from the menu on the in-process controller: the views the recorder opens show
// values that change from pass to pass.
TEST(LiveViews, RecordingShowsChangingValuesInTheOpenedViews)
{
    LiveViewsFrame f;
    sim::TelemetrySettings settings;
    settings.sensorPlan = {{kSensorGps, 1000}};
    {
        std::lock_guard lock(f.controller.mutex());
        sim::InstallTelemetryCommands(f.controller.engine(), settings);
    }
    ScriptedFileDialogs dialogs;
    f.boxes.AnswerWith(false);
    f.frame->RunCommand(kCmdLiveLogStart);
    ASSERT_TRUE(f.frame->IsLiveLogRunning());
    ASSERT_TRUE(WaitUntil([&] { return f.frame->FindView(kViewLiveSensorGps) != nullptr; }, 20000));
    auto* gps = dynamic_cast<CLive_Sensor_Gps_View*>(f.frame->FindView(kViewLiveSensorGps));
    auto* receiver = dynamic_cast<CLive_Sensor_Receiver_View*>(f.frame->FindView(kViewLiveSensorReceiver));
    auto* rf = dynamic_cast<CLive_Log_DBM_View*>(f.frame->FindView(kViewLiveLogDbm));
    ASSERT_TRUE(gps && receiver && rf);
    auto* curve = dynamic_cast<CGPS_Curve_View*>(f.frame->OpenView(kViewGpsCurve));
    ASSERT_TRUE(WaitUntil([&] { return gps->Shown().rxsq != 0 && curve->Path().count >= 2; }, 20000));
    const GpsData first = gps->Shown();
    const float firstVolt = receiver->Shown().recvVolt;
    ASSERT_TRUE(WaitUntil(
        [&] {
            return gps->Shown().nsLow != first.nsLow && receiver->Shown().recvVolt != firstVolt &&
                   curve->Path().count >= 12;
        },
        20000));
    EXPECT_GT(rf->TxLevels()[10] + rf->TxLevels()[40], 0);
    f.frame->RunCommand(kCmdLiveLogStop);
    EXPECT_TRUE(WaitUntil([&] { return !f.frame->IsLiveLogRunning(); }, 20000));
}

}  // namespace
}  // namespace skarnel::test
