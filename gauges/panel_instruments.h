#pragma once

#include "telemetry/telemetry_records.h"

#include <QRectF>
#include <QString>

#include <span>
#include <vector>

class QPainter;

// The instruments the sensor panels are built of. Each draws into its region of the panel, in
// panel coordinates, with the panel's title size (fontFactor, millimetres), and clamps its inputs
// to its scale first. The geometry the instruments compute is exposed for the tests.
namespace skarnel::gauges {

enum class PanelKind { Electric, General, Gps, Receiver, Vario };

// Title size of a panel W pixels wide: 4 mm below 800, half a millimetre more per 100 px,
// 8 mm from 1500.
float PanelFontFactor(int width);

struct TapeSizes {
    double pointerHalfHeight;  // pixels
    double labelSize;          // millimetres
    double valueSize;          // millimetres
};
TapeSizes AltTapeSizes(double width, PanelKind panel);

struct TapeMark {
    int value;
    bool major;     // a multiple of 50: long and thick
    bool labelled;  // carries its value
};
// The marks of the altitude tape around altitude a (multiples of 10 within 89 m).
std::vector<TapeMark> AltTapeMarks(int altitude);
// The marks of the speed tape around speed v (multiples of 10 within 94; no negative labels).
std::vector<TapeMark> SpeedTapeMarks(int speed);

struct HeadingMark {
    int degreesFromCentre;  // negative to the left
    int value;              // 0 ... 359
    bool major;             // a multiple of 30
    QString letter;         // "N", "E", "S", "W" or empty
};
std::vector<HeadingMark> HeadingMarks(int heading);

// Height of a battery cell's fill for a cell column 4c high (3.0 V empty, 4.2 V full).
double CellFillHeight(double volts, double c);

// "   048'07.1234" from the H and L fields of a coordinate (degrees, apostrophe, minutes).
QString PositionText(int high, int low);

void DrawAltTape(QPainter& painter, float fontFactor, const QRectF& region, int altitude, PanelKind panel);
void DrawSpeedTape(QPainter& painter, float fontFactor, const QRectF& region, int speed);
void DrawHeadingTape(QPainter& painter, float fontFactor, const QRectF& region, int heading);
void DrawRfBar(QPainter& painter, float fontFactor, const QRectF& region, int rxsq, PanelKind panel);

struct ReceiverBarScale {
    const char* name;
    const char* unit;
    int minimum;
    int maximum;
};
void DrawReceiverBar(QPainter& painter, const QRectF& region, const ReceiverBarScale& scale, int value);

// Six cells (general panel) or fourteen (electric panel).
void DrawBattCells(QPainter& painter, float fontFactor, const QRectF& region, std::span<const float> volts);

struct ClimbRates {
    float alt1sec;
    float alt3sec;
    float alt10sec;
};
void DrawClimbDials(QPainter& painter, float fontFactor, const QRectF& region, const ClimbRates& rates,
                    PanelKind panel);

struct PowerValues {
    float powerV;
    float current;
    float capacity;
    int rpm;
};
void DrawPowerDials(QPainter& painter, float fontFactor, const QRectF& region, const PowerValues& power,
                    PanelKind panel);

struct SensorValues {
    float volt1;
    float volt2;
    int temp1;
    int temp2;  // the receiver panel has no second temperature
};
void DrawSensorDials(QPainter& painter, float fontFactor, const QRectF& region, const SensorValues& sensors,
                     PanelKind panel);

void DrawFuelGauge(QPainter& painter, float fontFactor, const QRectF& region, int oilLevel, int fuel);
void DrawPosition(QPainter& painter, float fontFactor, const QRectF& region, const GpsData& gps);
void DrawDistance(QPainter& painter, float fontFactor, const QRectF& region, int distance);
void DrawAltMaxMin(QPainter& painter, float fontFactor, const QRectF& region, int altMax, int altMin);

// The bar fill: a 60 % dot hatch in aqua on a transparent ground.
void FillWithBarHatch(QPainter& painter, const QRectF& rect);

}  // namespace skarnel::gauges
