#include "gauges/gauge_pictures.h"
#include "gauges/gauge_font.h"
#include "gauges/gauge_style.h"
#include "gauges/gauge_text.h"
#include "gauges/graph_function.h"
#include "gauges/panel_instruments.h"
#include "gauges/ring_dial.h"
#include "gauges/sensor_panels.h"
#include "tests/gauges/golden_image.h"
#include "tests/gauges/panel_samples.h"

#include <QPainter>

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace skarnel::gauges {
namespace {

using gauge_test::BlankImage;
using gauge_test::CompareImages;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kDial = 300;

QImage Dial(int picture, double value, double offset = 0)
{
    QImage image = BlankImage(kDial, kDial);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawRingDial(painter, QRectF(0, 0, kDial, kDial), *FindDialFace(picture), value, offset, true, true);
    return image;
}

// The colour in the middle of the ring at an angle (clockwise from 3 o'clock), between two
// segment marks.
QRgb RingAt(const QImage& dial, double angle)
{
    const double radius = (0.27 + 1.0 / 3) / 2 * kDial;
    const double radians = (angle + 1.5) * 3.141592653589793 / 180;
    return dial.pixel(int(kDial / 2 + radius * std::cos(radians)), int(kDial / 2 + radius * std::sin(radians)));
}

bool IsAqua(QRgb colour)
{
    return qRed(colour) < 60 && qGreen(colour) > 200 && qBlue(colour) > 200;
}

TEST(RingDial, FillsTheRingFromTheZeroAngle)
{
    const QImage up = Dial(333, 40);  // 180 to 230 degrees
    EXPECT_TRUE(IsAqua(RingAt(up, 183)));
    EXPECT_TRUE(IsAqua(RingAt(up, 225)));
    EXPECT_FALSE(IsAqua(RingAt(up, 240)));
    EXPECT_FALSE(IsAqua(RingAt(up, 170)));

    const QImage down = Dial(333, -40);  // 130 to 180 degrees
    EXPECT_TRUE(IsAqua(RingAt(down, 132)));
    EXPECT_TRUE(IsAqua(RingAt(down, 175)));
    EXPECT_FALSE(IsAqua(RingAt(down, 190)));
    EXPECT_FALSE(IsAqua(RingAt(down, 120)));
}

TEST(RingDial, AFullValueFillsThePrintedSweepAndNoMore)
{
    const struct {
        int picture;
        double value, offset, first, last;
    } cases[] = {
        {333, 120, 0, 180, 327},  // climb: from 9 o'clock over the top to the gap
        {333, -120, 0, 30, 177},  // and under the bottom
        {336, 80, 0, 150, 387},   // power: 240 degrees
        {341, 80, 0, 180, 357},   // half: 180 degrees
        {340, 200, 20, 180, 357},
    };
    for (const auto& c : cases) {
        const QImage dial = Dial(c.picture, c.value, c.offset);
        EXPECT_TRUE(IsAqua(RingAt(dial, c.first))) << c.picture;
        EXPECT_TRUE(IsAqua(RingAt(dial, c.last))) << c.picture;
        EXPECT_FALSE(IsAqua(RingAt(dial, c.last + 6))) << c.picture;
        EXPECT_FALSE(IsAqua(RingAt(dial, c.first - 6))) << c.picture;
    }
}

TEST(RingDial, TemperatureDialIsEmptyAtMinusTwentyAndHalfFullAtNinety)
{
    const QImage cold = Dial(340, -20, 20);
    for (double angle = 180; angle < 360; angle += 15)
        EXPECT_FALSE(IsAqua(RingAt(cold, angle))) << angle;
    const QImage warm = Dial(340, 90, 20);
    EXPECT_TRUE(IsAqua(RingAt(warm, 260)));
    EXPECT_FALSE(IsAqua(RingAt(warm, 280)));
}

TEST(RingDial, OutOfRangeAndNaNValuesDrawAsTheirClampedValue)
{
    const struct {
        int picture;
        double value, clamped, offset;
    } cases[] = {
        {333, 150, 120, 0}, {333, -130, -120, 0}, {340, 250, 200, 20}, {340, -30, -20, 20},
        {333, kNaN, 0, 0},  {336, -5, 0, 0},      {336, 1e30, 80, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareImages(Dial(c.picture, c.clamped, c.offset), Dial(c.picture, c.value, c.offset))
                      .largestChannelDifference,
                  0)
            << c.picture << " " << c.value;
}

template <class Draw> QImage Paint(int width, int height, Draw draw)
{
    QImage image = BlankImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return image;
}

TEST(Bars, ValuesAboveTheScaleShowTheFullBar)
{
    const QRectF region(0, 0, 200, 400);
    const auto rf = [&](int value) {
        return Paint(200, 400, [&](QPainter& p) { DrawRfBar(p, 5, region, value, PanelKind::Gps); });
    };
    EXPECT_EQ(CompareImages(rf(100), rf(130)).largestChannelDifference, 0);
    EXPECT_EQ(CompareImages(rf(0), rf(-7)).largestChannelDifference, 0);
    EXPECT_GT(CompareImages(rf(50), rf(100)).differingShare, 0);

    const ReceiverBarScale time{"Time", "ms", 0, 2000};
    const auto loss = [&](int value) {
        return Paint(200, 400, [&](QPainter& p) { DrawReceiverBar(p, region, time, value); });
    };
    EXPECT_EQ(CompareImages(loss(2000), loss(2500)).largestChannelDifference, 0);
}

// The RF bar's red scale stays inside its instrument, however narrow: nothing drawn left of it.
TEST(Bars, TheRfScaleStaysInsideANarrowInstrument)
{
    constexpr int kLeft = 40;
    for (const QSizeF size : {QSizeF(55, 110), QSizeF(70, 140), QSizeF(120, 240)}) {
        const QImage image = Paint(kLeft + int(size.width()), int(size.height()), [&](QPainter& p) {
            DrawRfBar(p, 3, QRectF(QPointF(kLeft, 0), size), 65, PanelKind::Gps);
        });
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < kLeft; ++x)
                ASSERT_EQ(image.pixel(x, y), image.pixel(0, 0)) << size.width() << " wide, at " << x << "," << y;
    }
}

TEST(Bars, BatteryCellsBelowThreeVoltsAreEmptyAndNaNReadsAsZero)
{
    const auto cells = [](std::array<float, 6> volts) {
        return Paint(400, 300, [&](QPainter& p) { DrawBattCells(p, 5, QRectF(0, 0, 400, 300), volts); });
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(CompareImages(cells({0, 0, 0, 0, 0, 0}), cells({nan, nan, nan, nan, nan, nan})).largestChannelDifference,
              0);
    // 2.9 V keeps its own text but not a fill: only the text differs from 2.95 V.
    const QImage low = cells({2.9f, 4, 4, 4, 4, 4});
    const QImage full = cells({4.35f, 4, 4, 4, 4, 4});
    const int baseline = int(5 * 300 / 6.0) - 3;
    const int cellCentre = int(3 * 400 / 21.0 + 0.75 * 400 / 21.0);
    EXPECT_FALSE(IsAqua(low.pixel(cellCentre, baseline)) && IsAqua(low.pixel(cellCentre + 1, baseline)));
    EXPECT_TRUE(IsAqua(full.pixel(cellCentre, 300 / 6 + 3)) || IsAqua(full.pixel(cellCentre + 1, 300 / 6 + 3)));
}

// A record full of NaN floats and extreme integers draws like its clamped twin and leaves the
// painter as it found it.
TEST(Panels, GarbledRecordsDrawClampedAndRestoreThePainter)
{
    ElectricData garbled = gauge_samples::Electric();
    for (float& volts : garbled.cellVolt)
        volts = std::numeric_limits<float>::quiet_NaN();
    garbled.powerV = std::numeric_limits<float>::infinity();
    garbled.temp1 = std::numeric_limits<int32_t>::min();
    garbled.altitude = std::numeric_limits<int32_t>::max();
    garbled.rxsq = -4;
    ElectricData clamped = garbled;
    for (float& volts : clamped.cellVolt)
        volts = 0;
    clamped.powerV = 80;
    clamped.temp1 = -20;
    clamped.rxsq = 0;
    const auto draw = [](const ElectricData& record) {
        return Paint(500, 400, [&](QPainter& p) {
            CGraph_Function_Electric().DrawPanel(p, QRect(0, 0, 500, 400), record);
            EXPECT_TRUE(p.transform().isIdentity());
            EXPECT_FALSE(p.hasClipping());
        });
    };
    EXPECT_EQ(CompareImages(draw(clamped), draw(garbled)).largestChannelDifference, 0);
}

TEST(Panels, DrawOnlyInsideTheirRectangle)
{
    const QImage image = Paint(300, 300, [](QPainter& p) {
        p.fillRect(QRect(0, 0, 300, 300), Qt::white);
        CGraph_Function_General().DrawPanel(p, QRect(50, 60, 200, 180), gauge_samples::General());
    });
    EXPECT_EQ(image.pixel(49, 100), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(250, 100), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(100, 240), qRgb(255, 255, 255));
    EXPECT_NE(image.pixel(51, 61), qRgb(255, 255, 255));
}

TEST(Panels, TinyAndEmptyRectanglesDrawWithoutFault)
{
    for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(7, 300), QSize(300, 7)}) {
        Paint(320, 320, [&](QPainter& p) {
            const QRect rect(QPoint(0, 0), size);
            CGraph_Function_Electric().DrawPanel(p, rect, gauge_samples::Electric());
            CGraph_Function_General().DrawPanel(p, rect, gauge_samples::General());
            CGraph_Function_Gps().DrawPanel(p, rect, gauge_samples::Gps());
            CGraph_Function_Receiver().DrawPanel(p, rect, gauge_samples::Receiver());
            CGraph_Function_Vario().DrawPanel(p, rect, gauge_samples::Vario());
        });
    }
}

// A readout shrunk to its place is never wider than it: the glyphs' whole-pixel advances do not
// shrink in proportion to the size, so a text scaled once may still be cut.
TEST(GaugeText, ShrinkToFitNeverLeavesATextWiderThanItsPlace)
{
    const QString texts[] = {PositionText(3733, 5583), PositionText(99999, 9999), QStringLiteral("412m"),
                             QStringLiteral(" 120km/h")};
    QImage image = BlankImage(10, 10);
    QPainter painter(&image);
    for (const QString& text : texts) {
        for (int width = 40; width <= 420; width += 7) {
            QFont font = CreateGaugeFont(kSegmentFamily, kRegular, 12, *painter.device());
            ShrinkToFit(painter, font, text, width);
            EXPECT_LE(MeasureGaugeText(painter, font, text).width(), width) << text.toStdString() << " in " << width;
        }
    }
}

// The heading's digits stand clear of the panel's top edge at every size.
TEST(Panels, TheHeadingDigitsAreNeverCutAtTheTop)
{
    for (const QSize size : {QSize(432, 362), QSize(490, 390), QSize(600, 400), QSize(720, 500), QSize(1200, 700)}) {
        const QImage image = Paint(size.width(), size.height(), [&](QPainter& p) {
            CGraph_Function_Gps().DrawPanel(p, QRect(QPoint(0, 0), size), gauge_samples::Gps());
        });
        for (int x = size.width() / 3; x < size.width() * 2 / 3; ++x)
            EXPECT_FALSE(IsAqua(image.pixel(x, 0))) << size.width() << "x" << size.height() << " at " << x;
    }
}

TEST(Panels, FontFactorFollowsTheLastWidth)
{
    CGraph_Function_Vario vario;
    for (const auto& [width, millimetres] : {std::pair{799, 4.0f}, {800, 4.5f}, {1500, 8.0f}}) {
        Paint(width, 10, [&](QPainter& p) { vario.DrawPanel(p, QRect(0, 0, width, 10), gauge_samples::Vario()); });
        EXPECT_FLOAT_EQ(vario.FontFactor(), millimetres);
    }
}

TEST(Charts, EmptyAndDegenerateDataDrawWithoutFault)
{
    const std::array<uint8_t, 3> three{10, 200, 255};
    const std::array<CellBar, 3> cells{{{3700, true, 0x0000FF, QStringLiteral("Cell 1")},
                                        {50, false, 0x00FF00, QStringLiteral("Cell 2")},
                                        {5000, true, 0xFF0000, QStringLiteral("Cell3")}}};
    for (const QSize size : {QSize(0, 0), QSize(20, 20), QSize(440, 300)}) {
        Paint(450, 310, [&](QPainter& p) {
            const QRect rect(QPoint(0, 0), size);
            CGraph_Function::DrawRfHistory(p, rect, three, {}, 0, -1, 5);
            CGraph_Function::DrawRfHistory(p, rect, three, three, 1000000, 2, 999999);
            CGraph_Function::DrawRfChannels(p, rect, three, {}, true);
            CGraph_Function::DrawValueScale(p, rect, QStringLiteral("RPM"), 0, 0, true, false);
            CGraph_Function::DrawCellScale(p, rect, 5000, 3000, false, true);
            CGraph_Function::DrawCellBars(p, rect, cells, 3000, 3000);  // no range: no heights
            CGraph_Function::DrawCellBars(p, rect, {}, 0, 100);
            CGraph_Function::DrawReplayTime(p, rect, -1, std::numeric_limits<int64_t>::max());
        });
    }
}

// The RF history's frame count keeps every digit inside the chart: short counts at W - 20,
// long ones moved left.
TEST(Charts, RfHistoryFrameCountIsNeverCut)
{
    for (const int count : {7, 18000, 1234567}) {
        const QImage image = Paint(600, 200, [&](QPainter& p) {
            CGraph_Function::DrawRfHistory(p, QRect(0, 0, 600, 200), {}, {}, count, -1, -1);
        });
        int rightmostInk = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 200 - 25; y < 200 - 10; ++y)
                if (qGray(image.pixel(x, y)) < 100)
                    rightmostInk = std::max(rightmostInk, x);
        EXPECT_GT(rightmostInk, 600 - 20) << count;
        EXPECT_LE(rightmostInk, 600 - 2) << count;
    }
}

TEST(Charts, CellBarsTakeTheWindowsColourWithRedInTheLowByte)
{
    const std::array<CellBar, 1> cell{{{4000, true, 0x0000FF, QStringLiteral("Cell 1")}}};
    const QImage image = Paint(400, 300, [&](QPainter& p) {
        CGraph_Function::DrawCellScale(p, QRect(0, 0, 400, 300), 3000, 5000, false, false);
        CGraph_Function::DrawCellBars(p, QRect(0, 0, 400, 300), cell, 3000, 5000);
    });
    // One cell: 4 units of (400 - 65) / 4; the bar spans units 1 and 2, half the plot high.
    const double unit = (400 - 65) / 4.0;
    const QRgb inside = image.pixel(int(50 + 2 * unit), 300 - 30 - 40);
    EXPECT_EQ(qRed(inside), 255);
    EXPECT_EQ(qBlue(inside), 0);
}

TEST(Pictures, EveryPictureIsDrawnAtItsDesignSize)
{
    for (int picture : {333, 334, 335, 336, 337, 338, 339, 340, 341, 342, 343, 344,
                        345, 346, 347, 348, 349, 350, 351, 352, 354, 382, 397, 398}) {
        const QSize size = GaugePictureDesignSize(picture);
        ASSERT_FALSE(size.isEmpty()) << picture;
        const QImage image = GaugePictureImage(picture, size);
        ASSERT_EQ(image.size(), size) << picture;
        bool painted = false;
        for (int y = 0; y < size.height() && !painted; ++y)
            for (int x = 0; x < size.width() && !painted; ++x)
                painted = qAlpha(image.pixel(x, y)) > 0;
        EXPECT_TRUE(painted) << picture;
    }
    EXPECT_TRUE(GaugePictureImage(1, QSize(10, 10)).isNull());
    EXPECT_TRUE(GaugePictureImage(333, QSize(0, 0)).isNull());
}

}  // namespace
}  // namespace skarnel::gauges
