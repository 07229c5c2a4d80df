#include "gauges/gauge_text.h"
#include "gauges/panel_instruments.h"
#include "gauges/sensor_panels.h"

#include <QPainter>

#include <array>
#include <cstdint>

namespace skarnel {

using namespace gauges;

namespace {

constexpr std::array<ReceiverBarScale, 4> kBars{{
    {"Quality", "%", 0, 100},
    {"Strength", "%", 0, 100},
    {"RXSQ", "dbm", 0, 100},
    {"Time", "ms", 0, 2000},
}};

}  // namespace

void CGraph_Function_Receiver::DrawPanel(QPainter& painter, const QRect& rect, const ReceiverData& record)
{
    BeginPanel(painter, rect);
    const double W = rect.width(), H = rect.height();
    const std::array<int, 4> values{record.quality, record.strength, record.rxsq, record.lossPack};
    for (size_t n = 0; n < kBars.size(); ++n)
        DrawReceiverBar(painter, QRectF(double(n) * W / 4, 0, W / 4, 0.6 * H), kBars[n], values[n]);
    // The receiver reports its temperature as a signed 16-bit number.
    const int temperature = static_cast<int16_t>(record.recvTemp);
    DrawSensorDials(painter, FontFactor(), QRectF(0, 0.6 * H, W, 0.4 * H),
                    {record.recvVolt, record.lowVolt, temperature, 0}, PanelKind::Receiver);
    DrawGaugeTitle(painter, {0, 0}, FontFactor(), QStringLiteral("RF"));
    DrawGaugeTitle(painter, {3 * W / 4, 0}, FontFactor(), QStringLiteral("Loss"));
    DrawSeparator(painter, 0, 0.6 * H, W, 0.6 * H);
    DrawSeparator(painter, 3 * W / 4, 0, 3 * W / 4, 0.6 * H);
    FinishPanel(painter);
}

}  // namespace skarnel
