#include "gauges/gauge_font.h"
#include "gauges/gauge_style.h"
#include "gauges/gauge_text.h"
#include "gauges/panel_instruments.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <algorithm>

namespace skarnel::gauges {
namespace {

constexpr int kMarkSpacing = 10;
constexpr int kMajorSpacing = 50;

// Floor division that also rounds negative numbers down.
int64_t FloorToMultiple(int64_t value, int64_t step)
{
    const int64_t quotient = value / step;
    return (quotient * step > value ? quotient - 1 : quotient) * step;
}

std::vector<TapeMark> MarksAround(int centre, int reach, bool labelNegative)
{
    std::vector<TapeMark> marks;
    const int64_t first = FloorToMultiple(int64_t{centre} - reach + kMarkSpacing - 1, kMarkSpacing);
    const int64_t last = std::min<int64_t>(int64_t{centre} + reach, std::numeric_limits<int>::max());
    for (int64_t v = std::max<int64_t>(first, std::numeric_limits<int>::min() + 8); v <= last; v += kMarkSpacing) {
        const bool major = v % kMajorSpacing == 0;
        marks.push_back({static_cast<int>(v), major, major && (labelNegative || v >= 0)});
    }
    return marks;
}

double MarkY(double centreY, double height, int value, int centre)
{
    return centreY - (double(value) - centre) * height / 200;
}

void DrawLine(QPainter& painter, double width, QPointF from, QPointF to)
{
    painter.setPen(QPen(GaugeColour(kWhite), width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, to);
}

void DrawPointer(QPainter& painter, const QPolygonF& pointer)
{
    painter.setBrush(GaugeColour(kBlack));
    painter.setPen(QPen(GaugeColour(kLightGreen), 2));
    painter.drawPolygon(pointer);
}

const std::array<const char*, 4> kCompassLetters{"N", "E", "S", "W"};

}  // namespace

std::vector<TapeMark> AltTapeMarks(int altitude)
{
    return MarksAround(altitude, 89, true);
}

std::vector<TapeMark> SpeedTapeMarks(int speed)
{
    return MarksAround(speed, 94, false);
}

std::vector<HeadingMark> HeadingMarks(int heading)
{
    std::vector<HeadingMark> marks;
    constexpr int kReach = 84;
    for (int k = -kReach; k <= kReach; ++k) {
        const int value = ((heading + k) % 360 + 360) % 360;
        if (value % 10 != 0)
            continue;
        const QString letter = value % 90 == 0 ? QString::fromLatin1(kCompassLetters[size_t(value / 90)]) : QString();
        marks.push_back({k, value, value % 30 == 0, letter});
    }
    return marks;
}

void DrawAltTape(QPainter& painter, float fontFactor, const QRectF& region, int altitude, PanelKind panel)
{
    const double x = region.x(), y = region.y(), w = region.width(), h = region.height();
    const double u = w / 15, yc = y + h / 2;
    const TapeSizes sizes = AltTapeSizes(w, panel);
    const QFont labelFont = CreateGaugeFont(kSegmentFamily, kRegular, sizes.labelSize, *painter.device());
    const double labelHeight = MeasureGaugeText(painter, labelFont, QStringLiteral("0")).height();
    for (const TapeMark& mark : AltTapeMarks(altitude)) {
        const double yv = MarkY(yc, h, mark.value, altitude);
        if (!mark.major) {
            DrawLine(painter, 2, {x + 11 * u, yv}, {x + 14 * u, yv});
            continue;
        }
        DrawLine(painter, 4, {x + 10 * u, yv}, {x + 14 * u, yv});
        DrawRightAlignedText(painter, x + 10 * u, yv - labelHeight / 2, GaugeColour(kRed), labelFont,
                             QString::number(mark.value));
    }
    const double p = sizes.pointerHalfHeight;
    DrawPointer(painter, QPolygonF({{x + 5, yc - p},
                                    {x + 10 * u, yc - p},
                                    {x + 10 * u + 10, yc - p + 10},
                                    {x + 12.5 * u, yc},
                                    {x + 10 * u + 10, yc + p - 10},
                                    {x + 10 * u, yc + p},
                                    {x + 5, yc + p}}));
    QFont valueFont = CreateGaugeFont(kSegmentFamily, kRegular, sizes.valueSize, *painter.device());
    const QString value = QString::asprintf("%4dm", altitude);
    ShrinkToFit(painter, valueFont, value, 10 * u - 10);
    DrawGaugeText(painter, {x + 10, yc - p}, GaugeColour(kAqua), valueFont, value);
    DrawGaugeTitle(painter, {x, y}, fontFactor, QStringLiteral("ALT"));
}

void DrawSpeedTape(QPainter& painter, float fontFactor, const QRectF& region, int speed)
{
    const double x = region.x(), y = region.y(), w = region.width(), h = region.height();
    const double u = w / 15, yc = y + h / 2;
    const TapeSizes sizes = AltTapeSizes(w, PanelKind::Gps);
    const QFont labelFont = CreateGaugeFont(kSegmentFamily, kRegular, sizes.labelSize, *painter.device());
    const double labelHeight = MeasureGaugeText(painter, labelFont, QStringLiteral("0")).height();
    for (const TapeMark& mark : SpeedTapeMarks(speed)) {
        const double yv = MarkY(yc, h, mark.value, speed);
        DrawLine(painter, mark.major ? 4 : 2, {x + u, yv}, {x + (mark.major ? 5 : 4) * u, yv});
        if (mark.labelled)
            DrawGaugeText(painter, {x + 5 * u, yv - labelHeight / 2}, GaugeColour(kRed), labelFont,
                          QString::number(mark.value));
    }
    const double p = sizes.pointerHalfHeight;
    DrawPointer(painter, QPolygonF({{x + w - 5, yc - p},
                                    {x + 5 * u, yc - p},
                                    {x + 5 * u - 10, yc - p + 10},
                                    {x + 2.5 * u, yc},
                                    {x + 5 * u - 10, yc + p - 10},
                                    {x + 5 * u, yc + p},
                                    {x + w - 5, yc + p}}));
    QFont valueFont = CreateGaugeFont(kSegmentFamily, kRegular, sizes.valueSize, *painter.device());
    const QString value = QString::asprintf("%4dkm/h", speed);
    ShrinkToFit(painter, valueFont, value, w - 5 * u - 5);
    DrawGaugeText(painter, {x + 5 * u, yc - p}, GaugeColour(kAqua), valueFont, value);
    const QFont titleFont = CreateGaugeFont(kCaptionFamily, kBoldUnderlined, fontFactor, *painter.device());
    DrawRightAlignedText(painter, x + w, y, GaugeColour(kWhite), titleFont, QStringLiteral("SPD"));
}

void DrawHeadingTape(QPainter& painter, float fontFactor, const QRectF& region, int heading)
{
    const double x = region.x(), y = region.y(), w = region.width(), h = region.height();
    const double perDegree = w / 170, xc = x + w / 2;
    heading = heading >= 0 && heading <= 360 ? heading : (heading % 360 + 360) % 360;
    const QFont letterFont = CreateGaugeFont(kCaptionFamily, kRegular, 5, *painter.device());
    const double letterHeight = MeasureGaugeText(painter, letterFont, QStringLiteral("N")).height();
    for (const HeadingMark& mark : HeadingMarks(heading)) {
        const double xv = xc + mark.degreesFromCentre * perDegree;
        const double top = mark.major ? y + 2 * h / 3 : y + 4 * h / 5;
        DrawLine(painter, mark.major ? 4 : 2, {xv, top}, {xv, y + h - 10});
        if (!mark.letter.isEmpty())
            DrawCentredText(painter, xv, y + 2 * h / 3 - 2 - letterHeight, GaugeColour(kWhite), letterFont,
                            mark.letter);
    }
    // The digits stand on the pointer's top and shrink, if need be, a step at a time until they
    // keep two pixels clear of the panel's edge; their glyphs reach higher than the font's ascent.
    QFont valueFont = CreateGaugeFont(kSegmentFamily, kRegular, 7, *painter.device());
    const QString value = QString::number(heading);
    const double room = h / 2 - 3;
    const auto glyphHeight = [&] { return -QFontMetricsF(valueFont, painter.device()).tightBoundingRect(value).top(); };
    while (glyphHeight() > room - 2 && valueFont.pointSizeF() > 2)
        valueFont.setPointSizeF(valueFont.pointSizeF() * 0.95);
    DrawCentredText(painter, xc, y + room - QFontMetricsF(valueFont, painter.device()).ascent(), GaugeColour(kAqua),
                    valueFont, value);
    painter.setPen(Qt::NoPen);
    painter.setBrush(GaugeColour(kRed));
    painter.drawPolygon(QPolygonF({{std::trunc(xc - 5), std::trunc(y + h / 2 - 3)},
                                   {std::trunc(xc + 5), std::trunc(y + h / 2 - 3)},
                                   {std::trunc(xc), std::trunc(y + h - 10)}}));
    DrawGaugeTitle(painter, {x, y}, fontFactor, QStringLiteral("HEADING"));
}

}  // namespace skarnel::gauges
