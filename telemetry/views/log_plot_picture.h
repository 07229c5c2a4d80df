#pragma once

#include "telemetry/plot_series.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

class QFontMetrics;
class QPainter;

namespace skarnel {

// One plotted column: its name, its colour and its numbers.
struct PlotTrace {
    QString name;
    QColor colour;
    const PlotSeries* series;
};

// What a plot shows: its traces over the time window [start, end) (hundredths of a second),
// and the replay position as a cursor when there is one.
struct PlotScene {
    std::vector<PlotTrace> traces;
    int64_t start = 0;
    int64_t end = 1;
    std::optional<int64_t> cursor;
};

// The replay position's line: black, as no trace is.
inline QColor PlotCursorColour()
{
    return Qt::black;
}

// The colour of the n-th trace: a short table of colours told apart easily, used in turn.
QColor TraceColour(size_t trace);

// Where the plot's curves lie inside `bounds`: right of one value axis per trace and above the
// time axis. Times map onto its width and each trace's values onto its height.
QRect PlotArea(const QRect& bounds, const QFontMetrics& metrics, const PlotScene& scene);

// A tick of the time axis: where it stands and its text's box below the area.
struct PlotLabel {
    int x;
    QRect box;
    QString text;
};
// The time axis's ticks inside the area, spaced so that no two labels come closer than a gap.
std::vector<PlotLabel> TimeAxisLabels(const PlotScene& scene, const QRect& area, const QFontMetrics& metrics);

// What an empty plot says in its middle.
inline constexpr char kEmptyPlotHint[] = "Check a column on the left to plot it over time.";

// Draws the scene into `bounds`: the value axes in their traces' colours, the time axis in
// seconds, each trace reduced to its pixel columns, the legend and the cursor. A scene without
// traces shows only kEmptyPlotHint.
void DrawLogPlot(QPainter& painter, const QRect& bounds, const PlotScene& scene);

}  // namespace skarnel
