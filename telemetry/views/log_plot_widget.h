#pragma once

#include "telemetry/plot_series.h"
#include "telemetry/plot_window.h"
#include "telemetry/views/log_plot_picture.h"

#include <QWidget>

#include <optional>
#include <vector>

class QListWidget;
class QListWidgetItem;

namespace skarnel {

class LogTables;

// The file log viewer's plot: the numeric columns of every list with rows, each checkable as
// "List: Column", and the checked ones drawn against time with a value axis each, a time axis,
// a legend and the replay position as a cursor. The wheel zooms around the pointer, a drag
// pans and a double-click shows the whole log again.
class CLog_Plot_Widget final : public QWidget {
    Q_OBJECT
public:
    explicit CLog_Plot_Widget(const LogTables& tables, QWidget* parent = nullptr);

    QListWidget* ColumnList() const { return columnList_; }
    const PlotWindow& Window() const { return window_; }
    // The checked columns in the order they were checked, which gives each its colour.
    const std::vector<PlotColumn>& CheckedColumns() const { return checked_; }
    const std::vector<PlotSeries>& Series() const { return series_; }
    std::optional<int64_t> CursorTime() const { return cursor_; }
    // Checks the column of that name ("Channel: Ch01"); false when none has it.
    bool CheckColumn(const QString& name);
    // The part of the widget the curves are drawn in.
    QRect PlotRect() const;

public slots:
    // The rows changed (a load began or brought rows): the columns and curves are read again
    // once control returns to the event loop, however often this was called before.
    void RowsChanged();
    // A new log begins: its rows are shown whole, in the columns still chosen.
    void LogBegun();
    // The replay position, in hundredths of a second.
    void SetCursorTime(qint64 hundredths);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Reload();
    void TakeCheck(QListWidgetItem* item);
    void ReadCheckedSeries();
    void FitExtent();
    PlotScene Scene() const;
    QRect Bounds() const;
    int64_t TimeAt(double x) const;

    const LogTables& tables_;
    QListWidget* columnList_;
    std::vector<PlotColumn> columns_;  // one per item of the list
    std::vector<PlotColumn> checked_;
    // Per checked column, copied when it is read, so that a paint between a new log's start and
    // the next reading never looks into tables of another layout.
    std::vector<PlotSeries> series_;
    std::vector<QString> names_;
    PlotWindow window_;
    std::optional<int64_t> cursor_;
    std::optional<QPointF> dragFrom_;
    int64_t dragStart_ = 0;
    bool reloadPending_ = false;
    bool showWhole_ = false;
};

}  // namespace skarnel
