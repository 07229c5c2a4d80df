#include "telemetry/views/log_sensor_view.h"

#include "base/clock.h"
#include "base/format.h"
#include "shell/file_dialogs.h"
#include "shell/list_columns.h"
#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "shell/view_table.h"
#include "telemetry/log_export.h"
#include "telemetry/map_page.h"
#include "telemetry/views/live_telemetry_hub.h"
#include "telemetry/views/log_list_fit.h"
#include "telemetry/views/log_load_task.h"
#include "telemetry/views/log_plot_widget.h"
#include "telemetry/views/log_table_model.h"
#include "telemetry/views/replay_time_display.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleValidator>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <utility>
#include <variant>

namespace skarnel {
namespace {

constexpr const char* kLogFileFilter = "Log Data File(*.bin;*.cld)|*.bin;*.cld||";
constexpr const char* kCsvFilter = "CSV File(*.csv)|*.csv||";
constexpr const char* kGpxFilter = "GPX File(*.gpx)|*.gpx||";
constexpr const char* kKmlFilter = "KML File(*.kml)|*.kml||";
constexpr int kTrackPageSize = 10;
constexpr int kGoToWidth = 90;
constexpr int kChoiceGap = 6;
constexpr int kChoiceHeight = 20;
constexpr int kTitleInset = 16;
// The largest "go to" time, seconds: far beyond any log.
constexpr double kLargestGoTo = 1e8;

// The live views a replay opens, in this order, for the lists that take part.
constexpr std::pair<LogList, int> kReplayViews[] = {
    {LogList::Receiver, kViewLiveSensorReceiver},
    {LogList::RfLevel, kViewLiveLogDbm},
    {LogList::Electric, kViewLiveSensorElectric},
    {LogList::Gps, kViewLiveSensorGps},
    {LogList::Gps, kViewGpsMap},
    {LogList::Gps, kViewGpsCurve},
    {LogList::Vario, kViewLiveSensorVario},
    {LogList::General, kViewLiveSensorGeneral},
};

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
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // One-line rows of one height that the header never measures: a list of millions scrolls
    // as fast as one of ten.
    MakeOneLineList(*list);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setHighlightSections(false);
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return list;
}

}  // namespace

CLog_Sensor_View::CLog_Sensor_View(CMainFrame& mainFrame)
    : CFunction_View(mainFrame, kViewLogSensor), clock_(mainFrame.Connections().TimeSource())
{
    CreateControls();
    CreateLists();
    AddPlotTab();
    ConnectSignals();
    OnLanguageChanged(mainFrame.Language());
    ShowTab(0);
}

CLog_Sensor_View::~CLog_Sensor_View()
{
    replayTimer_->stop();
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
    // An empty bar until a load gives its range (a range of 0 would show a busy bar).
    progress_->setRange(0, 1);
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
    speedCombo_ = new QComboBox(this);
    for (int speed : kReplaySpeeds)
        speedCombo_->addItem(QString::fromStdString(Format("x%d", speed)));
    goToEdit_ = new QLineEdit(this);
    goToEdit_->setPlaceholderText("Go to (s)");
    goToEdit_->setValidator(new QDoubleValidator(0, kLargestGoTo, 2, goToEdit_));
    replayTimer_ = new QTimer(this);
    replayTimer_->setInterval(static_cast<int>(kReplayStepMs));
    replayTimer_->setTimerType(Qt::PreciseTimer);
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
        ShowLogColumns(*lists_[static_cast<size_t>(i)], tables_, list);
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
    connect(trackBar_, &QSlider::sliderReleased, this, [this] {
        trackLabel_->setText("Replay Position");
        MoveReplay(trackBar_->value());
    });
    connect(trackBar_, &QSlider::actionTriggered, this, &CLog_Sensor_View::TakeTrackAction);
    connect(replayStart_, &QPushButton::clicked, this, &CLog_Sensor_View::StartReplay);
    connect(replayStop_, &QPushButton::clicked, this, &CLog_Sensor_View::StopReplay);
    connect(replayPause_, &QPushButton::clicked, this, &CLog_Sensor_View::PauseReplay);
    connect(speedCombo_, &QComboBox::currentIndexChanged, this, &CLog_Sensor_View::ChooseSpeed);
    connect(goToEdit_, &QLineEdit::returnPressed, this, &CLog_Sensor_View::GoToTime);
    connect(replayTimer_, &QTimer::timeout, this, &CLog_Sensor_View::ReplayTick);
}

void CLog_Sensor_View::AddPlotTab()
{
    plot_ = new CLog_Plot_Widget(tables_, this);
    tabs_->addTab("Plot");
    for (CLog_Table_Model* model : models_) {
        connect(model, &QAbstractItemModel::modelReset, plot_, &CLog_Plot_Widget::LogBegun);
        connect(model, &QAbstractItemModel::rowsInserted, plot_, &CLog_Plot_Widget::RowsChanged);
    }
    connect(this, &CLog_Sensor_View::ReplayPositionChanged, plot_, &CLog_Plot_Widget::SetCursorTime);
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
            ShowLogColumns(*lists_[static_cast<size_t>(i)], tables_, static_cast<LogList>(i));
        batch.begun.reset();
        endTime_ = 0;
    }
    const std::optional<int32_t> endTime = batch.endTime;
    std::array<size_t, kLogListCount> rowsBefore{};
    for (int i = 0; i < kLogListCount; ++i)
        rowsBefore[static_cast<size_t>(i)] = tables_.Table(static_cast<LogList>(i)).RowCount();
    tables_.Apply(std::move(batch));
    for (CLog_Table_Model* model : models_)
        model->ShowNewRows();
    for (int i = 0; i < kLogListCount; ++i) {
        const auto list = static_cast<LogList>(i);
        FitLogRows(*List(list), tables_, list, rowsBefore[static_cast<size_t>(i)], tables_.Table(list).RowCount());
    }
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

void CLog_Sensor_View::StartReplay()
{
    // A load still running would change the rows under the replay.
    if (replay_.IsRunning() || MainFrame().IsLiveLogRunning() || IsLoading())
        return;
    if (!replay_.Start(clock_.NowMs()))
        return;
    SetReplayButtons(true);
    ShowReplayPosition(0);
    PrepareLiveTelemetry();
    OpenReplayViews();
    replayTimer_->start();
    ReplayTick();
}

void CLog_Sensor_View::PrepareLiveTelemetry()
{
    const std::vector<GpsData> gpsRows = ReplayGpsRows(tables_);
    const LogFormat format = tables_.Format();
    MainFrame().LiveData().Update(0, [&](LiveTelemetry& live) {
        BuildReplayPath(gpsRows, format, live.path);
        ClearForReplay(live);
    });
    if (gpsRows.empty() || MainFrame().MapPagePath().empty())
        return;
    // The map view shows what it finds; a page that could not be written leaves it as it was.
    std::string error;
    WriteMapPages(MainFrame().MapPagePath().parent_path(), gpsRows, format == LogFormat::LiveLog, error);
}

void CLog_Sensor_View::OpenReplayViews()
{
    for (const auto& [list, view] : kReplayViews)
        if (replay_.TakesPart(list) && MainFrame().IsViewAvailable(view))
            MainFrame().OpenView(view);
    if (replay_.TakesPart(LogList::Gps))
        MainFrame().LiveData().Announce(kViewGpsMap);
}

void CLog_Sensor_View::StopReplay()
{
    replay_.Stop();
    replayTimer_->stop();
    SetReplayButtons(false);
}

void CLog_Sensor_View::PauseReplay()
{
    if (!replay_.IsRunning())
        return;
    if (replay_.IsPaused()) {
        replay_.Resume(clock_.NowMs());
        replayPause_->setText("Pause");
    } else {
        replay_.Pause();
        replayPause_->setText("Resume");
    }
}

void CLog_Sensor_View::MoveReplay(int seconds)
{
    MoveReplayTo(int64_t{seconds} * 100);
}

void CLog_Sensor_View::GoToTime()
{
    bool number = false;
    const double seconds = goToEdit_->text().toDouble(&number);
    if (!number || !std::isfinite(seconds) || seconds < 0)
        return;
    MoveReplayTo(std::llround(std::min(seconds, kLargestGoTo) * 100));
}

void CLog_Sensor_View::MoveReplayTo(int64_t position)
{
    position = std::min(position, endTime_);
    replay_.MoveTo(position, clock_.NowMs());
    // A running replay shows its position at its next step; a stopped one shows the time chosen.
    if (!replay_.IsRunning())
        ShowReplayPosition(position);
    else if (replay_.IsPaused())
        ShowReplayPosition(replay_.CurrentPosition());
    else if (!trackBar_->isSliderDown())
        trackBar_->setValue(static_cast<int>(position / 100));
    emit ReplayPositionChanged(position);
}

void CLog_Sensor_View::ChooseSpeed(int index)
{
    if (index >= 0 && index < static_cast<int>(kReplaySpeeds.size()))
        replay_.SetSpeed(kReplaySpeeds[static_cast<size_t>(index)], clock_.NowMs());
}

void CLog_Sensor_View::ReplayTick()
{
    if (!replay_.IsRunning()) {
        replayTimer_->stop();
        return;
    }
    for (const ReplayStep& step : replay_.Tick(clock_.NowMs()))
        ShowReplayStep(step);
    if (!replay_.IsRunning()) {
        StopReplay();
        timeDisplay_->SetTimes(replay_.CurrentPosition(), endTime_);
    }
}

void CLog_Sensor_View::ShowReplayStep(const ReplayStep& step)
{
    CLive_Telemetry_Hub& hub = MainFrame().LiveData();
    const ReplayRecord& record = step.record;
    switch (step.kind) {
    case ReplayKind::General:
        hub.Update(kViewLiveSensorGeneral, [&](LiveTelemetry& live) { live.general = std::get<GeneralData>(record); });
        break;
    case ReplayKind::Electric:
        hub.Update(kViewLiveSensorElectric,
                   [&](LiveTelemetry& live) { live.electric = std::get<ElectricData>(record); });
        break;
    case ReplayKind::Vario:
        hub.Update(kViewLiveSensorVario, [&](LiveTelemetry& live) { live.vario = std::get<VarioData>(record); });
        break;
    case ReplayKind::Receiver:
        hub.Update(kViewLiveSensorReceiver,
                   [&](LiveTelemetry& live) { live.receiver = std::get<ReceiverData>(record); });
        break;
    case ReplayKind::Gps:
        hub.Update(kViewLiveSensorGps, [&](LiveTelemetry& live) { live.gps = std::get<GpsData>(record); });
        hub.Update(kViewGpsCurve, [&](LiveTelemetry& live) { live.path.SetCurrent(static_cast<int32_t>(step.row)); });
        break;
    case ReplayKind::RfControllerLog:
    case ReplayKind::RfLiveLog:
        hub.Update(kViewLiveLogDbm, [&](LiveTelemetry& live) { live.StoreRfLevels(std::get<DbmScan>(record)); });
        break;
    case ReplayKind::Position:
        ShowReplayPosition(step.time);
        emit ReplayPositionChanged(step.time);
        break;
    }
}

void CLog_Sensor_View::ShowReplayPosition(int64_t position)
{
    if (!trackBar_->isSliderDown())
        trackBar_->setValue(static_cast<int>(std::clamp<int64_t>(position / 100, 0, INT_MAX)));
    timeDisplay_->SetTimes(position, endTime_);
}

void CLog_Sensor_View::SetReplayButtons(bool replaying)
{
    browse_->setEnabled(!replaying);
    replayStart_->setEnabled(!replaying);
    replayStop_->setEnabled(replaying);
    replayPause_->setEnabled(replaying);
    replayPause_->setText("Pause");
}

void CLog_Sensor_View::TakeTrackAction(int action)
{
    // A drag moves the replay when the thumb is let go; the bar's other moves (a click in the
    // groove, the keys, the wheel) move it at once. The position is the one the action chose:
    // the bar's value follows after this signal.
    if (action == QAbstractSlider::SliderMove && trackBar_->isSliderDown())
        return;
    MoveReplay(trackBar_->sliderPosition());
}

void CLog_Sensor_View::ShowTrackPosition(int seconds)
{
    trackLabel_->setText(QString::fromStdString(Format("Move : %d s", seconds)));
}

void CLog_Sensor_View::ShowTab(int tab)
{
    for (int i = 0; i < kLogListCount; ++i)
        lists_[static_cast<size_t>(i)]->setVisible(i == tab);
    plot_->setVisible(tab == kLogListCount);
}

void CLog_Sensor_View::OnLanguageChanged(int language)
{
    CFunction_View::OnLanguageChanged(language);
    for (CLog_Table_Model* model : models_)
        model->SetLanguage(language);
    for (QTableView* list : lists_)
        FitColumnsToTitles(*list);
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

// The speed and the "go to" time sit in the replay group's title row, after its title, where
// they cover none of the group's controls; the row is as high as the gap above the buttons.
void CLog_Sensor_View::PlaceReplayChoices()
{
    const int comboWidth = speedCombo_->sizeHint().width();
    const int x = 10 + kTitleInset + replayGroup_->fontMetrics().horizontalAdvance(replayGroup_->title());
    Place(speedCombo_, x, 90, comboWidth, kChoiceHeight);
    Place(goToEdit_, x + comboWidth + kChoiceGap, 90, kGoToWidth, kChoiceHeight);
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
    PlaceReplayChoices();
    Place(tabs_, 10, 200, w - 20, 41);
    for (QTableView* list : lists_)
        Place(list, 10, 240, w - 20, h - 250);
    Place(plot_, 10, 240, w - 20, h - 250);
}

}  // namespace skarnel
