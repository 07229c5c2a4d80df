#include "gauges/panel_instruments.h"
#include "gauges/sensor_panels.h"

#include <QPainter>

namespace skarnel {

using namespace gauges;

void CGraph_Function_Gps::DrawPanel(QPainter& painter, const QRect& rect, const GpsData& record)
{
    BeginPanel(painter, rect);
    const double W = rect.width(), H = rect.height();
    const float title = FontFactor();
    DrawAltTape(painter, title, QRectF(0, 0, W / 6, 0.6 * H), record.altitude, PanelKind::Gps);
    DrawHeadingTape(painter, title, QRectF(W / 6, 0, 2 * W / 3, 0.15 * H), record.direct);
    DrawSpeedTape(painter, title, QRectF(5 * W / 6, 0, W / 6, 0.6 * H), record.speed);
    DrawClimbDials(painter, title, QRectF(0, 0.6 * H, 2 * W / 3, 0.4 * H), {record.alt1sec, float(record.alt3sec), 0},
                   PanelKind::Gps);
    DrawDistance(painter, title, QRectF(2 * W / 3, 0.6 * H, W / 6, 0.4 * H), record.distance);
    DrawRfBar(painter, title, QRectF(5 * W / 6, 0.6 * H, W / 6, 0.4 * H), record.rxsq, PanelKind::Gps);
    DrawPosition(painter, title, QRectF(W / 6, 0.15 * H, 2 * W / 3, 0.45 * H), record);
    DrawSeparator(painter, 0, 0.6 * H, W, 0.6 * H);
    DrawSeparator(painter, W / 6, 0, W / 6, 0.6 * H);
    DrawSeparator(painter, W / 6, 0.15 * H, 5 * W / 6, 0.15 * H);
    DrawSeparator(painter, 5 * W / 6, 0, 5 * W / 6, H);
    DrawSeparator(painter, 2 * W / 3, 0.6 * H, 2 * W / 3, H);
    FinishPanel(painter);
}

}  // namespace skarnel
