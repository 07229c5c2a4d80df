#include "gauges/gauge_font.h"
#include "gauges/gauge_pictures.h"
#include "gauges/gauge_style.h"
#include "gauges/gauge_text.h"
#include "gauges/panel_instruments.h"
#include "gauges/ring_dial.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace skarnel::gauges {
namespace {

struct DialReading {
    int picture;
    double value;
    double offset;
    bool oneDecimal;
};

void DrawDial(QPainter& painter, double x, double y, double side, const DialReading& reading, bool frame)
{
    const DialFace* face = FindDialFace(reading.picture);
    if (face)
        DrawRingDial(painter, QRectF(x, y, side, side), *face, reading.value, reading.offset, reading.oneDecimal,
                     frame);
}

// Integer fields are clamped as integers and shown as their float value.
double ClampInteger(int value, int low, int high)
{
    return std::clamp(value, low, high);
}

void DrawDialRow(QPainter& painter, const QRectF& region, double side, double top, std::span<const DialReading> dials,
                 bool frame)
{
    const double count = double(dials.size());
    const double gap = (region.width() - count * side) / (count + 1);
    for (size_t n = 0; n < dials.size(); ++n)
        DrawDial(painter, region.x() + double(n + 1) * gap + double(n) * side, top, side, dials[n], frame);
}

constexpr double kClimbLimit = 120;
constexpr int kTempLow = -20, kTempHigh = 200, kTempOffset = 20;

}  // namespace

void DrawClimbDials(QPainter& painter, float fontFactor, const QRectF& region, const ClimbRates& rates, PanelKind panel)
{
    const double w = region.width(), h = region.height(), y = region.y();
    const double one = ClampReading(rates.alt1sec, -kClimbLimit, kClimbLimit);
    if (panel == PanelKind::Vario) {
        const double side = std::min(h, w / 3);
        const std::array<DialReading, 3> dials{{
            {kFaceClimb1Sec, one, 0, true},
            {kFaceClimb3Sec, ClampReading(rates.alt3sec, -kClimbLimit, kClimbLimit), 0, true},
            {kFaceClimb10Sec, ClampReading(rates.alt10sec, -kClimbLimit, kClimbLimit), 0, true},
        }};
        DrawDialRow(painter, region, side, y + (h - side) / 2, dials, true);
    } else {
        // Alt 3sec is an integer field on these panels; the float carries its exact value.
        const double three = std::round(ClampReading(rates.alt3sec, -kClimbLimit, kClimbLimit));
        const std::array<DialReading, 2> dials{{
            {kFaceClimb1Sec, one, 0, true},
            {kFaceClimb3Sec, three, 0, false},
        }};
        const bool gps = panel == PanelKind::Gps;
        const double side = std::min(gps ? 0.8 * h : h, w / 2);
        DrawDialRow(painter, region, side, gps ? y + h / 10 : y, dials, true);
    }
    DrawGaugeTitle(painter, region.topLeft(), fontFactor, QStringLiteral("Climb Rate"));
}

void DrawPowerDials(QPainter& painter, float fontFactor, const QRectF& region, const PowerValues& power,
                    PanelKind panel)
{
    const double w = region.width(), h = region.height(), y = region.y();
    const double volts = ClampReading(power.powerV, 0, 80);
    const double capacity = ClampReading(power.capacity, 0, 30000);
    if (panel == PanelKind::General) {
        const double side = std::min(h, w / 4);
        const std::array<DialReading, 4> dials{{
            {kFacePowerRpm, ClampInteger(power.rpm, 0, 100000), 0, false},
            {kFacePowerVolt, volts, 0, true},
            {kFacePowerCurrent80, ClampReading(power.current, 0, 80), 0, true},
            {kFacePowerCapacity, capacity, 0, false},
        }};
        DrawDialRow(painter, region, side, y + 0.7 * (h - side), dials, true);
        DrawGaugeTitle(painter, region.topLeft(), fontFactor, QStringLiteral(" Power "));
        return;
    }
    const double side = std::min(h, w / 3);
    const std::array<DialReading, 3> dials{{
        {kFacePowerVolt, volts, 0, true},
        {kFacePowerCurrent320, ClampReading(power.current, 0, 320), 0, true},
        {kFacePowerCapacity, capacity, 0, false},
    }};
    DrawDialRow(painter, region, side, y + (h - side) / 2, dials, true);
    DrawGaugeTitle(painter, region.topLeft(), fontFactor, QStringLiteral("Power "));
}

void DrawSensorDials(QPainter& painter, float fontFactor, const QRectF& region, const SensorValues& sensors,
                     PanelKind panel)
{
    const double x = region.x(), y = region.y(), w = region.width(), h = region.height();
    if (panel == PanelKind::Receiver) {
        const double side = std::min(h, w / 3);
        const std::array<DialReading, 3> dials{{
            {kFaceReceiverVolt, ClampReading(sensors.volt1, 0, 8), 0, true},
            {kFaceLowVolt, ClampReading(sensors.volt2, 0, 8), 0, true},
            {kFaceReceiverTemp, ClampInteger(sensors.temp1, kTempLow, kTempHigh), kTempOffset, false},
        }};
        DrawDialRow(painter, region, side, y + 0.2 * h, dials, false);
    } else {
        const double side = std::min(h / 2, w / 2);
        const double gap = (w - 2 * side) / 5;
        const bool general = panel == PanelKind::General;
        const double firstRow = y + (general ? 0.3 : 0.2) * side;
        const double secondRow = y + h / 2 + (general ? 0.2 : 0.1) * side;
        const double left = x + gap, right = x + 2 * gap + side;
        DrawDial(painter, left, firstRow, side, {kFaceSensor1Volt, ClampReading(sensors.volt1, 0, 80), 0, true}, false);
        DrawDial(painter, right, firstRow, side, {kFaceSensor2Volt, ClampReading(sensors.volt2, 0, 80), 0, true},
                 false);
        DrawDial(painter, left, secondRow, side,
                 {kFaceSensor1Temp, ClampInteger(sensors.temp1, kTempLow, kTempHigh), kTempOffset, false}, false);
        DrawDial(painter, right, secondRow, side,
                 {kFaceSensor2Temp, ClampInteger(sensors.temp2, kTempLow, kTempHigh), kTempOffset, false}, false);
    }
    DrawGaugeTitle(painter, region.topLeft(), fontFactor, QStringLiteral("Sensor"));
}

void DrawFuelGauge(QPainter& painter, float fontFactor, const QRectF& region, int oilLevel, int fuel)
{
    const double x = region.x(), y = region.y();
    const double s = std::min(region.width(), region.height());
    DrawDial(painter, x + s / 15, y, 1.3 * s, {kFaceOilLevel, ClampInteger(oilLevel, 0, 100), 0, false}, false);
    const QFont caption = CreateGaugeFont(kCaptionFamily, kBold, fontFactor, *painter.device());
    const QString consumption = QStringLiteral("Consumption");
    const QPointF captionAt(x + s / 15 + 0.8 * s, y + 0.2 * s);
    DrawGaugeText(painter, captionAt, GaugeColour(kWhite), caption, consumption);
    const QFont digits = CreateGaugeFont(kSegmentFamily, kRegular, fontFactor, *painter.device());
    DrawGaugeText(painter, {captionAt.x(), captionAt.y() + MeasureGaugeText(painter, caption, consumption).height()},
                  GaugeColour(kWhite), digits, QString::asprintf("%d ml", fuel));
    DrawGaugeTitle(painter, region.topLeft(), fontFactor, QStringLiteral("Fuel"));
}

}  // namespace skarnel::gauges
