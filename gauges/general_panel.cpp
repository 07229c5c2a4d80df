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
std::array<float, 6> CellVolts(const GeneralData& record)
{
    std::array<float, 6> volts{};
    std::copy(std::begin(record.cellVolt), std::end(record.cellVolt), volts.begin());
    return volts;
}

}  // namespace

void CGraph_Function_General::DrawPanel(QPainter& painter, const QRect& rect, const GeneralData& record)
{
    BeginPanel(painter, rect);
    const double W = rect.width(), H = rect.height();
    const float title = FontFactor();
    DrawClimbDials(painter, title, QRectF(0, 0, 7 * W / 12, H / 4), {record.alt1sec, float(record.alt3sec), 0},
                   PanelKind::General);
    // The fuel gauge's region is larger than its share of the panel: its quarter dial fills only
    // the upper left of the square it is drawn in.
    DrawFuelGauge(painter, title, QRectF(7 * W / 12, 0, 1.3 * 5 * W / 12, 1.3 * H / 4), record.oilLevel, record.fuel);
    DrawAltTape(painter, title, QRectF(0, H / 4, W / 6, 5 * H / 12), record.altitude, PanelKind::General);
    DrawBattCells(painter, title, QRectF(W / 6, H / 4, 5 * W / 12, 5 * H / 12), CellVolts(record));
    DrawSensorDials(painter, title, QRectF(7 * W / 12, H / 4, W / 4, 5 * H / 12),
                    {record.battVolt1, record.battVolt2, record.temp1, record.temp2}, PanelKind::General);
    DrawRfBar(painter, title, QRectF(5 * W / 6, H / 4, W / 6, 5 * H / 12), record.rxsq, PanelKind::General);
    DrawPowerDials(painter, title, QRectF(0, 2 * H / 3, W, H / 3),
                   {record.powerV, record.current, record.capacity, record.rpm}, PanelKind::General);
    DrawSeparator(painter, 0, H / 4, W, H / 4);
    DrawSeparator(painter, 7 * W / 12, 0, 7 * W / 12, H / 4);
    DrawSeparator(painter, 0, 2 * H / 3, W, 2 * H / 3);
    for (double x : {W / 6, 7 * W / 12, 5 * W / 6})
        DrawSeparator(painter, x, H / 4, x, 2 * H / 3);
    FinishPanel(painter);
}

}  // namespace skarnel
