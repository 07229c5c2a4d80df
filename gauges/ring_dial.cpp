#include "gauges/ring_dial.h"

#include "gauges/gauge_font.h"
#include "gauges/gauge_pictures.h"
#include "gauges/gauge_style.h"
#include "gauges/gauge_text.h"

#include <QPainter>
#include <QVector>
#include <QtMath>

#include <array>
#include <cmath>

namespace skarnel::gauges {
namespace {

constexpr double kSegmentDegrees = 3;
// The dial's cap (0.54 of the dial) covers the radii inside this fraction of the ring's rectangle
// (2/3 of the dial), so the dial draws its segment marks from there outwards.
constexpr double kHiddenByCap = 0.81;

const std::array<DialFace, 16> kDialFaces{{
    {kFaceClimb1Sec, 30, 300, 180, -120, 120},
    {kFaceClimb3Sec, 30, 300, 180, -120, 120},
    {kFaceClimb10Sec, 30, 300, 180, -120, 120},
    {kFacePowerVolt, 150, 240, 150, 0, 80},
    {kFacePowerCurrent80, 150, 240, 150, 0, 80},
    {kFacePowerCurrent320, 150, 240, 150, 0, 320},
    {kFacePowerRpm, 150, 240, 150, 0, 100000},
    {kFacePowerCapacity, 150, 240, 150, 0, 30000},
    {kFaceSensor1Volt, 180, 180, 180, 0, 80},
    {kFaceSensor2Volt, 180, 180, 180, 0, 80},
    {kFaceSensor1Temp, 180, 180, 180, -20, 200},
    {kFaceSensor2Temp, 180, 180, 180, -20, 200},
    {kFaceReceiverVolt, 180, 180, 180, 0, 8},
    {kFaceLowVolt, 180, 180, 180, 0, 8},
    {kFaceReceiverTemp, 180, 180, 180, -20, 200},
    {kFaceOilLevel, 180, 90, 180, 0, 100},
}};

struct SizeStep {
    double below;
    double millimetres;
};

constexpr std::array<SizeStep, 9> kValueTextSizes{{
    {125, 3},
    {150, 4},
    {175, 5},
    {200, 6},
    {225, 7},
    {250, 8},
    {275, 9},
    {300, 10},
    {325, 11},
}};

}  // namespace

const DialFace* FindDialFace(int picture)
{
    for (const DialFace& face : kDialFaces)
        if (face.picture == picture)
            return &face;
    return nullptr;
}

DialWedge RingWedge(const DialFace& face, double value, double offset)
{
    const double range = face.maximum - face.minimum;
    const double perUnit = range > 0 ? face.sweep / range : 0;
    const double turned = perUnit * (ClampReading(value, face.minimum, face.maximum) + offset);
    if (turned >= 0)
        return {face.zero, turned};
    return {face.zero + turned, -turned};
}

double DialValueTextSize(double width)
{
    for (const SizeStep& step : kValueTextSizes)
        if (width <= step.below)
            return step.millimetres;
    return 12;
}

QPainterPath PieSlice(const QRectF& rect, double start, double sweep)
{
    QPainterPath pie;
    pie.moveTo(rect.center());
    pie.arcTo(rect, -start, -sweep);
    pie.closeSubpath();
    return pie;
}

void DrawSegmentMarks(QPainter& painter, const QRectF& rect, double start, double sweep, double innerFraction)
{
    if (!(sweep >= kSegmentDegrees))
        return;
    // The outlines of the slices together are their radii and one arc over all of them; drawn so,
    // each line is stroked once instead of twice.
    const int count = static_cast<int>(sweep / kSegmentDegrees);
    const QPointF centre = rect.center();
    const double rx = rect.width() / 2, ry = rect.height() / 2;
    QVector<QLineF> radii;
    radii.reserve(count + 1);
    for (int i = 0; i <= count; ++i) {
        const double angle = qDegreesToRadians(start + i * kSegmentDegrees);
        const QPointF direction(std::cos(angle), std::sin(angle));
        radii.append(QLineF(centre + innerFraction * QPointF(rx * direction.x(), ry * direction.y()),
                            centre + QPointF(rx * direction.x(), ry * direction.y())));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(GaugeColour(kBlack), 0.5));
    painter.drawLines(radii);
    QPainterPath arc;
    arc.arcMoveTo(rect, -start);
    arc.arcTo(rect, -start, -count * kSegmentDegrees);
    painter.drawPath(arc);
}

void DrawRingDial(QPainter& painter, const QRectF& rect, const DialFace& face, double value, double offset,
                  bool oneDecimal, bool frame)
{
    const double x = rect.x(), y = rect.y(), w = rect.width(), h = rect.height();
    value = ClampReading(value, face.minimum, face.maximum);
    // The face comes with the black cap already on it (0.54 of the dial from capStart - 2 over
    // sweep + 10), and the wedge is filled only outside the cap: the same picture as a pie from
    // the centre covered by the cap, for one filled ring instead of two large pies per paint.
    DrawGaugePicture(painter, face.picture + kCappedFace, rect);
    const QRectF ring(x + w / 6, y + h / 6, 2 * w / 3, 2 * h / 3);
    const QRectF cap(x + 0.23 * w, y + 0.23 * h, 0.54 * w, 0.54 * h);
    const DialWedge wedge = RingWedge(face, value, offset);
    QPainterPath ringWedge;
    ringWedge.arcMoveTo(ring, -wedge.start);
    ringWedge.arcTo(ring, -wedge.start, -wedge.sweep);
    ringWedge.arcTo(cap, -(wedge.start + wedge.sweep), wedge.sweep);
    ringWedge.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(GaugeColour(kAqua));
    painter.drawPath(ringWedge);
    DrawSegmentMarks(painter, ring, wedge.start, wedge.sweep, kHiddenByCap);

    const QString text = QString::asprintf(oneDecimal ? "%.1f" : "%.0f", value);
    QFont font = CreateGaugeFont(kSegmentFamily, kRegular, DialValueTextSize(w), *painter.device());
    ShrinkToFit(painter, font, text, (frame ? 0.36 : 0.5) * w - 4);  // five wide digits stay in the box
    DrawCentredText(painter, x + w / 2, y + h / 2 - 0.09 * h, GaugeColour(kAqua), font, text);

    if (frame) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(GaugeColour(kLightGreen), 2));
        painter.drawRect(QRectF(x + w / 2 - 0.18 * w, y + h / 2 - 0.09 * h, 0.36 * w, 0.18 * h));
    }
}

}  // namespace skarnel::gauges
