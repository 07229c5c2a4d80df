#include "gauges/gauge_pictures.h"
#include "gauges/picture_art.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <limits>

// Dial faces are drawn on a 400 x 400 square centred at (200, 200), the size the dial drawing
// scales them from. The live ring of the dial covers radii 108 to 133 and its centre is black,
// so the face prints its scale outside radius 136 and its texts in the part the ring leaves open.
namespace skarnel::gauges {
namespace {

enum class FaceShape { Full, Arc, Half, Quarter };

struct FaceArt {
    int picture;
    FaceShape shape;
    double startAngle;  // where the printed scale begins, degrees clockwise from 3 o'clock
    double sweep;
    double first;  // printed values at both ends
    double last;
    double labelStep;
    double minorStep;
    const char* unit;
    const char* caption;
    double hotFrom;  // start of the yellow-to-red zone, or NaN
};

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

const std::array<FaceArt, 16> kFaces{{
    {kFaceClimb1Sec, FaceShape::Full, 30, 300, -120, 120, 40, 10, "m/1sec", "", kNone},
    {kFaceClimb3Sec, FaceShape::Full, 30, 300, -120, 120, 40, 10, "m/3sec", "", kNone},
    {kFaceClimb10Sec, FaceShape::Full, 30, 300, -120, 120, 40, 10, "m/10sec", "", kNone},
    {kFacePowerVolt, FaceShape::Arc, 150, 240, 0, 80, 20, 5, "Volt", "Power Volt", kNone},
    {kFacePowerCurrent80, FaceShape::Arc, 150, 240, 0, 80, 20, 5, "Amp", "Power Current", kNone},
    {kFacePowerCurrent320, FaceShape::Arc, 150, 240, 0, 320, 80, 20, "Amp", "Power Current", kNone},
    {kFacePowerRpm, FaceShape::Arc, 150, 240, 0, 100, 20, 5, "RPM x1000", "Power RPM", kNone},
    {kFacePowerCapacity, FaceShape::Arc, 150, 240, 0, 300, 50, 10, "mAh x100", "Power Capacity", kNone},
    {kFaceSensor1Volt, FaceShape::Half, 180, 180, 0, 80, 20, 5, "v", "Sensor1 Volt", kNone},
    {kFaceSensor2Volt, FaceShape::Half, 180, 180, 0, 80, 20, 5, "v", "Sensor2 Volt", kNone},
    {kFaceSensor1Temp, FaceShape::Half, 180, 180, -20, 200, 40, 10, "\u00B0C", "Sensor1 Temp", 90},
    {kFaceSensor2Temp, FaceShape::Half, 180, 180, -20, 200, 40, 10, "\u00B0C", "Sensor2 Temp", 90},
    {kFaceReceiverVolt, FaceShape::Half, 180, 180, 0, 8, 2, 0.5, "v", "Receiver Volt", kNone},
    {kFaceLowVolt, FaceShape::Half, 180, 180, 0, 8, 2, 0.5, "v", "Low Volt", kNone},
    {kFaceReceiverTemp, FaceShape::Half, 180, 180, -20, 200, 40, 10, "\u00B0C", "Receiver Temp", 90},
    {kFaceOilLevel, FaceShape::Quarter, 180, 90, 0, 100, 50, 10, "%", "Oil", kNone},
}};

constexpr QPointF kCentre(200, 200);
constexpr double kTrackInner = 108;
constexpr double kTrackOuter = 133;
constexpr double kTickInner = 140;
constexpr double kMinorOuter = 150;
constexpr double kMajorOuter = 158;
constexpr double kLabelRadius = 177;
constexpr double kDegrees = 3.141592653589793 / 180;

QPointF OnCircle(double radius, double angle)
{
    return {kCentre.x() + radius * std::cos(angle * kDegrees), kCentre.y() + radius * std::sin(angle * kDegrees)};
}

QRectF Circle(double radius)
{
    return {kCentre.x() - radius, kCentre.y() - radius, 2 * radius, 2 * radius};
}

double AngleOf(const FaceArt& face, double value)
{
    return face.startAngle + face.sweep * (value - face.first) / (face.last - face.first);
}

// A ring sector between two radii; angles clockwise from 3 o'clock.
QPainterPath RingSector(double inner, double outer, double start, double sweep)
{
    QPainterPath path;
    path.arcMoveTo(Circle(outer), -start);
    path.arcTo(Circle(outer), -start, -sweep);
    path.arcTo(Circle(inner), -(start + sweep), sweep);
    path.closeSubpath();
    return path;
}

QFont FaceFont(double pixels, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(int(pixels));
    font.setBold(bold);
    return font;
}

void DrawCentred(QPainter& painter, QPointF centre, const QString& text, const QFont& font, const QColor& colour)
{
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.ascent() - metrics.descent());
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(centre.x() - size.width() / 2, centre.y() + size.height() / 2), text);
}

// The body behind the scale: a dark disc with a brushed bezel, or the upper half of one for the
// half dials, whose second row overlaps the lower part of the square.
void PaintBody(QPainter& painter, const FaceArt& face)
{
    QPainterPath body;
    if (face.shape == FaceShape::Half) {
        body.moveTo(kCentre.x() - 198, 300);
        body.arcTo(Circle(198), 180, -180);
        body.lineTo(kCentre.x() + 198, 300);
        body.closeSubpath();
    } else if (face.shape == FaceShape::Quarter) {
        body.moveTo(kCentre.x() + 30, kCentre.y() + 30);
        body.lineTo(kCentre.x() - 198, kCentre.y() + 30);
        body.arcTo(Circle(198), 180, -90);
        body.lineTo(kCentre.x() + 30, kCentre.y() - 198);
        body.closeSubpath();
    } else {
        body.addEllipse(Circle(198));
    }
    QLinearGradient bezel(0, 0, 400, 400);
    bezel.setColorAt(0, QColor(0x9A, 0xA2, 0xAA));
    bezel.setColorAt(0.5, QColor(0x3A, 0x40, 0x46));
    bezel.setColorAt(1, QColor(0x82, 0x8A, 0x92));
    painter.setPen(Qt::NoPen);
    painter.setBrush(bezel);
    painter.drawPath(body);
    QRadialGradient inside(kCentre, 190);
    inside.setColorAt(0, QColor(0x1C, 0x22, 0x28));
    inside.setColorAt(1, QColor(0x06, 0x08, 0x0A));
    painter.setBrush(inside);
    painter.drawPath(QTransform().translate(200, 200).scale(0.96, 0.96).translate(-200, -200).map(body));
}

void PaintScale(QPainter& painter, const FaceArt& face)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x22, 0x2C, 0x34));
    painter.drawPath(RingSector(kTrackInner, kTrackOuter, face.startAngle, face.sweep));
    if (!std::isnan(face.hotFrom)) {
        const double from = AngleOf(face, face.hotFrom);
        QLinearGradient heat(OnCircle(kTickInner, from), OnCircle(kTickInner, AngleOf(face, face.last)));
        heat.setColorAt(0, QColor(0xFF, 0xE0, 0x00));
        heat.setColorAt(1, QColor(0xFF, 0x20, 0x00));
        painter.setBrush(heat);
        painter.drawPath(RingSector(kTickInner - 4, kTickInner + 2, from, AngleOf(face, face.last) - from));
    }
    const int minorCount = int(std::lround((face.last - face.first) / face.minorStep));
    const int perLabel = int(std::lround(face.labelStep / face.minorStep));
    const QFont labelFont = FaceFont(face.shape == FaceShape::Full ? 26 : 28, true);
    for (int i = 0; i <= minorCount; ++i) {
        const double value = face.first + i * face.minorStep;
        const double angle = AngleOf(face, value);
        const bool major = i % perLabel == 0;
        painter.setPen(QPen(QColor(0xF0, 0xF0, 0xF0), major ? 5 : 2.5, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(OnCircle(kTickInner, angle), OnCircle(major ? kMajorOuter : kMinorOuter, angle));
        if (major)
            DrawCentred(painter, OnCircle(kLabelRadius, angle), QString::number(value), labelFont, Qt::white);
    }
}

void PaintTexts(QPainter& painter, const FaceArt& face)
{
    const QColor textColour(0xD8, 0xE0, 0xE8);
    const QString unit = QString::fromUtf8(face.unit);
    const QString caption = QString::fromUtf8(face.caption);
    switch (face.shape) {
    case FaceShape::Full: DrawCentred(painter, {328, 200}, unit, FaceFont(22, true), textColour); break;
    case FaceShape::Arc:
        DrawCentred(painter, {200, 262}, unit, FaceFont(26, true), textColour);
        DrawCentred(painter, {200, 352}, caption, FaceFont(30, true), Qt::white);
        break;
    case FaceShape::Half:
        DrawCentred(painter, {200, 246}, unit, FaceFont(28, true), textColour);
        DrawCentred(painter, {200, 282}, caption, FaceFont(30, true), Qt::white);
        break;
    case FaceShape::Quarter:
        DrawCentred(painter, {165, 165}, caption + " " + unit, FaceFont(26, true), textColour);
        break;
    }
}

// The ring dial's cap: the pie of 0.54 of the dial from 2 degrees before the scale to 8 after it.
void PaintCap(QPainter& painter, const FaceArt& face)
{
    const QRectF cap(92, 92, 216, 216);
    QPainterPath pie;
    pie.moveTo(cap.center());
    pie.arcTo(cap, -(face.startAngle - 2), -(face.sweep + 10));
    pie.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPath(pie);
}

}  // namespace

bool PaintDialFace(QPainter& painter, int picture, bool capped)
{
    for (const FaceArt& face : kFaces) {
        if (face.picture != picture)
            continue;
        PaintBody(painter, face);
        PaintScale(painter, face);
        PaintTexts(painter, face);
        if (capped)
            PaintCap(painter, face);
        return true;
    }
    return false;
}

}  // namespace skarnel::gauges
