#include "gauges/panel_instruments.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cmath>

namespace skarnel::gauges {
namespace {

constexpr std::array<int, 8> kFontFactorSteps{800, 900, 1000, 1100, 1200, 1300, 1400, 1500};
constexpr float kFirstFontFactor = 4.0f;
constexpr float kFontFactorStep = 0.5f;

// The tape tables have a first column (below 100 px) that only the general and GPS panels use.
constexpr std::array<double, 6> kTapeWidths{100, 120, 145, 170, 195, 220};
constexpr std::array<double, 7> kPointerHalfHeights{12, 14, 16, 18, 20, 22, 24};
constexpr std::array<double, 7> kTapeLabelSizes{4, 4, 5, 6, 7, 8, 9};
constexpr std::array<double, 7> kTapeValueSizes{4, 5, 6, 7, 8, 9, 10};
constexpr double kGpsNarrowLabelSize = 3.5;

size_t TapeColumn(double width, PanelKind panel)
{
    const bool hasNarrowColumn = panel == PanelKind::General || panel == PanelKind::Gps;
    size_t column = 0;
    while (column < kTapeWidths.size() && !(width < kTapeWidths[column]))
        ++column;
    return (!hasNarrowColumn && column == 0) ? 1 : column;
}

}  // namespace

float PanelFontFactor(int width)
{
    float factor = kFirstFontFactor;
    for (int step : kFontFactorSteps) {
        if (width < step)
            return factor;
        factor += kFontFactorStep;
    }
    return factor;
}

TapeSizes AltTapeSizes(double width, PanelKind panel)
{
    const size_t column = TapeColumn(width, panel);
    TapeSizes sizes{kPointerHalfHeights[column], kTapeLabelSizes[column], kTapeValueSizes[column]};
    if (column == 0 && panel == PanelKind::Gps)
        sizes.labelSize = kGpsNarrowLabelSize;
    return sizes;
}

double CellFillHeight(double volts, double c)
{
    constexpr double kEmpty = 3.0, kFull = 4.2;
    double clamped = std::isnan(volts) ? kEmpty : std::clamp(volts, kEmpty, kFull);
    return (clamped - kEmpty) * 100 * 4 * c / 120;
}

QString PositionText(int high, int low)
{
    // Degrees and minutes are taken apart arithmetically, so a field out of its range gives a
    // readable text instead of shifted digits; in range it equals "%05d.%04d" with the apostrophe.
    constexpr int kMaxHigh = 99999, kMaxLow = 9999;
    high = std::clamp(high, 0, kMaxHigh);
    low = std::clamp(low, 0, kMaxLow);
    return QString::asprintf("   %03d'%02d.%04d", high / 100, high % 100, low);
}

}  // namespace skarnel::gauges
