// The file log viewer replaying an hour of controller log (as the simulator writes it) at x10,
// with every live view open, offscreen: how many 100 ms steps come late (more than 50 ms after
// the step before was due to be followed) and how much of a core the user-interface thread
// spends per wall second, replay, live views and their repaints together.
// Goals: late steps <= 1 %, user-interface thread < 30 % of a core.
//
//   bench_replay_pace [WALL_SECONDS] [SPEED]     (default: 60 and 10)

#include "shell/app_settings.h"
#include "shell/explorer.h"
#include "shell/main_frame.h"
#include "shell/view_table.h"
#include "sim/controller_log.h"
#include "telemetry/views/live_telemetry_hub.h"
#include "telemetry/views/log_sensor_view.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace skarnel;

constexpr int64_t kLateMs = 50;
constexpr int kLiveViews[] = {kViewLiveSensorGeneral, kViewLiveSensorElectric, kViewLiveSensorVario};

// Counts the paints of every widget, so that the figures are known to include the repaints.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void LoadLog(CLog_Sensor_View& view, const std::string& path)
{
    view.PathEdit()->setText(QString::fromStdString(path));
    view.LoadNamedFile();
    while (view.IsLoading() || view.EndTime() == 0)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

struct PaceFigures {
    int steps = 0;
    int late = 0;
    int64_t longestGapMs = 0;
    double wallSeconds = 0;
    double cpuSeconds = 0;
    int64_t replayedHundredths = 0;
    int notifications = 0;
    int paints = 0;
};

PaceFigures MeasureReplay(CMainFrame& frame, CLog_Sensor_View& view, int wallSeconds)
{
    PaceFigures figures;
    QObject::connect(&frame.LiveData(), &CLive_Telemetry_Hub::NewData, &view, [&figures] { ++figures.notifications; });
    QElapsedTimer wall;
    int64_t lastStepMs = -1;
    QObject::connect(view.ReplayTimer(), &QTimer::timeout, &view, [&] {
        const int64_t now = wall.elapsed();
        if (lastStepMs >= 0) {
            const int64_t gap = now - lastStepMs;
            figures.longestGapMs = std::max(figures.longestGapMs, gap);
            if (gap > kReplayStepMs + kLateMs)
                ++figures.late;
        }
        lastStepMs = now;
        ++figures.steps;
    });
    PaintCounter counter;
    QApplication::instance()->installEventFilter(&counter);
    const double cpuBefore = ThreadCpuSeconds();
    wall.start();
    view.StartReplay();
    QTimer::singleShot(wallSeconds * 1000, &view, [&view] { view.StopReplay(); });
    while (view.Replay().IsRunning())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    figures.wallSeconds = static_cast<double>(wall.elapsed()) / 1000;
    figures.cpuSeconds = ThreadCpuSeconds() - cpuBefore;
    figures.replayedHundredths = view.Replay().CurrentPosition();
    figures.paints = counter.paints;
    QApplication::instance()->removeEventFilter(&counter);
    return figures;
}

}  // namespace

int main(int argc, char** argv)
{
    const int wallSeconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int speed = argc > 2 ? std::atoi(argv[2]) : 10;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareForWebView();
    QApplication application(argc, argv);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("replay_pace_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = folder / "flight.bin";
    sim::WriteSimulatedControllerLog(path, int64_t{3600} * 100, kSensorGps);

    CApp_Settings settings(QString::fromStdString(folder / "settings.ini"));
    MainFrameOptions options;
    options.showSplash = false;
    CMainFrame frame(settings, options);
    frame.resize(1280, 800);
    frame.show();
    for (int view : kLiveViews)
        frame.OpenView(view);
    auto& view = dynamic_cast<CLog_Sensor_View&>(*frame.OpenView(kViewLogSensor));
    LoadLog(view, path);
    const auto choice = std::find(kReplaySpeeds.begin(), kReplaySpeeds.end(), speed);
    view.SpeedCombo()->setCurrentIndex(
        choice == kReplaySpeeds.end() ? 0 : static_cast<int>(choice - kReplaySpeeds.begin()));

    const PaceFigures figures = MeasureReplay(frame, view, wallSeconds);
    std::printf("1 h controller log replayed at x%d for %.1f s: %.1f s of log, %d steps\n", view.Replay().Speed(),
                figures.wallSeconds, static_cast<double>(figures.replayedHundredths) / 100, figures.steps);
    std::printf("  live views told of new data %d times, %d widget paints\n", figures.notifications, figures.paints);
    std::printf("  late steps (gap > %lld ms): %d = %.2f %% (goal <= 1 %%), longest gap %lld ms\n",
                static_cast<long long>(kReplayStepMs + kLateMs), figures.late,
                figures.steps > 0 ? 100.0 * figures.late / figures.steps : 0.0,
                static_cast<long long>(figures.longestGapMs));
    std::printf("  user-interface thread: %.2f s CPU = %.1f %% of a core (goal < 30 %%)\n", figures.cpuSeconds,
                100.0 * figures.cpuSeconds / figures.wallSeconds);
    std::filesystem::remove_all(folder);
    return 0;
}
