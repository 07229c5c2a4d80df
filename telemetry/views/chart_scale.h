#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

namespace skarnel {

// The adjustable scale of the live chart views, in thousandths. A press on the chart's upper or
// lower click region chooses which limit the wheel moves; releasing the button ends it.
struct ChartScale {
    static constexpr int kStep = 10;

    int upper = 100;
    int lower = 0;
    bool upperAdjust = false;
    bool lowerAdjust = false;

    // Sets the flag of the click region under point (relative to the chart); whether one was hit.
    bool Press(QPoint point, QSize chart);
    void Release() { upperAdjust = lowerAdjust = false; }
    // One wheel notch forward (+10) or backward (-10) for the chosen limit; whether it changed.
    // The upper limit stays above the lower one, the lower one below the upper one and at 0 or more.
    bool Notch(bool forward);

    static QRect UpperRegion(QSize) { return {0, 22, 50, 17}; }
    static QRect LowerRegion(QSize chart) { return {0, chart.height() - 33, 50, 17}; }
};

// "%.3f" of the value in thousandths.
QString ScaleText(int thousandths);

}  // namespace skarnel
