// The file log viewer opening a controller log as the simulator writes it: the time from
// choosing the file to the first painted rows of every tab, the time until the whole file is
// in, and the peak memory; beside it the same rows put into QTableWidgets, one item a cell,
// as the lists were once filled. The widget lists are filled for a part of the rows only (an
// hour would take gigabytes) and their figures scaled up to the whole.
//
//   bench_log_viewer_load [HOURS] [WIDGET_PART_PERCENT]     (default: 1 and 5)

#include "base/reporter.h"
#include "shell/app_settings.h"
#include "shell/explorer.h"
#include "shell/main_frame.h"
#include "shell/view_table.h"
#include "sim/controller_log.h"
#include "telemetry/log_loader.h"
#include "telemetry/views/log_sensor_view.h"
#include "telemetry/views/log_table_model.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace skarnel;
using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The process's resident memory now and at its peak, in megabytes.
double StatusMegabytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atof(line.c_str() + std::strlen(field)) / 1024.0;
    return 0;
}

bool EveryTabPainted(CLog_Sensor_View& view)
{
    for (int i = 0; i < kLogListCount; ++i) {
        const auto list = static_cast<LogList>(i);
        if (view.Tables().Table(list).Empty() != (view.Model(list)->rowCount() == 0))
            return false;
    }
    return true;
}

// Shows each tab and paints its list at once.
void PaintEveryTab(CLog_Sensor_View& view)
{
    for (int i = 0; i < kLogListCount; ++i) {
        view.Tabs()->setCurrentIndex(i);
        view.List(static_cast<LogList>(i))->viewport()->repaint();
    }
}

struct ViewerFigures {
    double firstPaintMs = 0;
    double loadedMs = 0;
    size_t rows = 0;
    double rowMegabytes = 0;
};

ViewerFigures MeasureViewer(CMainFrame& frame, const std::string& path)
{
    auto& view = dynamic_cast<CLog_Sensor_View&>(*frame.OpenView(kViewLogSensor));
    QApplication::processEvents();
    view.PathEdit()->setText(QString::fromStdString(path));
    ViewerFigures figures;
    const Clock::time_point chosen = Clock::now();
    view.LoadNamedFile();
    // The first batch carries rows of every list the file has near its start.
    while (view.Model(LogList::Channel)->rowCount() == 0 || view.Model(LogList::Gps)->rowCount() == 0)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    PaintEveryTab(view);
    figures.firstPaintMs = MillisecondsSince(chosen);
    while (view.IsLoading() || !EveryTabPainted(view))
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    PaintEveryTab(view);
    figures.loadedMs = MillisecondsSince(chosen);
    for (int i = 0; i < kLogListCount; ++i)
        figures.rows += view.Tables().Table(static_cast<LogList>(i)).RowCount();
    figures.rowMegabytes = static_cast<double>(view.Tables().MemoryBytes()) / 1e6;
    return figures;
}

struct WidgetFigures {
    double paintMs = 0;
    double megabytes = 0;
};

// The part of every list's rows as one QTableWidgetItem a cell, then each list painted.
WidgetFigures MeasureWidgets(const std::string& path, int percent)
{
    LogTables tables;
    LoadLogFile(path, tables, NullReporter::Instance());
    const double before = StatusMegabytes("VmRSS:");
    const Clock::time_point start = Clock::now();
    std::vector<std::unique_ptr<QTableWidget>> lists;
    for (int i = 0; i < kLogListCount; ++i) {
        const auto list = static_cast<LogList>(i);
        const int rows = static_cast<int>(tables.Table(list).RowCount() * static_cast<size_t>(percent) / 100);
        auto widget = std::make_unique<QTableWidget>(rows, tables.ColumnCount(list));
        widget->setUpdatesEnabled(false);
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < tables.ColumnCount(list); ++column)
                widget->setItem(row, column,
                                new QTableWidgetItem(
                                    QString::fromStdString(tables.CellText(list, static_cast<size_t>(row), column))));
        widget->setUpdatesEnabled(true);
        widget->resize(1000, 500);
        widget->show();
        widget->viewport()->repaint();
        lists.push_back(std::move(widget));
    }
    return {MillisecondsSince(start) * 100.0 / percent, (StatusMegabytes("VmRSS:") - before) * 100.0 / percent};
}

}  // namespace

int main(int argc, char** argv)
{
    const double hours = argc > 1 ? std::atof(argv[1]) : 1.0;
    const int percent = argc > 2 ? std::atoi(argv[2]) : 5;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareForWebView();
    QApplication application(argc, argv);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("log_viewer_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = folder / "flight.bin";
    const auto records = static_cast<int64_t>(hours * 3600 * 100);
    sim::WriteSimulatedControllerLog(path, records, kSensorGps);
    const double baseline = StatusMegabytes("VmHWM:");

    CApp_Settings settings(QString::fromStdString(folder / "settings.ini"));
    MainFrameOptions options;
    options.showSplash = false;
    CMainFrame frame(settings, options);
    frame.resize(1200, 800);
    frame.show();
    const ViewerFigures viewer = MeasureViewer(frame, path);
    const double peak = StatusMegabytes("VmHWM:");
    std::printf("%.1f h controller log: %lld records, %.1f MB, %zu rows\n", hours, static_cast<long long>(records),
                static_cast<double>(std::filesystem::file_size(path)) / 1e6, viewer.rows);
    std::printf("  viewer:       first rows of every tab painted %8.1f ms, whole file in %8.1f ms, "
                "rows %6.1f MB, peak memory %6.1f MB (process before opening %5.1f MB)\n",
                viewer.firstPaintMs, viewer.loadedMs, viewer.rowMegabytes, peak, baseline);
    if (percent > 0) {
        const WidgetFigures widgets = MeasureWidgets(path, percent);
        std::printf("  QTableWidget: every tab filled and painted %8.1f ms, items %8.1f MB (from %d %% of the rows)\n",
                    widgets.paintMs, widgets.megabytes, percent);
        std::printf("  ratio: first rows %.0fx sooner, whole file %.1fx sooner\n",
                    widgets.paintMs / viewer.firstPaintMs, widgets.paintMs / viewer.loadedMs);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
