#include "gauges/gauge_style.h"
#include "gauges/panel_instruments.h"
#include "gauges/sensor_panels.h"

#include <QPainter>

namespace skarnel {

using namespace gauges;

void CGraph_Function_Panel::BeginPanel(QPainter& painter, const QRect& rect)
{
    painter.save();
    painter.translate(rect.topLeft());
    painter.setClipRect(QRect(0, 0, rect.width(), rect.height()));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    fontFactor_ = PanelFontFactor(rect.width());
    painter.fillRect(QRect(0, 0, rect.width(), rect.height()), GaugeColour(kBlack));
}

void CGraph_Function_Panel::FinishPanel(QPainter& painter)
{
    painter.restore();
}

void CGraph_Function_Panel::DrawSeparator(QPainter& painter, double x1, double y1, double x2, double y2)
{
    painter.setPen(QPen(GaugeColour(kWhite), 2));
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

}  // namespace skarnel
