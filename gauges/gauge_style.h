#pragma once

#include <QColor>
#include <QString>

// The colours and font families every gauge shares, and the numeric guards the instruments apply
// to values from the controller before they draw them.
namespace skarnel::gauges {

inline QColor GaugeColour(QRgb argb)
{
    return QColor::fromRgba(argb);
}

inline constexpr QRgb kBlack = 0xFF000000;
inline constexpr QRgb kWhite = 0xFFFFFFFF;
inline constexpr QRgb kRed = 0xFFFF0000;
inline constexpr QRgb kAqua = 0xFF00FFFF;
inline constexpr QRgb kLightGreen = 0xFF80FF80;
inline constexpr QRgb kBlue = 0xFF0000FF;
inline constexpr QRgb kPaleGreen = 0xFF99FF99;
inline constexpr QRgb kGridGrey = 0xFFAAAAAA;
inline constexpr QRgb kScaleGridGrey = 0xFFD2D2D2;
inline constexpr QRgb kRulerGrey = 0xFFC0C0C0;
inline constexpr QRgb kLavender = 0xFF9696FF;
inline constexpr QRgb kWindowGrey = 0xFFECE9D8;
inline constexpr QRgb kPaleYellow = 0xFFFFFFDD;

// The three families the gauges ask for; CreateGaugeFont maps them to installed faces.
inline const QString kSegmentFamily = QStringLiteral("LiquidCrystal");
inline const QString kCaptionFamily = QStringLiteral("Arial");
inline const QString kChartFamily = QStringLiteral("tahoma");

// A value from the wire brought into [low, high]; a value that is not a number reads as 0
// (itself brought into the range), so a garbled float never reaches the drawing arithmetic.
double ClampReading(double value, double low, double high);

// Shown as printed text, a float keeps its sign and two decimals but not a 40-digit width.
double DisplayableReading(double value);

}  // namespace skarnel::gauges
