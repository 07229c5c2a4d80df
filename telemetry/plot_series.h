#pragma once

#include "telemetry/log_tables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skarnel {

// One value column of one of the viewer's lists.
struct PlotColumn {
    LogList list;
    int column;  // among the list's value columns, "No" and "Time" not counted

    bool operator==(const PlotColumn&) const = default;
};

// "General: BattVolt1": the list's tab text without its blanks and the column's text.
std::string PlotColumnName(const LogTables& tables, PlotColumn column);
// Every value column of every list that has rows, in the order of the tabs and their columns.
std::vector<PlotColumn> PlotColumns(const LogTables& tables);

// A column's numbers against their rows' times (hundredths of a second), in the rows' order.
struct PlotSeries {
    std::vector<int32_t> times;
    std::vector<double> values;
};

// The numbers the column's cells show.
PlotSeries SeriesOf(const LogTables& tables, PlotColumn column);

struct PlotPoint {
    int32_t time;
    double value;

    bool operator==(const PlotPoint&) const = default;
};

// The values that fell into one pixel column: the least and the greatest, which keep every
// spike, and the first and the last by time, which lines to the neighbouring columns join.
struct PixelValues {
    double min;
    double max;
    double first;
    double last;

    bool operator==(const PixelValues&) const = default;
};

// A time window of a series reduced to its pixel columns. Beside them the nearest point before
// the window and the nearest at or after its end, so that lines run on to the window's edges.
struct DecimatedSeries {
    std::vector<std::optional<PixelValues>> pixels;
    std::optional<PlotPoint> before;
    std::optional<PlotPoint> after;
};

// Reduces the rows whose times lie in [start, end) to `width` pixel columns, a row at time t
// going to column (t - start) * width / (end - start). The window's first row is found by a
// binary search and its rows are visited once. Values that are not finite are left out; a
// window without length or a width below 1 gives no columns.
DecimatedSeries Decimate(const PlotSeries& series, int64_t start, int64_t end, int width);

struct ValueRange {
    double low;
    double high;
};
// The least and the greatest value of the pixel columns, nothing when every column is empty.
std::optional<ValueRange> RangeOf(const DecimatedSeries& series);

}  // namespace skarnel
