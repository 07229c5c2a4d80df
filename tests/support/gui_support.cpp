#include "tests/support/gui_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHeaderView>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace skarnel::test {

RecordingMessageBoxes::RecordingMessageBoxes()
{
    MessageBoxes::Install(this);
}

RecordingMessageBoxes::~RecordingMessageBoxes()
{
    MessageBoxes::Install(nullptr);
}

void RecordingMessageBoxes::Add(const QWidget* parent, const QString& text, const QString& title, MessageIcon icon)
{
    const bool onUiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
    std::lock_guard lock(mutex_);
    boxes_.push_back({text, title, icon, onUiThread, parent});
}

void RecordingMessageBoxes::Show(QWidget* parent, const QString& text, const QString& title, MessageIcon icon)
{
    Add(parent, text, title, icon);
}

bool RecordingMessageBoxes::Ask(QWidget* parent, const QString& text, const QString& title, MessageIcon icon)
{
    Add(parent, text, title, icon);
    return answer_;
}

std::vector<RecordingMessageBoxes::Box> RecordingMessageBoxes::Boxes() const
{
    std::lock_guard lock(mutex_);
    return boxes_;
}

std::vector<QString> RecordingMessageBoxes::Texts() const
{
    std::vector<QString> texts;
    for (const Box& box : Boxes())
        texts.push_back(box.text);
    return texts;
}

void ShowOffScreen(QWidget& window)
{
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
}

std::vector<std::string> ListShapeFaults(const QTableView& list)
{
    std::vector<std::string> faults;
    if (list.wordWrap())
        faults.push_back("rows wrap");
    if (!list.horizontalHeader()->stretchLastSection())
        faults.push_back("the last column does not stretch");
    if (list.verticalHeader()->defaultSectionSize() > 2 * list.fontMetrics().height())
        faults.push_back("rows higher than a line");
    const QAbstractItemModel* model = list.model();
    const auto check = [&](int column, const QString& text) {
        if (list.fontMetrics().horizontalAdvance(text) > list.columnWidth(column))
            faults.push_back("\"" + text.toStdString() + "\" cut in column " + std::to_string(column));
    };
    for (int column = 0; column + 1 < model->columnCount(); ++column) {
        if (list.isColumnHidden(column))
            continue;
        check(column, model->headerData(column, Qt::Horizontal).toString());
        for (int row = 0; row < model->rowCount(); ++row)
            check(column, model->index(row, column).data().toString());
    }
    return faults;
}

std::vector<std::string> LogTexts(const CWork_View& view)
{
    std::vector<std::string> texts;
    for (int row = 0; row < view.LogList()->rowCount(); ++row)
        texts.push_back(view.LogList()->item(row, 2)->text().toStdString());
    return texts;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(1);
    }
    return true;
}

bool RunUntilJobEnds(CFunction_View& view)
{
    constexpr int kStuckJobMs = 60'000;
    if (!view.IsBusy())
        return true;
    QEventLoop loop;
    QObject::connect(&view, &CFunction_View::JobEnded, &loop, &QEventLoop::quit);
    QTimer::singleShot(kStuckJobMs, &loop, &QEventLoop::quit);
    loop.exec();
    return !view.IsBusy();
}

MainFrameOptions TestFrameOptions()
{
    MainFrameOptions options;
    options.showSplash = false;
    options.deviceFolder.clear();
    return options;
}

FrameFixture::FrameFixture(MainFrameOptions options, const std::function<void(CApp_Settings&)>& presets,
                           const std::function<void(SysfsFixture&)>& ports)
{
    settings = std::make_unique<CApp_Settings>(SettingsFile());
    if (presets)
        presets(*settings);
    if (ports)
        ports(sysfs);
    if (options.sysfsRoot == "/sys")
        options.sysfsRoot = sysfs.Root();
    frame = std::make_unique<CMainFrame>(*settings, std::move(options));
}

FrameFixture::~FrameFixture()
{
    frame.reset();
}

QString FrameFixture::SettingsFile() const
{
    return QString::fromStdString(folder.Path("settings.ini"));
}

}  // namespace skarnel::test
