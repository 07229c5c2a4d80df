#include "gauges/gauge_font.h"
#include "gauges/gauge_style.h"
#include "gauges/gauge_text.h"
#include "gauges/panel_instruments.h"

#include <QPainter>

#include <array>

namespace skarnel::gauges {
namespace {

constexpr double kReadoutSize = 12;  // millimetres
// The half of a separator line that lies inside a region, and a pixel clear of it.
constexpr double kSeparatorRoom = 2;

struct HeightStep {
    double below;
    double millimetres;
};
constexpr std::array<HeightStep, 5> kDistanceSizes{{{120, 4}, {145, 5}, {170, 6}, {195, 7}, {220, 8}}};

double DistanceTextSize(double height)
{
    for (const HeightStep& step : kDistanceSizes)
        if (height < step.below)
            return step.millimetres;
    return 9;
}

}  // namespace

void DrawPosition(QPainter& painter, float fontFactor, const QRectF& region, const GpsData& gps)
{
    const double x = region.x(), y = region.y(), h = region.height();
    const QFont caption = CreateGaugeFont(kCaptionFamily, kBold, fontFactor + 2, *painter.device());
    const QString latitude =
        gps.ns == 0 ? QStringLiteral("N-S : North Latitude") : QStringLiteral("N-S : South Latitude");
    const QString longitude =
        gps.ew == 0 ? QStringLiteral("E-W : East Longitude") : QStringLiteral("E-W : West Longitude");
    DrawGaugeText(painter, {x, y}, GaugeColour(kWhite), caption, latitude);
    DrawGaugeText(painter, {x, y + h / 2}, GaugeColour(kWhite), caption, longitude);
    const double m = MeasureGaugeText(painter, caption, latitude).height();
    QFont digits = CreateGaugeFont(kSegmentFamily, kRegular, kReadoutSize, *painter.device());
    const QString latitudeText = PositionText(gps.nsHigh, gps.nsLow);
    const QString longitudeText = PositionText(gps.ewHigh, gps.ewLow);
    // Both texts have the same length; they end clear of the separator on the region's right.
    ShrinkToFit(painter, digits, latitudeText, region.width() - kSeparatorRoom);
    DrawGaugeText(painter, {x, y + m}, GaugeColour(kAqua), digits, latitudeText);
    DrawGaugeText(painter, {x, y + h / 2 + m}, GaugeColour(kAqua), digits, longitudeText);
}

void DrawDistance(QPainter& painter, float fontFactor, const QRectF& region, int distance)
{
    QFont digits = CreateGaugeFont(kSegmentFamily, kRegular, DistanceTextSize(region.height()), *painter.device());
    const QString text = QString::asprintf("%dm", distance);
    ShrinkToFit(painter, digits, text, region.width() - 4);
    DrawCentredText(painter, region.center().x(), region.y() + region.width() / 3, GaugeColour(kAqua), digits, text);
    DrawGaugeTitle(painter, region.topLeft(), fontFactor, QStringLiteral("Distance"));
}

void DrawAltMaxMin(QPainter& painter, float fontFactor, const QRectF& region, int altMax, int altMin)
{
    const double x = region.x(), y = region.y(), quarter = region.height() / 2;
    const QFont caption = CreateGaugeFont(kCaptionFamily, kBoldUnderlined, fontFactor, *painter.device());
    DrawGaugeText(painter, {x, y}, GaugeColour(kWhite), caption, QStringLiteral("Max"));
    DrawGaugeText(painter, {x, y + quarter}, GaugeColour(kWhite), caption, QStringLiteral("Min"));
    const double m = MeasureGaugeText(painter, caption, QStringLiteral("Max")).height();
    QFont digits = CreateGaugeFont(kSegmentFamily, kRegular, kReadoutSize, *painter.device());
    const QString maxText = QString::asprintf("%d m", altMax);
    const QString minText = QString::asprintf("%d m", altMin);
    ShrinkToFit(painter, digits, maxText.size() > minText.size() ? maxText : minText, region.width() - 20);
    DrawGaugeText(painter, {x + 20, y + m}, GaugeColour(kAqua), digits, maxText);
    DrawGaugeText(painter, {x + 20, y + quarter + m}, GaugeColour(kAqua), digits, minText);
}

}  // namespace skarnel::gauges
