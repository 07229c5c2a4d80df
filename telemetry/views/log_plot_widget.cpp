#include "telemetry/views/log_plot_widget.h"

#include "telemetry/log_tables.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace skarnel {
namespace {

constexpr int kListMinimumWidth = 150;
// One wheel notch narrows the window to this share of it.
constexpr double kZoomPerNotch = 0.8;
constexpr double kDegreesPerNotch = 120.0;

}  // namespace

CLog_Plot_Widget::CLog_Plot_Widget(const LogTables& tables, QWidget* parent)
    : QWidget(parent), tables_(tables), columnList_(new QListWidget(this))
{
    columnList_->setUniformItemSizes(true);
    connect(columnList_, &QListWidget::itemChanged, this, &CLog_Plot_Widget::TakeCheck);
    Reload();
}

void CLog_Plot_Widget::RowsChanged()
{
    if (reloadPending_)
        return;
    reloadPending_ = true;
    QTimer::singleShot(0, this, [this] {
        reloadPending_ = false;
        Reload();
    });
}

void CLog_Plot_Widget::LogBegun()
{
    showWhole_ = true;
    RowsChanged();
}

void CLog_Plot_Widget::SetCursorTime(qint64 hundredths)
{
    cursor_ = hundredths;
    update();
}

bool CLog_Plot_Widget::CheckColumn(const QString& name)
{
    const QList<QListWidgetItem*> items = columnList_->findItems(name, Qt::MatchExactly);
    if (items.isEmpty())
        return false;
    items.front()->setCheckState(Qt::Checked);
    return true;
}

void CLog_Plot_Widget::TakeCheck(QListWidgetItem* item)
{
    const PlotColumn column = columns_[static_cast<size_t>(columnList_->row(item))];
    std::erase(checked_, column);
    if (item->checkState() == Qt::Checked)
        checked_.push_back(column);
    ReadCheckedSeries();
    update();
}

// The list names the columns of the lists that have rows now; a column stays checked while it
// is named, so a log still loading, or the next log, keeps what the user chose.
void CLog_Plot_Widget::Reload()
{
    const std::vector<PlotColumn> columns = PlotColumns(tables_);
    std::erase_if(checked_, [&](const PlotColumn& column) {
        return std::find(columns.begin(), columns.end(), column) == columns.end();
    });
    if (columns != columns_) {
        const QSignalBlocker blocker(columnList_);
        columnList_->clear();
        columns_ = columns;
        for (const PlotColumn& column : columns_) {
            auto* item = new QListWidgetItem(QString::fromStdString(PlotColumnName(tables_, column)), columnList_);
            item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            const bool isChecked = std::find(checked_.begin(), checked_.end(), column) != checked_.end();
            item->setCheckState(isChecked ? Qt::Checked : Qt::Unchecked);
        }
    }
    ReadCheckedSeries();
    update();
}

void CLog_Plot_Widget::ReadCheckedSeries()
{
    series_.clear();
    names_.clear();
    for (const PlotColumn& column : checked_) {
        series_.push_back(SeriesOf(tables_, column));
        names_.push_back(QString::fromStdString(PlotColumnName(tables_, column)));
    }
    FitExtent();
}

// The window may range over the times of every checked column.
void CLog_Plot_Widget::FitExtent()
{
    std::optional<int64_t> first;
    std::optional<int64_t> last;
    for (const PlotSeries& series : series_) {
        if (series.times.empty())
            continue;
        first = std::min<int64_t>(first.value_or(series.times.front()), series.times.front());
        last = std::max<int64_t>(last.value_or(series.times.back()), series.times.back());
    }
    if (!first) {
        window_ = PlotWindow();
        return;
    }
    window_.SetExtent(*first, *last);
    if (showWhole_)
        window_.Reset();
    showWhole_ = false;
}

PlotScene CLog_Plot_Widget::Scene() const
{
    PlotScene scene;
    scene.start = window_.Start();
    scene.end = window_.End();
    scene.cursor = cursor_;
    for (size_t i = 0; i < series_.size(); ++i)
        scene.traces.push_back({names_[i], TraceColour(i), &series_[i]});
    return scene;
}

QRect CLog_Plot_Widget::Bounds() const
{
    return rect().adjusted(columnList_->width(), 0, 0, 0);
}

QRect CLog_Plot_Widget::PlotRect() const
{
    return PlotArea(Bounds(), fontMetrics(), Scene());
}

int64_t CLog_Plot_Widget::TimeAt(double x) const
{
    const QRect area = PlotRect();
    const double share = (x - area.left()) / std::max(area.width(), 1);
    return window_.Start() + std::llround(share * static_cast<double>(window_.Span()));
}

void CLog_Plot_Widget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawLogPlot(painter, Bounds(), Scene());
}

void CLog_Plot_Widget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The list is as wide as its longest name, up to a third of the widget.
    const int wanted = std::max(kListMinimumWidth, columnList_->sizeHintForColumn(0) + 2 * columnList_->frameWidth() +
                                                       columnList_->verticalScrollBar()->sizeHint().width());
    columnList_->setGeometry(0, 0, std::min(wanted, width() / 3), height());
}

void CLog_Plot_Widget::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / kDegreesPerNotch;
    if (notches == 0 || series_.empty())
        return;
    window_.ZoomAround(TimeAt(event->position().x()), std::pow(kZoomPerNotch, notches));
    update();
    event->accept();
}

void CLog_Plot_Widget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !PlotRect().contains(event->position().toPoint()))
        return;
    dragFrom_ = event->position();
    dragStart_ = window_.Start();
}

void CLog_Plot_Widget::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragFrom_)
        return;
    const double pixels = event->position().x() - dragFrom_->x();
    const double perPixel = static_cast<double>(window_.Span()) / std::max(PlotRect().width(), 1);
    window_.PanBy(dragStart_ - std::llround(pixels * perPixel) - window_.Start());
    update();
}

void CLog_Plot_Widget::mouseReleaseEvent(QMouseEvent*)
{
    dragFrom_.reset();
}

void CLog_Plot_Widget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!PlotRect().contains(event->position().toPoint()))
        return;
    window_.Reset();
    update();
}

}  // namespace skarnel
