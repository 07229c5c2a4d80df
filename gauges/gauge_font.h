#pragma once

#include <QFont>
#include <QString>

class QPaintDevice;

namespace skarnel::gauges {

// Gauge font styles as the drawing tables number them.
enum GaugeFontStyle : int {
    kRegular = 0,
    kBold = 1,
    kBoldUnderlined = 5,
};

// Font sizes are millimetres at a fixed 96 dots per inch, whatever the screen, so that a panel
// of a given pixel size looks the same everywhere.
inline constexpr double kGaugeDotsPerInch = 96.0;
double MillimetresToPixels(double millimetres);

// The installed face used for a gauge family: "LiquidCrystal" is the DSEG7 segment face,
// "Arial" an Arial-metric sans face, "tahoma" Tahoma; any of them missing gives the generic
// sans-serif face.
QString InstalledGaugeFamily(const QString& family);

// A font of the family (mapped as above), style and em size in millimetres, sized for the
// device it will be drawn on (its logical resolution is taken out, so a millimetre is always
// 96/25.4 device-independent pixels).
QFont CreateGaugeFont(const QString& family, int style, double millimetres, const QPaintDevice& device);

}  // namespace skarnel::gauges
