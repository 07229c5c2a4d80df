#include "telemetry/views/log_dbm_view.h"

#include "base/reporter.h"
#include "gauges/graph_function.h"
#include "shell/file_dialogs.h"
#include "shell/list_columns.h"
#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "shell/view_table.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace skarnel {
namespace {

constexpr const char* kRfFileFilter = "Log Data File(*.bin)|*.bin|ALL Filess(*.*)|*.*||";
constexpr int kListColumnWidth = 40;
constexpr const char* kPaces[] = {"100", "200", "300", "500"};

void Place(QWidget* control, int x, int y, int width, int height)
{
    control->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
}

// A picture drawn by a chart operation at every paint; a click reports its x.
class CChart_Picture final : public QWidget {
public:
    using Drawing = std::function<void(QPainter&, const QRect&)>;

    CChart_Picture(Drawing drawing, QWidget* parent) : QWidget(parent), drawing_(std::move(drawing))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    std::function<void(int x)> clicked;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        drawing_(painter, rect());
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && clicked)
            clicked(event->position().toPoint().x());
    }

private:
    Drawing drawing_;
};

}  // namespace

// "No" from 0, "Ch", "Tx", "Rx" of every sample, made when shown.
class CRf_Sample_Model final : public QAbstractTableModel {
public:
    CRf_Sample_Model(const std::vector<RfSample>& samples, QObject* parent)
        : QAbstractTableModel(parent), samples_(samples)
    {
    }
    void Reset(const std::function<void()>& change)
    {
        beginResetModel();
        change();
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(std::min<size_t>(samples_.size(), INT_MAX));
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const RfSample& sample = samples_[static_cast<size_t>(index.row())];
        const int values[] = {index.row(), sample.channel, sample.txLevel, sample.rxLevel};
        return QString::number(values[index.column()]);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char* const kTitles[] = {"No", "Ch", "Tx", "Rx"};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 4)
            return QString(kTitles[section]);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    const std::vector<RfSample>& samples_;
};

// The load's progress and refusals, on the user-interface thread.
class CLog_DBM_View::LoadReporter final : public Reporter {
public:
    explicit LoadReporter(CLog_DBM_View& view) : view_(view) {}
    void ReportProgressRange(int maximum, int position) override
    {
        view_.progress_->setRange(0, std::max(maximum, 0));
        view_.progress_->setValue(position);
    }
    void ReportProgress(int position, const std::string& status) override
    {
        view_.progress_->setValue(position);
        view_.countText_->setText(QString::fromStdString(status));
    }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        ShowMessageBox(&view_, QString::fromStdString(text), QString::fromStdString(title), icon);
    }
    void ReportLogLine(const std::string&) override {}
    void ReportFailedExchange(uint32_t, int) override {}
    bool AskYesNo(const std::string&, const std::string&, MessageIcon) override { return false; }

private:
    CLog_DBM_View& view_;
};

CLog_DBM_View::CLog_DBM_View(CMainFrame& mainFrame) : CFunction_View(mainFrame, kViewLogDbm)
{
    CreateControls();
    connect(browse_, &QPushButton::clicked, this, &CLog_DBM_View::Browse);
    connect(load_, &QPushButton::clicked, this, &CLog_DBM_View::Load);
    connect(play_, &QPushButton::clicked, this, &CLog_DBM_View::Play);
    connect(stop_, &QPushButton::clicked, this, &CLog_DBM_View::StopPlaying);
    connect(clear_, &QPushButton::clicked, this, &CLog_DBM_View::ClearLevels);
    connect(timer_, &QTimer::timeout, this, &CLog_DBM_View::Tick);
    connect(pace_, &QComboBox::currentIndexChanged, this, &CLog_DBM_View::Redraw);
}

CLog_DBM_View::~CLog_DBM_View() = default;

void CLog_DBM_View::CreateControls()
{
    pathEdit_ = new QLineEdit(this);
    browse_ = new QPushButton("Browse", this);
    load_ = new QPushButton("Load", this);
    load_->hide();
    progress_ = new QProgressBar(this);
    progress_->setTextVisible(false);
    progress_->setRange(0, 0);
    countText_ = new QLabel("0 / 0", this);
    pace_ = new QComboBox(this);
    for (const char* pace : kPaces)
        pace_->addItem(pace);
    pace_->setCurrentIndex(0);
    pace_->hide();
    play_ = new QPushButton(QString::fromUtf8("\u25B6"), this);
    stop_ = new QPushButton(QString::fromUtf8("\u25A0"), this);
    clear_ = new QPushButton("Clear", this);
    auto* overview = new CChart_Picture(
        [this](QPainter& painter, const QRect& rect) {
            CGraph_Function::DrawRfHistory(painter, rect, txLevels_, rxLevels_, static_cast<int>(samples_.size()),
                                           cursor_, 0);
        },
        this);
    overview->clicked = [this](int x) { PickAt(x); };
    overview_ = overview;
    txChart_ = new CChart_Picture(
        [this](QPainter& painter, const QRect& rect) {
            CGraph_Function::DrawRfChannels(painter, rect, levels_.txCurrent, levels_.txHighest, true);
        },
        this);
    rxChart_ = new CChart_Picture(
        [this](QPainter& painter, const QRect& rect) {
            CGraph_Function::DrawRfChannels(painter, rect, levels_.rxCurrent, levels_.rxHighest, false);
        },
        this);
    model_ = new CRf_Sample_Model(samples_, this);
    list_ = new QTableView(this);
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setShowGrid(true);
    list_->verticalHeader()->hide();
    for (int column = 0; column < 4; ++column)
        list_->horizontalHeader()->resizeSection(column, kListColumnWidth);
    MakeOneLineList(*list_);
    // Channels and levels are single bytes, so the widest of them is known.
    for (int column = 1; column < 4; ++column)
        FitColumnToText(*list_, column, "255");
    timer_ = new QTimer(this);
}

void CLog_DBM_View::Browse()
{
    StopPlaying();
    ClearLevels();
    const QString path = FileDialogs::Current().OpenFile(this, kRfFileFilter, pathEdit_->text());
    pathEdit_->setText(path);
    if (!path.isEmpty())
        Load();
}

void CLog_DBM_View::Load()
{
    const std::string path = pathEdit_->text().toStdString();
    if (path.empty())
        return;
    StopPlaying();
    LoadReporter reporter(*this);
    model_->Reset([&] {
        LoadRfSamples(path, samples_, reporter);
        cursor_ = 0;
        txLevels_.resize(samples_.size());
        rxLevels_.resize(samples_.size());
        std::transform(samples_.begin(), samples_.end(), txLevels_.begin(),
                       [](const RfSample& s) { return s.txLevel; });
        std::transform(samples_.begin(), samples_.end(), rxLevels_.begin(),
                       [](const RfSample& s) { return s.rxLevel; });
    });
    if (!samples_.empty())
        FitColumnToText(*list_, 0, QString::number(samples_.size() - 1));
    Redraw();
}

void CLog_DBM_View::Play()
{
    levels_.Clear();
    timer_->start(pace_->currentText().toInt() / 2);
    Redraw();
}

void CLog_DBM_View::StopPlaying()
{
    timer_->stop();
}

void CLog_DBM_View::ClearLevels()
{
    levels_.Clear();
    Redraw();
}

void CLog_DBM_View::Tick()
{
    if (cursor_ + 1 >= static_cast<int>(samples_.size())) {
        cursor_ = 0;
        timer_->stop();
        Redraw();
        return;
    }
    ++cursor_;
    ShowCursor();
    levels_.Take(samples_[static_cast<size_t>(cursor_)]);
    Redraw();
}

void CLog_DBM_View::PickAt(int x)
{
    if (samples_.empty())
        return;
    const int count = static_cast<int>(samples_.size());
    cursor_ = std::clamp(CGraph_Function::FrameIndexAt(0, overview_->width(), x, count), 0, count - 1);
    ShowCursor();
    Redraw();
}

void CLog_DBM_View::ShowCursor()
{
    const QModelIndex index = model_->index(cursor_, 0);
    list_->scrollTo(index);
    list_->selectRow(cursor_);
}

void CLog_DBM_View::Redraw()
{
    overview_->update();
    txChart_->update();
    rxChart_->update();
}

void CLog_DBM_View::resizeEvent(QResizeEvent* event)
{
    CFunction_View::resizeEvent(event);
    const int w = width();
    const int h = height();
    Place(pathEdit_, 5, 10, w - 345, 25);
    Place(browse_, w - 335, 10, 80, 25);
    Place(play_, w - 250, 10, 80, 25);
    Place(stop_, w - 165, 10, 75, 25);
    Place(clear_, w - 85, 10, 80, 25);
    Place(progress_, 5, 45, w - 250, 20);
    Place(countText_, w - 230, 45, 130, 20);
    Place(pace_, w - 90, 45, 80, 22);
    const int chartWidth = (w - 15) / 2;
    Place(txChart_, 5, 70, chartWidth, h / 2);
    Place(rxChart_, chartWidth + 10, 70, chartWidth, h / 2);
    Place(overview_, 5, h / 2 + 80, w - 205, h / 2 - 90);
    Place(list_, w - 195, h / 2 + 80, 190, h / 2 - 90);
}

}  // namespace skarnel
