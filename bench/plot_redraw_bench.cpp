// The file log viewer's plot redrawing one column of an hour of controller log (the channel
// list: a row every hundredth of a second) offscreen into a 1600-pixel-wide picture: the whole
// hour, then a minute of it as after zooming. Beside it the same rows drawn as one line through
// every point, as a plot without the per-pixel reduction would draw them.
//
//   plot_redraw_bench [HOURS] [REDRAWS]     (default: 1 and 50)

#include "base/reporter.h"
#include "sim/controller_log.h"
#include "telemetry/log_loader.h"
#include "telemetry/views/log_plot_picture.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace skarnel;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 1600;
constexpr int kHeight = 400;
constexpr double kGoalMs = 16.0;

// The median of `redraws` runs, in milliseconds.
double MedianMs(int redraws, const std::function<void()>& draw)
{
    std::vector<double> times;
    for (int i = 0; i < redraws; ++i) {
        const Clock::time_point start = Clock::now();
        draw();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + redraws / 2, times.end());
    return times[static_cast<size_t>(redraws / 2)];
}

double PlotMs(QImage& image, const PlotScene& scene, int redraws)
{
    return MedianMs(redraws, [&] {
        QPainter painter(&image);
        DrawLogPlot(painter, image.rect(), scene);
    });
}

// Every row a vertex of one polyline over the same picture.
double EveryPointMs(QImage& image, const PlotSeries& series, int redraws)
{
    const auto [low, high] = std::minmax_element(series.values.begin(), series.values.end());
    const double first = series.times.front();
    const double span = std::max(1.0, static_cast<double>(series.times.back()) - first);
    const double range = std::max(1.0, *high - *low);
    return MedianMs(redraws, [&] {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        QPolygonF line;
        line.reserve(static_cast<qsizetype>(series.times.size()));
        for (size_t i = 0; i < series.times.size(); ++i)
            line << QPointF((series.times[i] - first) * kWidth / span, (*high - series.values[i]) * kHeight / range);
        painter.drawPolyline(line);
    });
}

}  // namespace

int main(int argc, char** argv)
{
    const double hours = argc > 1 ? std::atof(argv[1]) : 1.0;
    const int redraws = std::max(1, argc > 2 ? std::atoi(argv[2]) : 50);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("plot_redraw_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = folder / "flight.bin";
    const auto records = static_cast<int64_t>(hours * 3600 * 100);
    sim::WriteSimulatedControllerLog(path, records, kSensorGps);
    LogTables tables;
    LoadLogFile(path, tables, NullReporter::Instance());
    std::filesystem::remove_all(folder);

    const PlotColumn column{LogList::Channel, 0};
    const PlotSeries series = SeriesOf(tables, column);
    if (series.times.empty()) {
        std::fprintf(stderr, "plot_redraw_bench: the log has no channel rows\n");
        return 1;
    }
    PlotScene scene;
    scene.traces.push_back({QString::fromStdString(PlotColumnName(tables, column)), TraceColour(0), &series});
    scene.start = series.times.front();
    scene.end = series.times.back() + 1;
    scene.cursor = (scene.start + scene.end) / 2;
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);

    const double wholeMs = PlotMs(image, scene, redraws);
    scene.start = *scene.cursor - 3000;
    scene.end = *scene.cursor + 3000;
    const double minuteMs = PlotMs(image, scene, redraws);
    const double everyPointMs = EveryPointMs(image, series, std::max(1, redraws / 10));
    std::printf("%.1f h controller log, column \"%s\": %zu rows, %d x %d px, median of %d redraws\n", hours,
                PlotColumnName(tables, column).c_str(), series.times.size(), kWidth, kHeight, redraws);
    std::printf("  plot, whole log:        %7.2f ms (goal %.0f ms: %s)\n", wholeMs, kGoalMs,
                wholeMs <= kGoalMs ? "met" : "missed");
    std::printf("  plot, one minute:       %7.2f ms\n", minuteMs);
    std::printf("  a line through every row: %7.2f ms, %.1fx the plot's time\n", everyPointMs, everyPointMs / wholeMs);
    return 0;
}
