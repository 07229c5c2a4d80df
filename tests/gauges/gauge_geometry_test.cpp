#include "gauges/gauge_font.h"
#include "gauges/gauge_style.h"
#include "gauges/graph_function.h"
#include "gauges/panel_instruments.h"
#include "gauges/ring_dial.h"
#include "tests/gauges/golden_image.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <set>

namespace skarnel::gauges {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(GaugeGeometry, TitleSizeStepsWithThePanelWidth)
{
    const struct {
        int width;
        float millimetres;
    } cases[] = {{0, 4}, {799, 4}, {800, 4.5f}, {999, 5}, {1000, 5.5f}, {1499, 7.5f}, {1500, 8}, {4000, 8}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(PanelFontFactor(c.width), c.millimetres) << c.width;
}

TEST(GaugeGeometry, RingWedgeSweepsFromTheZeroAngleAndStaysOnTheScale)
{
    const DialFace& climb = *FindDialFace(333);
    const DialFace& power = *FindDialFace(336);
    const DialFace& half = *FindDialFace(341);
    const DialFace& temperature = *FindDialFace(340);
    const struct {
        const DialFace* face;
        double value, offset, start, sweep;
    } cases[] = {
        {&climb, 120, 0, 180, 150},       // to the end of the printed scale, just above the gap
        {&climb, 150, 0, 180, 150},       // clamped
        {&climb, 40, 0, 180, 50},         // 180 to 230 clockwise
        {&climb, -40, 0, 130, 50},        // 130 to 180: grows counter-clockwise
        {&climb, -130, 0, 30, 150},       // clamped to -120: just below the gap
        {&climb, kNaN, 0, 180, 0},        // no reading: empty
        {&power, 80, 0, 150, 240},        //
        {&half, 80, 0, 180, 180},         //
        {&temperature, -20, 20, 180, 0},  // empty
        {&temperature, -30, 20, 180, 0},  // clamped to -20: empty
        {&temperature, 90, 20, 180, 90},  // half
        {&temperature, 250, 20, 180, 180},
        {&temperature, -10, 20, 180, 90.0 * 10 / 110},  // below zero degrees still fills from -20
    };
    for (const auto& c : cases) {
        const DialWedge wedge = RingWedge(*c.face, c.value, c.offset);
        EXPECT_NEAR(wedge.start, c.start, 1e-9) << c.face->picture << " " << c.value;
        EXPECT_NEAR(wedge.sweep, c.sweep, 1e-9) << c.face->picture << " " << c.value;
    }
}

TEST(GaugeGeometry, AFaceWithoutRangeFillsNothing)
{
    const DialFace flat{333, 30, 300, 180, 5, 5};
    EXPECT_EQ(RingWedge(flat, 5, 0).sweep, 0);
}

TEST(GaugeGeometry, DialValueTextGrowsWithTheDial)
{
    const struct {
        double width, millimetres;
    } cases[] = {{60, 3}, {125, 3}, {126, 4}, {200, 6}, {201, 7}, {325, 11}, {326, 12}, {900, 12}};
    for (const auto& c : cases)
        EXPECT_EQ(DialValueTextSize(c.width), c.millimetres) << c.width;
}

std::set<int> Values(const std::vector<TapeMark>& marks, bool (*pick)(const TapeMark&))
{
    std::set<int> values;
    for (const TapeMark& mark : marks)
        if (pick(mark))
            values.insert(mark.value);
    return values;
}

bool Any(const TapeMark&)
{
    return true;
}
bool Major(const TapeMark& mark)
{
    return mark.major;
}
bool Labelled(const TapeMark& mark)
{
    return mark.labelled;
}

TEST(GaugeGeometry, AltitudeTapeMarksEveryTenMetresWithinReach)
{
    const auto marks = AltTapeMarks(123);
    EXPECT_EQ(Values(marks, Major), (std::set<int>{50, 100, 150, 200}));
    EXPECT_EQ(Values(marks, Labelled), (std::set<int>{50, 100, 150, 200}));
    std::set<int> all;
    for (int v = 40; v <= 210; v += 10)
        all.insert(v);
    EXPECT_EQ(Values(marks, Any), all);

    const auto low = AltTapeMarks(-5);
    EXPECT_EQ(*Values(low, Any).begin(), -90);
    EXPECT_EQ(Values(low, Labelled), (std::set<int>{-50, 0, 50}));
}

TEST(GaugeGeometry, SpeedTapeLabelsNoNegativeSpeed)
{
    const auto marks = SpeedTapeMarks(20);
    EXPECT_EQ(Values(marks, Major), (std::set<int>{-50, 0, 50, 100}));
    EXPECT_EQ(Values(marks, Labelled), (std::set<int>{0, 50, 100}));
    EXPECT_EQ(*Values(marks, Any).begin(), -70);
    EXPECT_EQ(*Values(marks, Any).rbegin(), 110);
}

TEST(GaugeGeometry, TapesSurviveTheExtremeAltitudes)
{
    for (int altitude : {std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
        const auto marks = AltTapeMarks(altitude);
        EXPECT_FALSE(marks.empty());
        for (const TapeMark& mark : marks)
            EXPECT_LE(std::abs(double(mark.value) - altitude), 89.0);
    }
}

TEST(GaugeGeometry, HeadingLettersSitAtTheirBearings)
{
    const auto letterAt = [](int heading, const char* letter) {
        for (const HeadingMark& mark : HeadingMarks(heading))
            if (mark.letter == QLatin1String(letter))
                return mark.degreesFromCentre;
        return 999;
    };
    EXPECT_EQ(letterAt(350, "N"), 10);
    EXPECT_EQ(letterAt(350, "W"), -80);
    EXPECT_EQ(letterAt(350, "E"), 999);  // 100 degrees away: off the tape
    EXPECT_EQ(letterAt(0, "N"), 0);
    EXPECT_EQ(letterAt(360, "N"), 0);  // 360 reads as 0
    EXPECT_EQ(letterAt(135, "S"), 45);
    EXPECT_EQ(letterAt(135, "E"), -45);
    for (const HeadingMark& mark : HeadingMarks(350)) {
        EXPECT_EQ(mark.value % 10, 0);
        EXPECT_EQ(mark.major, mark.value % 30 == 0);
    }
}

TEST(GaugeGeometry, CellFillRunsFromThreeToFourPointTwoVolts)
{
    const double c = 30;  // a column 120 px high
    const struct {
        double volts, height;
    } cases[] = {{4.35, 120}, {4.2, 120}, {3.6, 60}, {3.0, 0}, {2.9, 0}, {kNaN, 0}, {1e30, 120}};
    for (const auto& v : cases)
        EXPECT_NEAR(CellFillHeight(v.volts, c), v.height, 1e-9) << v.volts;
}

TEST(GaugeGeometry, PositionTextPutsTheApostropheAfterTheDegrees)
{
    EXPECT_EQ(PositionText(4807, 1234), QStringLiteral("   048'07.1234"));
    EXPECT_EQ(PositionText(11630, 5000), QStringLiteral("   116'30.5000"));
    EXPECT_EQ(PositionText(0, 0), QStringLiteral("   000'00.0000"));
    // Out of range the digits stay in their places instead of shifting.
    EXPECT_EQ(PositionText(-5, 12345), QStringLiteral("   000'00.9999"));
}

TEST(GaugeGeometry, FrameIndexAtAClick)
{
    const struct {
        int left, right, x, count, index;
    } cases[] = {
        {0, 440, 30, 100, -1},         // the plot's left edge
        {0, 440, 31, 100, 0},          //
        {0, 440, 34, 100, 1},          // 4 px a frame
        {0, 440, 429, 100, 99},        //
        {0, 440, 900, 100, 99},        // right of the plot: the last frame
        {0, 440, 130, 100000, 25000},  // more frames than pixels
        {0, 440, 100, 0, -1},          // no frames
        {0, 30, 100, 10, -1},          // no plot
    };
    for (const auto& c : cases)
        EXPECT_EQ(CGraph_Function::FrameIndexAt(c.left, c.right, c.x, c.count), c.index) << c.x << " " << c.count;
}

TEST(GaugeGeometry, ReplayTimeTexts)
{
    const ReplayTimeTexts texts = ReplayTimeTextsOf(366100, 720000);
    EXPECT_EQ(texts.seconds, QStringLiteral("3661.00"));
    EXPECT_EQ(texts.current, QStringLiteral("01:01:01"));
    EXPECT_EQ(texts.end, QStringLiteral(" 02:00:00"));
    EXPECT_EQ(ReplayTimeTextsOf(5, 0).seconds, QStringLiteral("0.05"));
}

// In the file log viewer's 405 x 40 box the replay clock's texts stand apart and inside it,
// however long the log; where there is room they keep their size and places.
TEST(GaugeGeometry, ReplayTimeTextsFitTheirBoxApart)
{
    QImage image(405, 40, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const std::pair<int64_t, int64_t> times[] = {{0, 0}, {366100, 720000}, {35999999, 35999999}, {99999999, 99999999}};
    for (const auto& [current, end] : times) {
        SCOPED_TRACE(current);
        const ReplayTimeLayout layout = ReplayTimeLayoutOf(painter, QSizeF(405, 40), current, end);
        const QRectF box(0, 0, 405, 40);
        for (const QRectF& text : {layout.seconds, layout.current, layout.slash, layout.end})
            EXPECT_TRUE(box.contains(text)) << text.x() << " " << text.width();
        EXPECT_LT(layout.seconds.right(), layout.current.left());
        EXPECT_LT(layout.current.right(), layout.slash.left());
        EXPECT_LT(layout.slash.right(), layout.end.left());
        EXPECT_GE(layout.digitsMm, 2.0);
    }
    const ReplayTimeLayout wide = ReplayTimeLayoutOf(painter, QSizeF(900, 40), 366100, 720000);
    EXPECT_EQ(wide.digitsMm, 7.5);
    EXPECT_NEAR(wide.end.right(), 900 - 4, 0.001);  // the digits are wider than W - 125 leaves them
    EXPECT_LT(ReplayTimeLayoutOf(painter, QSizeF(405, 40), 366100, 720000).digitsMm, 7.5);
}

TEST(ReplayTime, Golden)
{
    if (!gauge_test::GoldenFontsInstalled())
        GTEST_SKIP() << "the golden pictures need the fonts scripts/setup installs";
    QImage image = gauge_test::BlankImage(405, 40);
    QPainter painter(&image);
    CGraph_Function::DrawReplayTime(painter, image.rect(), 366100, 720000);
    painter.end();
    EXPECT_TRUE(gauge_test::MatchesGolden(QStringLiteral("replay_time_405x40"), image));
}

TEST(GaugeGeometry, ReadingsAreClampedAndNaNReadsAsZero)
{
    EXPECT_EQ(ClampReading(kNaN, -120, 120), 0);
    EXPECT_EQ(ClampReading(kNaN, 3, 4), 3);
    EXPECT_EQ(ClampReading(std::numeric_limits<double>::infinity(), 0, 80), 80);
    EXPECT_EQ(ClampReading(-std::numeric_limits<double>::infinity(), 0, 80), 0);
    EXPECT_EQ(DisplayableReading(1e30), 99999.99);
}

TEST(GaugeFonts, SegmentDigitsComeFromDsegWhereInstalled)
{
    const QString family = InstalledGaugeFamily(QStringLiteral("LiquidCrystal"));
    EXPECT_FALSE(family.isEmpty());
    if (!family.startsWith(QLatin1String("DSEG")))
        GTEST_SKIP() << "fonts-dseg is not installed; the digits use " << family.toStdString();
}

TEST(GaugeFonts, AMissingFamilyFallsBackToSansSerif)
{
    const QString family = InstalledGaugeFamily(QStringLiteral("No Such Family 1234"));
    EXPECT_FALSE(family.isEmpty());
    EXPECT_NE(family, QStringLiteral("No Such Family 1234"));
}

TEST(GaugeFonts, MillimetresAreTheSamePixelsAtEveryResolution)
{
    EXPECT_NEAR(MillimetresToPixels(25.4), 96, 1e-9);
    QImage standard(10, 10, QImage::Format_ARGB32_Premultiplied);
    QImage dense(10, 10, QImage::Format_ARGB32_Premultiplied);
    dense.setDotsPerMeterX(7559);  // 192 dpi
    dense.setDotsPerMeterY(7559);
    for (const QString& family : {QStringLiteral("LiquidCrystal"), QStringLiteral("Arial")}) {
        const QFont atStandard = CreateGaugeFont(family, kRegular, 4, standard);
        const QFont atDense = CreateGaugeFont(family, kRegular, 4, dense);
        EXPECT_NEAR(QFontMetricsF(atStandard, &standard).height(), QFontMetricsF(atDense, &dense).height(), 0.5);
        EXPECT_NEAR(QFontInfo(atStandard).pixelSize(), MillimetresToPixels(4), 1.0);
    }
}

TEST(GaugeFonts, StylesAsNumbered)
{
    QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
    const QFont title = CreateGaugeFont(QStringLiteral("Arial"), kBoldUnderlined, 5, image);
    EXPECT_TRUE(title.bold());
    EXPECT_TRUE(title.underline());
    const QFont digits = CreateGaugeFont(QStringLiteral("LiquidCrystal"), kBold, 5, image);
    EXPECT_TRUE(digits.bold());
    EXPECT_FALSE(digits.underline());
}

}  // namespace
}  // namespace skarnel::gauges
