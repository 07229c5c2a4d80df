#include "telemetry/plot_series.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace skarnel {
namespace {

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

void Take(std::optional<PixelValues>& pixel, double value)
{
    if (!pixel) {
        pixel = PixelValues{value, value, value, value};
        return;
    }
    pixel->min = std::min(pixel->min, value);
    pixel->max = std::max(pixel->max, value);
    pixel->last = value;
}

int64_t CeilingDivision(int64_t dividend, int64_t divisor)
{
    return (dividend + divisor - 1) / divisor;
}

std::optional<PlotPoint> FinitePoint(const PlotSeries& series, size_t row)
{
    if (row >= series.times.size() || !std::isfinite(series.values[row]))
        return std::nullopt;
    return PlotPoint{series.times[row], series.values[row]};
}

}  // namespace

std::string PlotColumnName(const LogTables& tables, PlotColumn column)
{
    return Trimmed(TabTitle(column.list, 0)) + ": " +
           ColumnTitle(tables.Layout(column.list), column.column + kLeadingColumns, 0);
}

std::vector<PlotColumn> PlotColumns(const LogTables& tables)
{
    std::vector<PlotColumn> columns;
    for (int i = 0; i < kLogListCount; ++i) {
        const auto list = static_cast<LogList>(i);
        if (tables.Table(list).Empty())
            continue;
        const int count = static_cast<int>(tables.Layout(list).columns.size());
        for (int column = 0; column < count; ++column)
            columns.push_back({list, column});
    }
    return columns;
}

PlotSeries SeriesOf(const LogTables& tables, PlotColumn column)
{
    const LogTable& table = tables.Table(column.list);
    const LogColumn& field = tables.Layout(column.list).columns.at(static_cast<size_t>(column.column));
    PlotSeries series;
    series.times.reserve(table.RowCount());
    series.values.reserve(table.RowCount());
    for (size_t row = 0; row < table.RowCount(); ++row) {
        series.times.push_back(table.Time(row));
        series.values.push_back(CellValue(field, table.Record(row)));
    }
    return series;
}

DecimatedSeries Decimate(const PlotSeries& series, int64_t start, int64_t end, int width)
{
    DecimatedSeries result;
    if (width < 1 || end <= start)
        return result;
    result.pixels.resize(static_cast<size_t>(width));
    const auto first = std::lower_bound(series.times.begin(), series.times.end(), start,
                                        [](int32_t time, int64_t value) { return time < value; });
    auto row = static_cast<size_t>(std::distance(series.times.begin(), first));
    if (row > 0)
        result.before = FinitePoint(series, row - 1);
    // Rather than a division a row, the time where the next column begins, once a column: the
    // first t with (t - start) * width >= (column + 1) * span.
    const int64_t span = end - start;
    size_t column = 0;
    int64_t nextColumn = start + CeilingDivision(span, width);
    for (; row < series.times.size() && series.times[row] < end; ++row) {
        while (series.times[row] >= nextColumn) {
            ++column;
            nextColumn = start + CeilingDivision(static_cast<int64_t>(column + 1) * span, width);
        }
        const double value = series.values[row];
        if (std::isfinite(value))
            Take(result.pixels[column], value);
    }
    result.after = FinitePoint(series, row);
    return result;
}

std::optional<ValueRange> RangeOf(const DecimatedSeries& series)
{
    std::optional<ValueRange> range;
    for (const std::optional<PixelValues>& pixel : series.pixels) {
        if (!pixel)
            continue;
        if (!range)
            range = ValueRange{pixel->min, pixel->max};
        range->low = std::min(range->low, pixel->min);
        range->high = std::max(range->high, pixel->max);
    }
    return range;
}

}  // namespace skarnel
