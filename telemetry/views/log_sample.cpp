#include "telemetry/views/log_sample.h"

#include "base/reporter.h"
#include "shell/main_frame.h"
#include "shell/view_table.h"
#include "telemetry/log_loader.h"
#include "telemetry/log_tables.h"
#include "telemetry/views/log_plot_widget.h"
#include "telemetry/views/log_sensor_view.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabBar>

namespace skarnel {

bool ShowLogSample(CMainFrame& mainFrame, const std::string& path, const QStringList& plotColumns, QString& error)
{
    // The view tells a refused file in a message box, which a picture taken unattended must not
    // wait for: the file is tried first.
    LogTables trial;
    if (!LoadLogFile(path, trial, NullReporter::Instance())) {
        error = "cannot load " + QString::fromStdString(path);
        return false;
    }
    auto* view = dynamic_cast<CLog_Sensor_View*>(mainFrame.OpenView(kViewLogSensor));
    if (!view) {
        error = "the file log viewer is not open";
        return false;
    }
    view->PathEdit()->setText(QString::fromStdString(path));
    view->LoadNamedFile();
    while (view->IsLoading())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();
    for (const QString& name : plotColumns)
        if (!view->Plot()->CheckColumn(name.trimmed())) {
            error = "no column \"" + name.trimmed() + "\" to plot";
            return false;
        }
    if (!plotColumns.isEmpty())
        view->Tabs()->setCurrentIndex(view->Tabs()->count() - 1);
    return true;
}

}  // namespace skarnel
