#include "gauges/gauge_font.h"
#include "gauges/gauge_style.h"
#include "gauges/gauge_text.h"
#include "gauges/panel_instruments.h"

#include <QPainter>

#include <array>

namespace skarnel::gauges {
namespace {

constexpr double kReadoutSize = 12;  // millimetres

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
    const QFont digits = CreateGaugeFont(kSegmentFamily, kRegular, kReadoutSize, *painter.device());
    DrawGaugeText(painter, {x, y + m}, GaugeColour(kAqua), digits, PositionText(gps.nsHigh, gps.nsLow));
    DrawGaugeText(painter, {x, y + h / 2 + m}, GaugeColour(kAqua), digits, PositionText(gps.ewHigh, gps.ewLow));
}

void DrawDistance(QPainter& painter, float fontFactor, const QRectF& region, int distance)
{
    const QFont digits =
        CreateGaugeFont(kSegmentFamily, kRegular, DistanceTextSize(region.height()), *painter.device());
    DrawCentredText(painter, region.center().x(), region.y() + region.width() / 3, GaugeColour(kAqua), digits,
                    QString::asprintf("%dm", distance));
    DrawGaugeTitle(painter, region.topLeft(), fontFactor, QStringLiteral("Distance"));
}

void DrawAltMaxMin(QPainter& painter, float fontFactor, const QRectF& region, int altMax, int altMin)
{
    const double x = region.x(), y = region.y(), quarter = region.height() / 2;
    const QFont caption = CreateGaugeFont(kCaptionFamily, kBoldUnderlined, fontFactor, *painter.device());
    DrawGaugeText(painter, {x, y}, GaugeColour(kWhite), caption, QStringLiteral("Max"));
    DrawGaugeText(painter, {x, y + quarter}, GaugeColour(kWhite), caption, QStringLiteral("Min"));
    const double m = MeasureGaugeText(painter, caption, QStringLiteral("Max")).height();
    const QFont digits = CreateGaugeFont(kSegmentFamily, kRegular, kReadoutSize, *painter.device());
    DrawGaugeText(painter, {x + 20, y + m}, GaugeColour(kAqua), digits, QString::asprintf("%d m", altMax));
    DrawGaugeText(painter, {x + 20, y + quarter + m}, GaugeColour(kAqua), digits, QString::asprintf("%d m", altMin));
}

}  // namespace skarnel::gauges
