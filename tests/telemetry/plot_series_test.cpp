#include "telemetry/plot_series.h"
#include "telemetry/plot_window.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <tuple>

namespace skarnel::test {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

PlotSeries Series(std::initializer_list<std::pair<int32_t, double>> points)
{
    PlotSeries series;
    for (const auto& [time, value] : points) {
        series.times.push_back(time);
        series.values.push_back(value);
    }
    return series;
}

// Rows at 0, 1, ... with `value(t)` as their values.
template <typename Value> PlotSeries Ramp(int32_t rows, Value value)
{
    PlotSeries series;
    for (int32_t t = 0; t < rows; ++t) {
        series.times.push_back(t);
        series.values.push_back(value(t));
    }
    return series;
}

struct DecimateCase {
    const char* name;
    PlotSeries series;
    int64_t start;
    int64_t end;
    int width;
    std::map<int, PixelValues> filled;  // every other column is empty
    std::optional<PlotPoint> before;
    std::optional<PlotPoint> after;
};

std::vector<DecimateCase> DecimateCases()
{
    return {
        {"empty series", {}, 0, 100, 10, {}, {}, {}},
        {"one row", Series({{50, 7.5}}), 0, 100, 10, {{5, {7.5, 7.5, 7.5, 7.5}}}, {}, {}},
        {"fewer rows than pixels",
         Series({{0, 1}, {50, 2}, {99, 3}}),
         0,
         100,
         100,
         {{0, {1, 1, 1, 1}}, {50, {2, 2, 2, 2}}, {99, {3, 3, 3, 3}}},
         {},
         {}},
        {"a one-row spike among a thousand is kept",
         Ramp(1000, [](int32_t t) { return t == 501 ? 1000.0 : 0.0; }),
         0,
         1000,
         10,
         {{0, {0, 0, 0, 0}},
          {1, {0, 0, 0, 0}},
          {2, {0, 0, 0, 0}},
          {3, {0, 0, 0, 0}},
          {4, {0, 0, 0, 0}},
          {5, {0, 1000, 0, 0}},
          {6, {0, 0, 0, 0}},
          {7, {0, 0, 0, 0}},
          {8, {0, 0, 0, 0}},
          {9, {0, 0, 0, 0}}},
         {},
         {}},
        {"the first and last of a column by time, least and greatest between",
         Series({{0, 5}, {1, -2}, {2, 9}, {3, 4}}),
         0,
         4,
         1,
         {{0, {-2, 9, 5, 4}}},
         {},
         {}},
        {"the window's start is in, its end is out; the points beside it",
         Ramp(10, [](int32_t t) { return double(t); }),
         3,
         7,
         4,
         {{0, {3, 3, 3, 3}}, {1, {4, 4, 4, 4}}, {2, {5, 5, 5, 5}}, {3, {6, 6, 6, 6}}},
         PlotPoint{2, 2},
         PlotPoint{7, 7}},
        {"a window before every row", Series({{500, 1}, {600, 2}}), 0, 100, 10, {}, {}, PlotPoint{500, 1}},
        {"a window after every row", Series({{5, 1}, {6, 2}}), 100, 200, 10, {}, PlotPoint{6, 2}, {}},
        {"equal times fall into one column",
         Series({{10, 1}, {10, 3}, {10, 2}}),
         0,
         20,
         2,
         {{1, {1, 3, 1, 2}}},
         {},
         {}},
        {"values that are not finite are left out",
         Series({{0, kNan}, {1, 4}, {2, std::numeric_limits<double>::infinity()}, {3, kNan}}),
         0,
         3,
         3,
         {{1, {4, 4, 4, 4}}},
         {},
         {}},
        {"no width", Series({{0, 1}}), 0, 100, 0, {}, {}, {}},
        {"a window without length", Series({{0, 1}}), 50, 50, 10, {}, {}, {}},
    };
}

TEST(PlotSeries, DecimatesIntoPixelColumns)
{
    for (const DecimateCase& c : DecimateCases()) {
        SCOPED_TRACE(c.name);
        const DecimatedSeries decimated = Decimate(c.series, c.start, c.end, c.width);
        const bool hasColumns = c.width > 0 && c.end > c.start;
        ASSERT_EQ(decimated.pixels.size(), hasColumns ? static_cast<size_t>(c.width) : 0u);
        for (size_t x = 0; x < decimated.pixels.size(); ++x) {
            const auto expected = c.filled.find(static_cast<int>(x));
            if (expected == c.filled.end())
                EXPECT_FALSE(decimated.pixels[x]) << "column " << x;
            else
                EXPECT_EQ(decimated.pixels[x], expected->second) << "column " << x;
        }
        EXPECT_EQ(decimated.before, c.before);
        EXPECT_EQ(decimated.after, c.after);
    }
}

// Columns whose widths in time are uneven take each row where (t - start) * width / span says.
TEST(PlotSeries, UnevenColumnsTakeEachRowWhereItsTimeFalls)
{
    const PlotSeries series = Ramp(1000, [](int32_t t) { return double(t); });
    for (const auto& [start, end, width] : {std::tuple{0, 100, 7}, std::tuple{13, 990, 33}, std::tuple{5, 9, 10}}) {
        const DecimatedSeries decimated = Decimate(series, start, end, width);
        std::vector<std::optional<PixelValues>> expected(static_cast<size_t>(width));
        for (int t = start; t < end; ++t) {
            auto& pixel = expected[static_cast<size_t>((t - start) * width / (end - start))];
            if (!pixel)
                pixel = PixelValues{double(t), double(t), double(t), double(t)};
            pixel->max = pixel->last = t;
        }
        EXPECT_EQ(decimated.pixels, expected) << start << " " << end << " " << width;
    }
}

TEST(PlotSeries, RangeCoversTheShownColumnsOnly)
{
    const PlotSeries series = Series({{0, 100}, {10, -3}, {20, 8}, {30, -50}});
    const std::optional<ValueRange> range = RangeOf(Decimate(series, 5, 25, 4));
    ASSERT_TRUE(range);
    EXPECT_EQ(range->low, -3);
    EXPECT_EQ(range->high, 8);
    EXPECT_FALSE(RangeOf(Decimate(series, 40, 50, 4)));
}

LogTables TablesWithRows()
{
    LogTables tables;
    tables.Begin(LogFormat::ControllerLog);
    GeneralData general;
    general.battVolt1 = 7.46f;
    general.cellVolt[0] = 3.856f;
    general.capacity = 1234.6f;
    tables.AddGeneral(100, general);
    general.battVolt1 = 7.0f;
    tables.AddGeneral(250, general);
    ChannelValues channels{};
    channels[0] = 3001;
    channels[1] = -4;
    tables.AddChannels(120, channels);
    tables.End(300);
    return tables;
}

TEST(PlotSeries, ColumnsOfTheListsWithRowsAndTheirNames)
{
    const LogTables tables = TablesWithRows();
    const std::vector<PlotColumn> columns = PlotColumns(tables);
    const size_t generalColumns = tables.Layout(LogList::General).columns.size();
    ASSERT_EQ(columns.size(), generalColumns + kLogChannelCount);
    EXPECT_EQ(columns.front(), (PlotColumn{LogList::General, 0}));
    EXPECT_EQ(columns[generalColumns], (PlotColumn{LogList::Channel, 0}));
    EXPECT_EQ(PlotColumnName(tables, columns.front()), "General: RF RXSQ");
    EXPECT_EQ(PlotColumnName(tables, {LogList::RfLevel, 1}), "RF RXSQ: Tx");
    EXPECT_EQ(PlotColumnName(tables, columns.back()), "Channel: Ch32");
}

// Every column's series holds the numbers its cells show, the floats rounded as the cells are.
TEST(PlotSeries, SeriesHoldTheNumbersTheCellsShow)
{
    const LogTables tables = TablesWithRows();
    for (const PlotColumn& column : PlotColumns(tables)) {
        SCOPED_TRACE(PlotColumnName(tables, column));
        const PlotSeries series = SeriesOf(tables, column);
        const LogTable& table = tables.Table(column.list);
        ASSERT_EQ(series.times.size(), table.RowCount());
        for (size_t row = 0; row < table.RowCount(); ++row) {
            EXPECT_EQ(series.times[row], table.Time(row));
            const std::string text = tables.CellText(column.list, row, column.column + kLeadingColumns);
            double shown = 0;
            std::from_chars(text.data(), text.data() + text.size(), shown);
            EXPECT_EQ(series.values[row], shown) << text;
        }
    }
    const auto battVolt1 = SeriesOf(tables, {LogList::General, 7});
    EXPECT_EQ(battVolt1.values, (std::vector<double>{7.5, 7.0}));
    EXPECT_EQ(SeriesOf(tables, {LogList::General, 1}).values.front(), 3.86);
    EXPECT_EQ(SeriesOf(tables, {LogList::Channel, 0}).values, (std::vector<double>{1500}));
    EXPECT_EQ(SeriesOf(tables, {LogList::Channel, 1}).values, (std::vector<double>{0}));
}

struct WindowStep {
    const char* name;
    void (*act)(PlotWindow&);
    int64_t start;
    int64_t end;
};

TEST(PlotWindow, ZoomsAroundTheAnchorAndStaysInsideTheExtent)
{
    // The extent 0..999 shows as [0, 1000).
    const WindowStep steps[] = {
        {"halved around the middle", [](PlotWindow& w) { w.ZoomAround(500, 0.5); }, 250, 750},
        {"halved around its start keeps the start", [](PlotWindow& w) { w.ZoomAround(250, 0.5); }, 250, 500},
        {"panned later", [](PlotWindow& w) { w.PanBy(100); }, 350, 600},
        {"panned beyond the end stops there", [](PlotWindow& w) { w.PanBy(10'000); }, 750, 1000},
        {"panned before the start stops there", [](PlotWindow& w) { w.PanBy(-10'000); }, 0, 250},
        {"never narrower than half a second", [](PlotWindow& w) { w.ZoomAround(100, 0.0001); }, 80, 130},
        {"widened past the extent shows it all", [](PlotWindow& w) { w.ZoomAround(100, 1000); }, 0, 1000},
        {"reset",
         [](PlotWindow& w) {
             w.ZoomAround(300, 0.1);
             w.Reset();
         },
         0, 1000},
    };
    PlotWindow window;
    window.SetExtent(0, 999);
    for (const WindowStep& step : steps) {
        SCOPED_TRACE(step.name);
        step.act(window);
        EXPECT_EQ(window.Start(), step.start);
        EXPECT_EQ(window.End(), step.end);
    }
}

TEST(PlotWindow, AWholeWindowFollowsAGrowingExtentAndAZoomedOneStays)
{
    PlotWindow window;
    window.SetExtent(0, 99);
    window.SetExtent(0, 199);
    EXPECT_EQ(window.End(), 200);
    EXPECT_FALSE(window.Zoomed());
    window.ZoomAround(0, 0.5);
    window.SetExtent(0, 999);
    EXPECT_EQ(window.Start(), 0);
    EXPECT_EQ(window.End(), 100);
    window.SetExtent(500, 999);  // a new log: pulled inside
    EXPECT_EQ(window.Start(), 500);
    EXPECT_EQ(window.End(), 600);
    window.SetExtent(7, 7);  // a single row
    EXPECT_EQ(window.Start(), 7);
    EXPECT_EQ(window.End(), 8);
}

TEST(PlotWindow, TicksAreRoundAndTheirTextsCarryTheStepsDecimals)
{
    EXPECT_EQ(AxisTicks(0, 10, 5), (std::vector<double>{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ(AxisTicks(-0.3, 0.31, 4), (std::vector<double>{-0.2, 0, 0.2}));
    EXPECT_EQ(AxisTicks(17, 1234, 4), (std::vector<double>{500, 1000}));
    EXPECT_EQ(AxisTicks(3, 3, 4), (std::vector<double>{3}));
    EXPECT_EQ(TickText(0.2, 0.2), "0.2");
    EXPECT_EQ(TickText(1500, 500), "1500");
    EXPECT_EQ(TickText(0.05, 0.05), "0.05");
}

}  // namespace
}  // namespace skarnel::test
