#include "shell/application.h"

#include "base/replacing_file.h"
#include "shell/app_settings.h"
#include "shell/explorer.h"
#include "shell/icons.h"
#include "shell/main_frame.h"
#include "telemetry/views/live_sample.h"
#include "telemetry/views/log_sample.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QFile>
#include <QPixmap>

#include <cstdio>
#include <memory>

namespace skarnel {
namespace {

constexpr int kExitUsage = 2;
const QSize kScreenshotSize(1280, 800);

struct StartOptions {
    QString port;
    QString screenshot;
    int view = -1;
    QString liveSample;
    QString log;
    QStringList plot;
    QString settingsFile;
};

void DefineOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription("Skarnel: service the controller");
    parser.addHelpOption();
    parser.addOption({"port", "COM number (1-96) or device path of the controller's port.", "PATH|N"});
    parser.addOption({"screenshot", "Render the main window into a PNG file and exit.", "FILE"});
    parser.addOption({"view", "With --screenshot: the view index to open first.", "N"});
    parser.addOption({"live-sample", "With --screenshot: show this log in the live views as if recorded now.", "FILE"});
    parser.addOption({"log", "With --screenshot: open the file log viewer with this log loaded.", "FILE"});
    parser.addOption({"plot", "With --log: plot these columns, comma-separated (\"Channel: Ch01\").", "NAMES"});
    parser.addOption({"settings", "Keep the settings in this file instead of the user's store.", "FILE"});
}

bool ParseOptions(const QStringList& arguments, StartOptions& options, QString& error)
{
    QCommandLineParser parser;
    DefineOptions(parser);
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet("help")) {
        error = parser.helpText();
        return false;
    }
    options.port = parser.value("port");
    if (!options.port.isEmpty() && !SerialPortId::Parse(options.port.toStdString())) {
        error = "--port needs a port number from 1 to 96 or a device path";
        return false;
    }
    options.screenshot = parser.value("screenshot");
    options.settingsFile = parser.value("settings");
    options.liveSample = parser.value("live-sample");
    options.log = parser.value("log");
    if (parser.isSet("plot"))
        options.plot = parser.value("plot").split(',', Qt::SkipEmptyParts);
    if (parser.isSet("view")) {
        bool ok = false;
        options.view = parser.value("view").toInt(&ok);
        if (!ok || !IsViewIndex(options.view)) {
            error = "--view needs a view index from 0 to 21";
            return false;
        }
    }
    return true;
}

// A screenshot needs no display: without one, render offscreen.
void PreparePlatform(const StartOptions& options)
{
    const bool noDisplay = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!options.screenshot.isEmpty() && noDisplay && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Through the replacing file, as every file the application writes: a picture that cannot be
// written whole leaves the file of that name as it was.
bool SavePng(const QPixmap& picture, const QString& path)
{
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return false;
    return WriteReplacingFile(QFile::encodeName(path).toStdString(), reinterpret_cast<const uint8_t*>(png.constData()),
                              static_cast<size_t>(png.size()));
}

int TakeScreenshot(CMainFrame& frame, const StartOptions& options)
{
    frame.resize(kScreenshotSize);
    frame.show();
    if (options.view >= 0 && !frame.OpenView(options.view)) {
        std::fprintf(stderr, "skarnel: view %d is not built\n", options.view);
        return 1;
    }
    if (!options.liveSample.isEmpty() && !FeedLiveSample(frame, QFile::encodeName(options.liveSample).toStdString())) {
        std::fprintf(stderr, "skarnel: cannot show %s\n", qPrintable(options.liveSample));
        return 1;
    }
    QString logError;
    if (!options.log.isEmpty() &&
        !ShowLogSample(frame, QFile::encodeName(options.log).toStdString(), options.plot, logError)) {
        std::fprintf(stderr, "skarnel: %s\n", qPrintable(logError));
        return 1;
    }
    for (int pass = 0; pass < 5; ++pass)
        QApplication::processEvents();
    if (!SavePng(frame.grab(), options.screenshot)) {
        std::fprintf(stderr, "skarnel: cannot write %s\n", qPrintable(options.screenshot));
        return 1;
    }
    return 0;
}

}  // namespace

int CVennacorApp::Run(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    StartOptions options;
    QString error;
    if (!ParseOptions(arguments, options, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return arguments.contains("--help") || arguments.contains("-h") ? 0 : kExitUsage;
    }
    PreparePlatform(options);

    PrepareForWebView();
    QApplication application(argc, argv);
    QApplication::setApplicationName("Skarnel");
    QApplication::setWindowIcon(ApplicationIcon());
    auto settings = options.settingsFile.isEmpty() ? std::make_unique<CApp_Settings>()
                                                   : std::make_unique<CApp_Settings>(options.settingsFile);
    MainFrameOptions frameOptions;
    frameOptions.showSplash = options.screenshot.isEmpty();
    if (!options.port.isEmpty())
        frameOptions.commandLinePort = SerialPortId::Parse(options.port.toStdString());
    CMainFrame frame(*settings, frameOptions);
    if (!options.screenshot.isEmpty())
        return TakeScreenshot(frame, options);
    frame.showMaximized();
    return QApplication::exec();
}

}  // namespace skarnel
