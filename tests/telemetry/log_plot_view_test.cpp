#include "shell/view_table.h"
#include "sim/controller_log.h"
#include "telemetry/views/log_plot_picture.h"
#include "telemetry/views/log_plot_widget.h"
#include "telemetry/views/log_sensor_view.h"
#include "telemetry/log_replay.h"
#include "tests/support/simulated_frame.h"
#include "tests/support/temp_folder.h"

#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

constexpr int kPlotTab = kLogListCount;
constexpr int kRecords = 6000;  // a minute of controller log

struct PlotViewFixture : SimulatedFrameFixture {
    PlotViewFixture()
    {
        view = dynamic_cast<CLog_Sensor_View*>(frame->OpenView(kViewLogSensor));
        EXPECT_NE(view, nullptr);
        const std::string path = logs.Path("flight.bin");
        EXPECT_TRUE(sim::WriteSimulatedControllerLog(path, kRecords, kSensorGps));
        dialogs.answer = QString::fromStdString(path);
        view->BrowseButton()->click();
        EXPECT_TRUE(WaitUntil([this] { return !view->IsLoading() && view->Plot()->ColumnList()->count() > 0; }));
        ShowOffScreen(*frame);
        view->resize(900, 600);
        view->Tabs()->setCurrentIndex(kPlotTab);
        plot = view->Plot();
    }

    // Checks the column of that name, as a click on its box does.
    void Check(const QString& name)
    {
        const QList<QListWidgetItem*> items = plot->ColumnList()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        items.front()->setCheckState(Qt::Checked);
    }

    QPoint PlotCentre() const { return plot->PlotRect().center(); }

    ScriptedFileDialogs dialogs;
    RecordingMessageBoxes boxes;
    TempFolder logs;
    CLog_Sensor_View* view = nullptr;
    CLog_Plot_Widget* plot = nullptr;
};

// The pixel columns of the plot area holding a pixel of that colour.
int ColumnsWithColour(CLog_Plot_Widget& plot, const QColor& colour)
{
    const QImage image = plot.grab().toImage();
    const QRect area = plot.PlotRect();
    int columns = 0;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (image.pixelColor(x, y) == colour) {
                ++columns;
                break;
            }
    return columns;
}

TEST(LogPlotView, TheEighthTabShowsThePlotInsteadOfTheLists)
{
    PlotViewFixture fixture;
    EXPECT_TRUE(fixture.plot->isVisible());
    for (int i = 0; i < kLogListCount; ++i)
        EXPECT_FALSE(fixture.view->List(static_cast<LogList>(i))->isVisible()) << i;
    EXPECT_EQ(fixture.plot->geometry(), QRect(10, 240, 880, 350));
    fixture.view->Tabs()->setCurrentIndex(static_cast<int>(LogList::Gps));
    EXPECT_FALSE(fixture.plot->isVisible());
    EXPECT_TRUE(fixture.view->List(LogList::Gps)->isVisible());
}

// At the view's smallest size the eight tabs share the bar's width, none behind scroll buttons.
TEST(LogPlotView, EveryTabFitsTheBarAtTheSmallestSize)
{
    PlotViewFixture fixture;
    fixture.view->resize(650, 450);
    QApplication::processEvents();
    QTabBar& tabs = *fixture.view->Tabs();
    for (int tab : {0, kPlotTab}) {
        tabs.setCurrentIndex(tab);
        EXPECT_GE(tabs.tabRect(0).left(), 0) << tab;
        EXPECT_LE(tabs.tabRect(kPlotTab).right(), tabs.width()) << tab;
    }
}

TEST(LogPlotView, AChosenColumnIsDrawnAcrossThePlot)
{
    PlotViewFixture fixture;
    CLog_Plot_Widget& plot = *fixture.plot;
    EXPECT_EQ(ColumnsWithColour(plot, TraceColour(0)), 0);
    fixture.Check("Channel: Ch01");
    ASSERT_EQ(plot.Series().size(), 1u);
    EXPECT_EQ(plot.Series()[0].times.size(), fixture.view->Tables().Table(LogList::Channel).RowCount());
    // Rows every hundredth of a second fill every pixel column of the window (but where the
    // legend covers them).
    EXPECT_GE(ColumnsWithColour(plot, TraceColour(0)), plot.PlotRect().width() * 9 / 10);

    fixture.Check("Receiver: Recv Volt");
    // The second column checked has the second colour, though its list comes first.
    ASSERT_EQ(plot.CheckedColumns(), (std::vector<PlotColumn>{{LogList::Channel, 0}, {LogList::Receiver, 4}}));
    ASSERT_EQ(plot.Series().size(), 2u);
    EXPECT_GT(ColumnsWithColour(plot, TraceColour(1)), plot.PlotRect().width() / 2);
}

// The cursor's pixel column at that time is the cursor's colour.
bool CursorDrawnAt(CLog_Plot_Widget& plot, int64_t time)
{
    const QImage image = plot.grab().toImage();
    const QRect area = plot.PlotRect();
    const double share = static_cast<double>(time - plot.Window().Start()) / static_cast<double>(plot.Window().Span());
    const int x = area.left() + static_cast<int>(std::lround(share * area.width()));
    return image.pixelColor(x, area.center().y() + 7) == PlotCursorColour();
}

TEST(LogPlotView, TheCursorFollowsTheReplayPosition)
{
    PlotViewFixture fixture;
    CLog_Plot_Widget& plot = *fixture.plot;
    fixture.Check("Channel: Ch01");
    EXPECT_FALSE(plot.CursorTime());

    fixture.view->GoToEdit()->setText("30");
    fixture.view->GoToTime();
    ASSERT_EQ(plot.CursorTime(), 3000);
    EXPECT_TRUE(CursorDrawnAt(plot, 3000));

    fixture.view->ReplayStartButton()->click();
    for (int step = 0; step < 5; ++step) {
        fixture.controller.clock().SleepMs(kReplayStepMs);
        fixture.view->ReplayTick();
    }
    EXPECT_EQ(plot.CursorTime(), fixture.view->Replay().CurrentPosition());
    EXPECT_GT(*plot.CursorTime(), 0);
    EXPECT_TRUE(CursorDrawnAt(plot, *plot.CursorTime()));
    fixture.view->ReplayStopButton()->click();
}

TEST(LogPlotView, TheWheelZoomsAroundThePointerADragPansAndADoubleClickShowsAll)
{
    PlotViewFixture fixture;
    CLog_Plot_Widget& plot = *fixture.plot;
    fixture.Check("Channel: Ch01");
    const PlotWindow whole = plot.Window();
    const QPoint at = fixture.PlotCentre();

    QWheelEvent wheel(at, plot.mapToGlobal(at), {}, QPoint(0, 2 * 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&plot, &wheel);
    EXPECT_NEAR(static_cast<double>(plot.Window().Span()), whole.Span() * 0.64, 2.0);
    // The time under the pointer stays under it.
    const double middle = (whole.Start() + whole.End()) / 2.0;
    EXPECT_NEAR((plot.Window().Start() + plot.Window().End()) / 2.0, middle, whole.Span() / 100.0);

    const PlotWindow zoomed = plot.Window();
    QTest::mousePress(&plot, Qt::LeftButton, {}, at);
    QTest::mouseMove(&plot, at - QPoint(100, 0));
    QTest::mouseRelease(&plot, Qt::LeftButton, {}, at - QPoint(100, 0));
    const double perPixel = static_cast<double>(zoomed.Span()) / plot.PlotRect().width();
    EXPECT_NEAR(static_cast<double>(plot.Window().Start() - zoomed.Start()), 100 * perPixel, perPixel);
    EXPECT_EQ(plot.Window().Span(), zoomed.Span());

    QTest::mouseDClick(&plot, Qt::LeftButton, {}, at);
    EXPECT_EQ(plot.Window().Start(), whole.Start());
    EXPECT_EQ(plot.Window().End(), whole.End());
}

TEST(LogPlotView, ANewLogIsShownWholeInTheColumnsStillChosen)
{
    PlotViewFixture fixture;
    fixture.Check("Channel: Ch01");
    QWheelEvent wheel(fixture.PlotCentre(), fixture.plot->mapToGlobal(fixture.PlotCentre()), {}, QPoint(0, 5 * 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(fixture.plot, &wheel);
    ASSERT_TRUE(fixture.plot->Window().Zoomed());

    const std::string path = fixture.logs.Path("short.bin");
    ASSERT_TRUE(sim::WriteSimulatedControllerLog(path, 500, kSensorGps));
    fixture.dialogs.answer = QString::fromStdString(path);
    fixture.view->BrowseButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return !fixture.view->IsLoading(); }));
    QApplication::processEvents();
    const size_t rows = fixture.view->Tables().Table(LogList::Channel).RowCount();
    ASSERT_EQ(fixture.plot->CheckedColumns(), (std::vector<PlotColumn>{{LogList::Channel, 0}}));
    ASSERT_EQ(fixture.plot->Series().size(), 1u);
    EXPECT_EQ(fixture.plot->Series()[0].times.size(), rows);
    EXPECT_FALSE(fixture.plot->Window().Zoomed());
    EXPECT_EQ(fixture.plot->Window().End(), fixture.plot->Series()[0].times.back() + 1);
}

// Until a column is checked the plot shows only its hint, in its middle and whole, at any size.
TEST(LogPlotPicture, AnEmptyPlotShowsOnlyItsHint)
{
    const QFontMetrics metrics(QApplication::font());
    for (const QSize size : {QSize(880, 350), QSize(200, 350)}) {
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        DrawLogPlot(painter, image.rect(), PlotScene{});
        painter.end();
        QRect inked;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != Qt::white)
                    inked |= QRect(x, y, 1, 1);
        const QRect hint = metrics.boundingRect(image.rect(), Qt::AlignCenter | Qt::TextWordWrap, kEmptyPlotHint);
        EXPECT_TRUE(image.rect().contains(hint)) << size.width();
        EXPECT_TRUE(hint.adjusted(-1, -1, 1, 1).contains(inked)) << "no axes, only the hint, at " << size.width();
        EXPECT_LE(std::abs(inked.center().x() - image.rect().center().x()), 2) << size.width();
    }
}

// Whatever the window, the width and the font, the time axis's labels stand apart: none
// overlaps its neighbour, and at least one is shown.
TEST(LogPlotPicture, TheTimeAxisLabelsNeverOverlap)
{
    struct Window {
        int64_t start;
        int64_t end;
    };
    const Window windows[] = {{0, 1}, {0, 2}, {0, 200}, {0, 6001}, {1234, 1284}, {0, 360000}, {359950, 360000}};
    QFont large = QApplication::font();
    large.setPointSizeF(large.pointSizeF() * 2);
    for (const QFont& font : {QApplication::font(), large}) {
        const QFontMetrics metrics(font);
        for (int width : {120, 300, 880, 1800}) {
            for (const Window& window : windows) {
                PlotScene scene;
                scene.start = window.start;
                scene.end = window.end;
                const QRect area(40, 10, width, 200);
                const std::vector<PlotLabel> labels = TimeAxisLabels(scene, area, metrics);
                const std::string where = std::to_string(width) + " px, " + std::to_string(window.start) + ".." +
                                          std::to_string(window.end) + ", font " + std::to_string(metrics.height());
                EXPECT_FALSE(labels.empty()) << where;
                for (size_t i = 1; i < labels.size(); ++i)
                    EXPECT_GT(labels[i].box.left(), labels[i - 1].box.right())
                        << where << ": " << labels[i - 1].text.toStdString() << " meets "
                        << labels[i].text.toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace skarnel::test
