#include "gauges/gauge_pictures.h"
#include "gauges/picture_art.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace skarnel::gauges {
namespace {

constexpr int kStripSegments = 31;  // 10 units each on the 310-unit strip
constexpr int kGreenSegments = 19;
constexpr int kYellowSegments = 7;

QColor SegmentColour(int fromBottom)
{
    if (fromBottom < kGreenSegments)
        return {0x20, 0xE0, 0x40};
    if (fromBottom < kGreenSegments + kYellowSegments)
        return {0xF0, 0xE0, 0x20};
    return {0xF0, 0x30, 0x20};
}

void DrawLetter(QPainter& painter, QPointF centre, const QString& letter, double pixels)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(int(pixels));
    font.setBold(true);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.drawText(QPointF(centre.x() - metrics.horizontalAdvance(letter) / 2,
                             centre.y() + (metrics.ascent() - metrics.descent()) / 2),
                     letter);
}

// One arrow of the move symbol, pointing up from the centre of the 31-unit square.
QPolygonF UpArrow()
{
    return QPolygonF({{15.5, 1}, {22, 8}, {18, 8}, {18, 13}, {13, 13}, {13, 8}, {9, 8}});
}

struct Lamp {
    int picture;
    QRgb light;
};

constexpr std::array<Lamp, 4> kLamps{{
    {kStatusIdle, 0xFF707070},
    {kStatusBusy, 0xFFFFC000},
    {kStatusGood, 0xFF20E040},
    {kStatusFailed, 0xFFFF2020},
}};

}  // namespace

void PaintSegmentStrip(QPainter& painter)
{
    painter.fillRect(QRectF(0, 0, 21, 310), Qt::black);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < kStripSegments; ++i) {
        painter.setBrush(SegmentColour(i));
        painter.drawRect(QRectF(2, 310 - (i + 1) * 10 + 1.5, 17, 7));
    }
}

void PaintCompassRose(QPainter& painter)
{
    const QPointF centre(50, 50);
    QRadialGradient face(centre, 48);
    face.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    face.setColorAt(1, QColor(0xD8, 0xE0, 0xE8));
    painter.setPen(QPen(QColor(0x40, 0x50, 0x60), 2));
    painter.setBrush(face);
    painter.drawEllipse(centre, 47, 47);
    painter.setPen(QPen(QColor(0x90, 0xA0, 0xB0), 1));
    painter.drawEllipse(centre, 30, 30);
    for (int quarter = 0; quarter < 4; ++quarter) {
        painter.save();
        painter.translate(centre);
        painter.rotate(quarter * 90);
        painter.setPen(Qt::NoPen);
        painter.setBrush(quarter == 0 ? QColor(0xD0, 0x20, 0x20) : QColor(0x30, 0x40, 0x50));
        painter.drawPolygon(QPolygonF({{0, -34}, {6, -6}, {0, 0}}));
        painter.setBrush(quarter == 0 ? QColor(0xF0, 0x70, 0x70) : QColor(0x90, 0xA0, 0xB0));
        painter.drawPolygon(QPolygonF({{0, -34}, {-6, -6}, {0, 0}}));
        painter.rotate(45);
        painter.setBrush(QColor(0x70, 0x80, 0x90));
        painter.drawPolygon(QPolygonF({{0, -22}, {4, -4}, {-4, -4}}));
        painter.restore();
    }
    painter.setPen(QColor(0x20, 0x20, 0x20));
    DrawLetter(painter, {50, 9}, QStringLiteral("N"), 12);
    DrawLetter(painter, {91, 50}, QStringLiteral("E"), 12);
    DrawLetter(painter, {50, 91}, QStringLiteral("S"), 12);
    DrawLetter(painter, {9, 50}, QStringLiteral("W"), 12);
}

void PaintMoveSymbol(QPainter& painter)
{
    painter.setPen(QPen(QColor(0x20, 0x30, 0x60), 1));
    painter.setBrush(QColor(0x50, 0x80, 0xE0));
    for (int quarter = 0; quarter < 4; ++quarter) {
        painter.save();
        painter.translate(15.5, 15.5);
        painter.rotate(quarter * 90);
        painter.translate(-15.5, -15.5);
        painter.drawPolygon(UpArrow());
        painter.restore();
    }
    painter.drawEllipse(QPointF(15.5, 15.5), 2.5, 2.5);
}

bool PaintStatusLamp(QPainter& painter, int picture)
{
    for (const Lamp& lamp : kLamps) {
        if (lamp.picture != picture)
            continue;
        const QColor light = QColor::fromRgba(lamp.light);
        QRadialGradient glow(QPointF(8.5, 6.5), 8);
        glow.setColorAt(0, light.lighter(160));
        glow.setColorAt(0.6, light);
        glow.setColorAt(1, light.darker(180));
        painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
        painter.setBrush(glow);
        painter.drawEllipse(QPointF(10, 8.5), 7, 7);
        return true;
    }
    return false;
}

}  // namespace skarnel::gauges
