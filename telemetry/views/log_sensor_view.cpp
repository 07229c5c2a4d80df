#include "telemetry/views/log_sensor_view.h"

#include "base/format.h"
#include "shell/file_dialogs.h"
#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "shell/view_table.h"
#include "telemetry/log_export.h"
#include "telemetry/views/log_load_task.h"
#include "telemetry/views/log_table_model.h"
#include "telemetry/views/replay_time_display.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTableView>

#include <algorithm>
#include <climits>
#include <functional>
#include <utility>

namespace skarnel {
namespace {

constexpr const char* kLogFileFilter = "Log Data File(*.bin;*.cld)|*.bin;*.cld||";
constexpr const char* kCsvFilter = "CSV File(*.csv)|*.csv||";
constexpr const char* kGpxFilter = "GPX File(*.gpx)|*.gpx||";
constexpr const char* kKmlFilter = "KML File(*.kml)|*.kml||";
constexpr int kTrackPageSize = 10;
// The track bar ends this many seconds before the log does.
constexpr int64_t kTrackEndMargin = 2;

void Place(QWidget* control, int x, int y, int width, int height)
{
    control->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
}

QTableView* MakeList(QWidget* parent, CLog_Table_Model* model)
{
    auto* list = new QTableView(parent);
    list->setModel(model);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(true);
    list->setWordWrap(false);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Rows of one height that the header never measures: a list of millions scrolls as fast
    // as one of ten.
    QHeaderView* rows = list->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(list->fontMetrics().height() + 4);
    list->horizontalHeader()->setHighlightSections(false);
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return list;
}

// The track bar's last second: two before the end, never below 0, and an int for any log.
int TrackBarEnd(int64_t endTime)
{
    return static_cast<int>(std::clamp<int64_t>(endTime / 100 - kTrackEndMargin, 0, INT_MAX));
}

}  // namespace

CLog_Sensor_View::CLog_Sensor_View(CMainFrame& mainFrame) : CFunction_View(mainFrame, kViewLogSensor)
{
    CreateControls();
    CreateLists();
    ConnectSignals();
    OnLanguageChanged(mainFrame.Language());
    ShowTab(0);
}

CLog_Sensor_View::~CLog_Sensor_View()
{
    loadTask_->Cancel();
}

void CLog_Sensor_View::CreateControls()
{
    loadGroup_ = new QGroupBox(" [ Log File Load ] ", this);
    pathEdit_ = new QLineEdit(this);
    browse_ = new QPushButton("Browse", this);
    load_ = new QPushButton("Start", this);
    load_->hide();
    progress_ = new QProgressBar(this);
    progress_->setTextVisible(false);
    progress_->setRange(0, 0);
    progress_->setValue(0);
    countText_ = new QLabel("0 / 0", this);
    replayGroup_ = new QGroupBox(" [ Log Replay ] ", this);
    timeDisplay_ = new CReplay_Time_Display(this);
    replayStart_ = new QPushButton("Start", this);
    replayPause_ = new QPushButton("Pause", this);
    replayStop_ = new QPushButton("Stop", this);
    replayPause_->setEnabled(false);
    replayStop_->setEnabled(false);
    trackBar_ = new QSlider(Qt::Horizontal, this);
    trackBar_->setPageStep(kTrackPageSize);
    trackBar_->setRange(0, 0);
    trackLabel_ = new QLabel("Replay Position", this);
    // Its place left of the track bar holds it on two lines.
    trackLabel_->setWordWrap(true);
    tabs_ = new QTabBar(this);
    tabs_->setExpanding(false);
    for (int i = 0; i < kLogListCount; ++i)
        tabs_->addTab(QString());
}

void CLog_Sensor_View::CreateLists()
{
    for (int i = 0; i < kLogListCount; ++i) {
        const auto list = static_cast<LogList>(i);
        models_[static_cast<size_t>(i)] = new CLog_Table_Model(tables_, list, this);
        lists_[static_cast<size_t>(i)] = MakeList(this, models_[static_cast<size_t>(i)]);
        AddExportActions(lists_[static_cast<size_t>(i)]);
        ShowColumns(list);
    }
    CLog_Load_Task::Handlers handlers;
    handlers.batch = [this](LogBatch&& batch) { TakeBatch(std::move(batch)); };
    handlers.progressRange = [this](int maximum) { progress_->setRange(0, std::max(maximum, 0)); };
    handlers.progress = [this](int position, const QString& status) { ShowProgress(position, status); };
    handlers.message = [this](const QString& text, MessageIcon icon) {
        ShowMessageBox(this, text, kApplicationTitle, icon);
    };
    loadTask_ = new CLog_Load_Task(std::move(handlers), this);
}

void CLog_Sensor_View::ConnectSignals()
{
    connect(browse_, &QPushButton::clicked, this, &CLog_Sensor_View::Browse);
    connect(load_, &QPushButton::clicked, this, &CLog_Sensor_View::LoadNamedFile);
    connect(tabs_, &QTabBar::currentChanged, this, &CLog_Sensor_View::ShowTab);
    connect(trackBar_, &QSlider::sliderMoved, this, &CLog_Sensor_View::ShowTrackPosition);
    connect(trackBar_, &QSlider::sliderReleased, this, [this] { trackLabel_->setText("Replay Position"); });
}

void CLog_Sensor_View::Browse()
{
    const QString path = FileDialogs::Current().OpenFile(this, kLogFileFilter, pathEdit_->text());
    pathEdit_->setText(path);
    Load(path.toStdString());
}

void CLog_Sensor_View::LoadNamedFile()
{
    Load(pathEdit_->text().toStdString());
}

void CLog_Sensor_View::Load(const std::string& path)
{
    if (path.empty())
        return;
    ShowProgress(0, "0 / 0");
    loadTask_->Start(path);
}

bool CLog_Sensor_View::IsLoading() const
{
    return loadTask_->IsRunning();
}

void CLog_Sensor_View::TakeBatch(LogBatch&& batch)
{
    if (batch.begun) {
        for (CLog_Table_Model* model : models_)
            model->BeginReset();
        tables_.Begin(*batch.begun);
        for (CLog_Table_Model* model : models_)
            model->EndReset();
        for (int i = 0; i < kLogListCount; ++i)
            ShowColumns(static_cast<LogList>(i));
        batch.begun.reset();
        endTime_ = 0;
    }
    const std::optional<int32_t> endTime = batch.endTime;
    tables_.Apply(std::move(batch));
    for (CLog_Table_Model* model : models_)
        model->ShowNewRows();
    if (endTime)
        SetUpReplay(*endTime);
}

void CLog_Sensor_View::AddExportActions(QTableView* list)
{
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"Export List to CSV", [this] { ExportVisibleList(); }},
        {"Export All Lists to CSV", [this] { ExportAllLists(); }},
        {"Export GPS Path to GPX", [this] { ExportGpsPath(false); }},
        {"Export GPS Path to KML", [this] { ExportGpsPath(true); }},
    };
    for (const auto& [text, run] : actions) {
        auto* action = new QAction(text, list);
        connect(action, &QAction::triggered, this, run);
        list->addAction(action);
    }
}

void CLog_Sensor_View::ExportVisibleList()
{
    const auto list = static_cast<LogList>(tabs_->currentIndex());
    const QString path =
        FileDialogs::Current().SaveFile(this, kCsvFilter, QString::fromStdString(LogListFileName(list) + ".csv"));
    if (path.isEmpty())
        return;
    std::string error;
    ShowExportResult(ExportListCsv(tables_, list, path.toStdString(), models_[0]->Language(), &error), error);
}

void CLog_Sensor_View::ExportAllLists()
{
    const QString folder = FileDialogs::Current().ChooseFolder(this, QString());
    if (folder.isEmpty())
        return;
    std::string error;
    ShowExportResult(ExportAllCsv(tables_, folder.toStdString(), models_[0]->Language(), &error), error);
}

void CLog_Sensor_View::ExportGpsPath(bool kml)
{
    const QString path = FileDialogs::Current().SaveFile(this, kml ? kKmlFilter : kGpxFilter,
                                                         kml ? "Flight_Path.kml" : "Flight_Path.gpx");
    if (path.isEmpty())
        return;
    std::string error;
    const bool exported =
        kml ? ExportKml(tables_, path.toStdString(), &error) : ExportGpx(tables_, path.toStdString(), &error);
    ShowExportResult(exported, error);
}

void CLog_Sensor_View::ShowExportResult(bool exported, const std::string& error)
{
    if (!exported)
        ShowMessageBox(this, QString::fromStdString("Export Fail: " + error), kApplicationTitle, MessageIcon::Error);
}

void CLog_Sensor_View::ShowColumns(LogList list)
{
    QHeaderView* header = List(list)->horizontalHeader();
    const LogLayout& layout = tables_.Layout(list);
    for (int column = 0; column < tables_.ColumnCount(list); ++column)
        header->resizeSection(column, ColumnWidth(layout, column));
}

void CLog_Sensor_View::ShowProgress(int position, const QString& status)
{
    progress_->setValue(position);
    countText_->setText(status);
    PlaceCountText();
}

void CLog_Sensor_View::SetUpReplay(int32_t endTime)
{
    endTime_ = endTime;
    trackBar_->setRange(0, TrackBarEnd(endTime_));
    trackBar_->setValue(0);
    timeDisplay_->SetTimes(0, endTime_);
}

void CLog_Sensor_View::ShowTrackPosition(int seconds)
{
    trackLabel_->setText(QString::fromStdString(Format("Move : %d s", seconds)));
}

void CLog_Sensor_View::ShowTab(int tab)
{
    for (int i = 0; i < kLogListCount; ++i)
        lists_[static_cast<size_t>(i)]->setVisible(i == tab);
}

void CLog_Sensor_View::OnLanguageChanged(int language)
{
    CFunction_View::OnLanguageChanged(language);
    for (CLog_Table_Model* model : models_)
        model->SetLanguage(language);
    ApplyTabTexts();
}

void CLog_Sensor_View::ApplyTabTexts()
{
    const int language = models_[0]->Language();
    for (int i = 0; i < kLogListCount; ++i)
        tabs_->setTabText(i, QString::fromStdString(TabTitle(static_cast<LogList>(i), language)));
}

void CLog_Sensor_View::PlaceCountText()
{
    // A count of six digits and more needs more than its 95 pixels: it takes them from the
    // progress bar rather than be cut.
    const int w = width();
    const int extra = std::max(0, countText_->fontMetrics().horizontalAdvance(countText_->text()) + 4 - 95);
    Place(countText_, w - 110 - extra, 55, 95 + extra, 22);
    Place(progress_, 15, 55, w - 130 - extra, 15);
}

void CLog_Sensor_View::resizeEvent(QResizeEvent* event)
{
    CFunction_View::resizeEvent(event);
    const int w = width();
    const int h = height();
    Place(loadGroup_, 10, 10, w - 20, 70);
    Place(pathEdit_, 15, 28, w - 130, 22);
    Place(browse_, w - 110, 28, 95, 22);
    PlaceCountText();
    Place(replayGroup_, 10, 90, w - 20, 95);
    Place(timeDisplay_, w - 420, 110, 405, 40);
    const int c = (w - 455) / 3;
    Place(replayStart_, 15, 110, c, 40);
    Place(replayPause_, c + 20, 110, c, 40);
    Place(replayStop_, 2 * c + 25, 110, c, 40);
    Place(trackLabel_, 15, 150, 78, 30);
    Place(trackBar_, 95, 150, w - 107, 30);
    Place(tabs_, 10, 200, w - 20, 41);
    for (QTableView* list : lists_)
        Place(list, 10, 240, w - 20, h - 250);
}

}  // namespace skarnel
