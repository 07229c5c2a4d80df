#include "telemetry/views/live_log_lights.h"

#include <QPainter>
#include <QRadialGradient>

namespace skarnel {
namespace {

constexpr QSize kPictureSize(20, 17);

QColor LampColour(LiveLogLight light)
{
    switch (light) {
    case LiveLogLight::Busy: return {0xF0, 0xA8, 0x20};
    case LiveLogLight::Good: return {0x30, 0xC0, 0x40};
    case LiveLogLight::Failed: return {0xE0, 0x30, 0x30};
    default: return {0x90, 0x90, 0x90};
    }
}

}  // namespace

QPixmap LiveLogLightPicture(LiveLogLight light)
{
    QPixmap picture(kPictureSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF lamp(3.5, 1.5, 13, 13);
    QRadialGradient glow(lamp.center() - QPointF(2, 2), 8);
    const QColor colour = LampColour(light);
    glow.setColorAt(0, colour.lighter(170));
    glow.setColorAt(1, colour);
    painter.setBrush(glow);
    painter.setPen(QPen(colour.darker(160), 1));
    painter.drawEllipse(lamp);
    return picture;
}

}  // namespace skarnel
