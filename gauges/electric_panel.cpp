#include "gauges/panel_instruments.h"
#include "gauges/sensor_panels.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <iterator>

namespace skarnel {

using namespace gauges;

namespace {

// A copy, so the span does not point into the packed record.
std::array<float, 14> CellVolts(const ElectricData& record)
{
    std::array<float, 14> volts{};
    std::copy(std::begin(record.cellVolt), std::end(record.cellVolt), volts.begin());
    return volts;
}

}  // namespace

void CGraph_Function_Electric::DrawPanel(QPainter& painter, const QRect& rect, const ElectricData& record)
{
    BeginPanel(painter, rect);
    const double W = rect.width(), H = rect.height();
    const float title = FontFactor();
    DrawAltTape(painter, title, QRectF(0, 0, W / 6, 0.6 * H), record.altitude, PanelKind::Electric);
    DrawRfBar(painter, title, QRectF(5 * W / 6, 0, W / 6, 0.6 * H), record.rxsq, PanelKind::Electric);
    DrawClimbDials(painter, title, QRectF(W / 6, 0, 2 * W / 3, 0.2 * H), {record.alt1sec, float(record.alt3sec), 0},
                   PanelKind::Electric);
    DrawPowerDials(painter, title, QRectF(W / 6, 0.2 * H, 2 * W / 3, 0.4 * H),
                   {record.powerV, record.current, record.capacity, 0}, PanelKind::Electric);
    DrawBattCells(painter, title, QRectF(0, 0.6 * H, 2 * W / 3, 0.4 * H), CellVolts(record));
    DrawSensorDials(painter, title, QRectF(2 * W / 3, 0.6 * H, W / 3, 0.4 * H),
                    {record.battVolt1, record.battVolt2, record.temp1, record.temp2}, PanelKind::Electric);
    DrawSeparator(painter, W / 6, 0.2 * H, 5 * W / 6, 0.2 * H);
    DrawSeparator(painter, 0, 0.6 * H, W, 0.6 * H);
    DrawSeparator(painter, W / 6, 0, W / 6, 0.6 * H);
    DrawSeparator(painter, 5 * W / 6, 0, 5 * W / 6, 0.6 * H);
    DrawSeparator(painter, 2 * W / 3, 0.6 * H, 2 * W / 3, H);
    FinishPanel(painter);
}

}  // namespace skarnel
