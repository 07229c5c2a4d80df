#include "gauges/graph_function_gps_curve.h"
#include "tests/gauges/golden_image.h"

#include <QPainter>

#include <gtest/gtest.h>
#include <vector>

namespace skarnel {
namespace {

using gauge_test::BlankImage;
using gauge_test::CompareImages;

struct Point {
    int32_t key;
    int32_t dNS;
    int32_t dEW;
};

constexpr QSize kBitmap(600, 500);

FlightPathFrame Frame(float zoom = 1.0f, bool dragging = false)
{
    return {kBitmap, kBitmap, QPoint(0, 0), zoom, dragging};
}

// A loop about 200 m across around the start, at 48 degrees north.
std::vector<Point> Loop(int count)
{
    std::vector<Point> points;
    for (int i = 0; i < count; ++i) {
        const double t = i * 6.283185307179586 / 40;
        points.push_back({0, int32_t(-900 * std::sin(t)), int32_t(1300 * (1 - std::cos(t)))});
    }
    return points;
}

FlightPathExtents ExtentsOf(const std::vector<Point>& points)
{
    FlightPathExtents extents;
    for (const Point& p : points) {
        if (p.dNS < 0)
            extents.north = std::max(extents.north, -p.dNS);
        else
            extents.south = std::max(extents.south, p.dNS);
        if (p.dEW < 0)
            extents.west = std::max(extents.west, -p.dEW);
        else
            extents.east = std::max(extents.east, p.dEW);
        extents.maxNorthSouth = std::max(extents.maxNorthSouth, std::abs(p.dNS));
        extents.maxEastWest = std::max(extents.maxEastWest, std::abs(p.dEW));
    }
    // 0.001 degree is 111.19 m north-south and 74.51 m east-west at 48 degrees north.
    extents.distNS = extents.maxNorthSouth * 0.11119;
    extents.distEW = extents.maxEastWest * 0.07451;
    return extents;
}

QImage Draw(const FlightPathExtents& extents, const std::vector<Point>& points, const FlightPathFrame& frame)
{
    QImage image = BlankImage(frame.bitmap.width(), frame.bitmap.height());
    QPainter painter(&image);
    CGraph_Function_GPS_Curve::DrawFlightPath(painter, extents, std::span<const Point>(points), frame);
    return image;
}

bool IsBlue(QRgb colour)
{
    return qBlue(colour) > 200 && qRed(colour) < 80 && qGreen(colour) < 80;
}

TEST(FlightPath, RulerStepsByPixelsPerMetre)
{
    const struct {
        double perMetre;
        int metres;
        double pixels;
    } cases[] = {{3, 20, 60},     {8.5, 5, 42.5}, {8, 10, 80},      {4, 20, 80},      {1.5, 50, 75},
                 {0.75, 100, 75}, {0.3, 200, 60}, {0.25, 400, 100}, {0.001, 400, 0.4}};
    for (const auto& c : cases) {
        const FlightPathRulerStep step = CGraph_Function_GPS_Curve::RulerStep(c.perMetre);
        EXPECT_EQ(step.metres, c.metres) << c.perMetre;
        EXPECT_DOUBLE_EQ(step.pixels, c.pixels) << c.perMetre;
    }
}

TEST(FlightPath, ProjectionCentresThePathAndKeepsMetresSquare)
{
    const auto points = Loop(40);
    const FlightPathExtents extents = ExtentsOf(points);
    const FlightPathProjection projection = CGraph_Function_GPS_Curve::ProjectFlightPath(extents, 40, kBitmap);
    ASSERT_TRUE(projection.drawable);
    const double metreNS = projection.scaleNS * extents.maxNorthSouth / extents.distNS;
    const double metreEW = projection.scaleEW * extents.maxEastWest / extents.distEW;
    EXPECT_NEAR(metreNS, metreEW, 1e-9);
    const double left = projection.x0 - extents.west * projection.scaleEW;
    const double right = projection.x0 + extents.east * projection.scaleEW;
    EXPECT_NEAR(left, kBitmap.width() - right, 1e-6);
}

TEST(FlightPath, NothingToDrawWithoutExtentOrPoints)
{
    auto points = Loop(40);
    FlightPathExtents flat = ExtentsOf(points);
    flat.east = flat.west = 0;  // all points on one meridian
    EXPECT_FALSE(CGraph_Function_GPS_Curve::ProjectFlightPath(flat, 40, kBitmap).drawable);
    EXPECT_FALSE(CGraph_Function_GPS_Curve::ProjectFlightPath(ExtentsOf(points), 0, kBitmap).drawable);
    const QImage hintsOnly = Draw(flat, {}, Frame());
    EXPECT_EQ(CompareImages(hintsOnly, Draw(flat, points, Frame())).largestChannelDifference, 0);
}

TEST(FlightPath, ScaleAndRulersAppearAtTenPoints)
{
    const auto all = Loop(40);
    const FlightPathExtents extents = ExtentsOf(all);
    const auto scaleBarAt = [&](int count) {
        const std::vector<Point> flown(all.begin(), all.begin() + count);
        const QImage image = Draw(extents, flown, Frame());
        return IsBlue(image.pixel(252, 5));
    };
    EXPECT_FALSE(scaleBarAt(9));
    EXPECT_TRUE(scaleBarAt(10));
}

TEST(FlightPath, DistancesOfZeroDrawNoScaleAndNoEndlessRuler)
{
    const auto points = Loop(40);
    FlightPathExtents extents = ExtentsOf(points);
    extents.distNS = 0;
    extents.distEW = 0;
    const QImage image = Draw(extents, points, Frame());
    EXPECT_FALSE(IsBlue(image.pixel(252, 5)));

    extents = ExtentsOf(points);
    extents.distNS = extents.distEW = 1e12;  // a step far below a pixel
    Draw(extents, points, Frame());
}

TEST(FlightPath, MoveSymbolOnlyWhileDraggingAZoomedPath)
{
    const auto points = Loop(40);
    const FlightPathExtents extents = ExtentsOf(points);
    const QSize bitmap(int(600 * 1.5), int(500 * 1.5));
    const FlightPathFrame still{bitmap, kBitmap, QPoint(0, 0), 1.5f, false};
    const FlightPathFrame dragged{bitmap, kBitmap, QPoint(0, 0), 1.5f, true};
    const FlightPathFrame unzoomed{kBitmap, kBitmap, QPoint(0, 0), 1.0f, true};
    EXPECT_GT(CompareImages(Draw(extents, points, still), Draw(extents, points, dragged)).largestChannelDifference, 0);
    EXPECT_EQ(CompareImages(Draw(extents, points, Frame(1.0f, false)), Draw(extents, points, unzoomed))
                  .largestChannelDifference,
              0);
}

TEST(FlightPath, Golden)
{
    if (!gauge_test::GoldenFontsInstalled())
        GTEST_SKIP() << "the golden pictures need fonts-liberation2";
    const auto points = Loop(40);
    EXPECT_TRUE(
        gauge_test::MatchesGolden(QStringLiteral("flight_path_600x500"), Draw(ExtentsOf(points), points, Frame())));
}

}  // namespace
}  // namespace skarnel
