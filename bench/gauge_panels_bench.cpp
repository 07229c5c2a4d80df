// Paints each sensor panel at 1000 x 700 into a QImage many times and prints the median and the
// 99th percentile of one paint. Goals: median <= 2 ms, 99th percentile <= 4 ms.
//
//   build/bench/bench_gauge_panels [--paints N] [--png FOLDER]
//
// Besides the wall time it prints the process's CPU time per paint (all threads), which stays
// meaningful on a machine busy with other work, where the wall time's tail is the scheduler's.
//
// --png also writes each panel's last picture as FOLDER/<panel>.png.
#include "gauges/sensor_panels.h"
#include "tests/gauges/panel_samples.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

using namespace skarnel;

namespace {

constexpr QSize kPanelSize(1000, 700);

struct Panel {
    const char* name;
    // Draws the panel with the record of paint number i (values move from paint to paint).
    std::function<void(QPainter&, const QRect&, int)> draw;
};

std::vector<Panel> Panels()
{
    static CGraph_Function_Electric electric;
    static CGraph_Function_General general;
    static CGraph_Function_Gps gps;
    static CGraph_Function_Receiver receiver;
    static CGraph_Function_Vario vario;
    return {
        {"electric",
         [](QPainter& p, const QRect& r, int i) {
             ElectricData record = gauge_samples::Electric();
             record.altitude += i % 40;
             record.alt1sec = float(i % 200 - 100);
             electric.DrawPanel(p, r, record);
         }},
        {"general",
         [](QPainter& p, const QRect& r, int i) {
             GeneralData record = gauge_samples::General();
             record.altitude += i % 40;
             record.rpm = 1000 * (i % 90);
             general.DrawPanel(p, r, record);
         }},
        {"gps",
         [](QPainter& p, const QRect& r, int i) {
             GpsData record = gauge_samples::Gps();
             record.direct = i % 360;
             record.speed = i % 120;
             gps.DrawPanel(p, r, record);
         }},
        {"receiver",
         [](QPainter& p, const QRect& r, int i) {
             ReceiverData record = gauge_samples::Receiver();
             record.quality = uint8_t(i % 100);
             receiver.DrawPanel(p, r, record);
         }},
        {"vario",
         [](QPainter& p, const QRect& r, int i) {
             VarioData record = gauge_samples::Vario();
             record.altitude = i % 500;
             record.alt10sec = float(i % 240 - 120);
             vario.DrawPanel(p, r, record);
         }},
    };
}

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(fraction * double(values.size())));
    return values[index];
}

double CpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    int paints = 500;
    QString pngFolder;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--paints") == 0)
            paints = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--png") == 0)
            pngFolder = QString::fromLocal8Bit(argv[i + 1]);
    }

    std::printf("%-10s %10s %10s %10s %10s   (%d paints of %dx%d)\n", "panel", "median ms", "p99 ms", "cpu median",
                "cpu p99", paints, kPanelSize.width(), kPanelSize.height());
    for (const Panel& panel : Panels()) {
        QImage image(kPanelSize, QImage::Format_ARGB32_Premultiplied);
        std::vector<double> wall, cpu;
        wall.reserve(size_t(paints));
        cpu.reserve(size_t(paints));
        for (int i = 0; i < paints; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = CpuMilliseconds();
            QPainter painter(&image);
            panel.draw(painter, image.rect(), i);
            painter.end();
            cpu.push_back(CpuMilliseconds() - cpuStart);
            wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::printf("%-10s %10.3f %10.3f %10.3f %10.3f\n", panel.name, Percentile(wall, 0.5), Percentile(wall, 0.99),
                    Percentile(cpu, 0.5), Percentile(cpu, 0.99));
        if (!pngFolder.isEmpty()) {
            QDir().mkpath(pngFolder);
            image.save(pngFolder + QLatin1Char('/') + QLatin1String(panel.name) + QStringLiteral(".png"));
        }
    }
    return 0;
}
