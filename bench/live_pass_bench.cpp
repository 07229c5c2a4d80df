// One live pass of the recorder as the window sees it, with every live view of a recording open
// (RF levels, receiver, the GPS sensor and the flight path of 10 000 points at the largest
// zoom): the hub's four notifications and the views' repaints, timed together on the
// user-interface thread. Goal: median <= 10 ms.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_live_pass [--passes N]
#include "shell/app_settings.h"
#include "shell/explorer.h"
#include "shell/main_frame.h"
#include "telemetry/views/gps_curve_view.h"
#include "telemetry/views/live_telemetry_hub.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace skarnel;

namespace {

constexpr int kPathPoints = 10000;
constexpr int kViews[] = {kViewLiveLogDbm, kViewLiveSensorReceiver, kViewLiveSensorGps, kViewGpsCurve};

GpsData GpsOfPass(int pass)
{
    GpsData record{};
    record.nsHigh = 3733 + (pass / 2000) % 2;
    record.nsLow = (pass * 5) % 10000;
    record.ewHigh = 12658;
    record.ewLow = (pass * 3 + (pass / 100) * 37) % 10000;
    record.altitude = pass % 300;
    record.speed = pass % 120;
    record.direct = pass % 360;
    record.rxsq = 60;
    return record;
}

// Hands the hub one pass's records as the recorder does and repaints the open views.
void Pass(CMainFrame& frame, int pass)
{
    CLive_Telemetry_Hub& hub = frame.LiveData();
    hub.Update(kViewLiveLogDbm, [pass](LiveTelemetry& live) {
        DbmScan scan{};
        for (size_t channel = 0; channel < kRfChannelCount; ++channel) {
            scan.txLevel[channel] = uint8_t(40 + (int(channel) * 7 + pass) % 60);
            scan.rxLevel[channel] = uint8_t(30 + (int(channel) * 5 + pass) % 70);
        }
        live.StoreRfLevels(scan);
    });
    hub.Update(kViewLiveSensorReceiver, [pass](LiveTelemetry& live) {
        live.receiver.rxsq = uint8_t(60 + pass % 10);
        live.receiver.recvVolt = 5.0f + float(pass % 10) / 20;
    });
    const GpsData gps = GpsOfPass(kPathPoints + pass);
    hub.Update(kViewLiveSensorGps, [&gps](LiveTelemetry& live) {
        live.gps = gps;
        live.path.AddPoint(gps, 0);
    });
    hub.Update(kViewGpsCurve, [](LiveTelemetry& live) { live.path.SetCurrent(-1); });
    for (int index : kViews)
        frame.FindView(index)->repaint();
}

double Percentile(std::vector<double> values, double part)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(part * double(values.size())))];
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int passes = 300;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--passes") == 0)
            passes = std::max(1, std::atoi(argv[i + 1]));
    PrepareForWebView();
    QApplication application(argc, argv);
    QTemporaryDir folder;
    CApp_Settings settings(folder.filePath("settings.ini"));
    MainFrameOptions options;
    options.showSplash = false;
    CMainFrame frame(settings, options);
    frame.resize(1600, 1000);
    frame.show();
    for (int index : kViews)
        frame.OpenView(index);
    frame.LiveData().Update(0, [](LiveTelemetry& live) {
        live.ClearForStart();
        for (int point = 0; point < kPathPoints; ++point)
            live.path.AddPoint(GpsOfPass(point), 0);
    });
    auto* curve = static_cast<CGPS_Curve_View*>(frame.FindView(kViewGpsCurve));
    curve->resize(800, 600);
    while (curve->Picture()->ZoomNotch(true)) {
    }
    QApplication::processEvents();

    std::vector<double> times;
    for (int pass = 0; pass < passes; ++pass) {
        const auto start = std::chrono::steady_clock::now();
        Pass(frame, pass);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        QApplication::processEvents();
    }
    const double median = Percentile(times, 0.5);
    std::printf("live pass, views 10 14 16 21 open, path %d points, flight path %dx%d at zoom x%.1f\n",
                kPathPoints + passes, curve->Picture()->width(), curve->Picture()->height(),
                double(curve->Picture()->Zoom()));
    std::printf("passes %d  median %.2f ms  90th %.2f ms  99th %.2f ms  (goal: median <= 10 ms) %s\n", passes, median,
                Percentile(times, 0.9), Percentile(times, 0.99), median <= 10.0 ? "ok" : "MISSED");
    return median <= 10.0 ? 0 : 1;
}
