#include "gauges/panel_instruments.h"
#include "gauges/sensor_panels.h"

#include <QPainter>

namespace skarnel {

using namespace gauges;

void CGraph_Function_Vario::DrawPanel(QPainter& painter, const QRect& rect, const VarioData& record)
{
    BeginPanel(painter, rect);
    const double W = rect.width(), H = rect.height();
    const float title = FontFactor();
    DrawAltTape(painter, title, QRectF(0, 0, W / 4, H), record.altitude, PanelKind::Vario);
    DrawClimbDials(painter, title, QRectF(W / 4, 0, 3 * W / 4, H / 2),
                   {record.alt1sec, record.alt3sec, record.alt10sec}, PanelKind::Vario);
    DrawRfBar(painter, title, QRectF(3 * W / 4, H / 2, W / 4, H / 2), record.rxsq, PanelKind::Vario);
    DrawAltMaxMin(painter, title, QRectF(W / 4, H / 2, W / 2, H / 2), record.altMax, record.altMin);
    DrawSeparator(painter, W / 4, 0, W / 4, H);
    DrawSeparator(painter, W / 4, H / 2, W, H / 2);
    DrawSeparator(painter, 3 * W / 4, H / 2, 3 * W / 4, H);
    FinishPanel(painter);
}

}  // namespace skarnel
