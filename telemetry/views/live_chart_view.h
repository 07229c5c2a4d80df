#pragma once

#include "shell/function_view.h"
#include "telemetry/views/chart_scale.h"
#include "telemetry/views/gauge_picture.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace skarnel {

// The chart of a live chart view: presses on its click regions and wheel notches adjust the
// view's scale.
class CScale_Chart final : public CGauge_Picture {
    Q_OBJECT
public:
    CScale_Chart(ChartScale& scale, Drawing drawing, QWidget* parent);

signals:
    // A limit changed by a wheel notch.
    void ScaleChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    ChartScale& scale_;
    int wheelRest_ = 0;
};

// What the two chart views share: the scale, its two edits and the chart.
class CLive_Chart_View : public CFunction_View {
    Q_OBJECT
public:
    CLive_Chart_View(CMainFrame& mainFrame, int viewIndex);

    const ChartScale& Scale() const { return scale_; }
    QComboBox* Choice() const { return choice_; }
    QLineEdit* UpperEdit() const { return upperEdit_; }
    QLineEdit* LowerEdit() const { return lowerEdit_; }
    CScale_Chart* Chart() const { return chart_; }

protected:
    virtual void DrawChart(QPainter& painter, const QRect& rect) = 0;
    void ShowScale();

    ChartScale scale_;
    QComboBox* choice_;
    QLineEdit* upperEdit_;
    QLineEdit* lowerEdit_;
    CScale_Chart* chart_;
};

// "Live Log - Cell Voltage": the bars of 6 or 14 cells over the cell voltage scale.
class CLive_Log_Cell_View final : public CLive_Chart_View {
    Q_OBJECT
public:
    explicit CLive_Log_Cell_View(CMainFrame& mainFrame);

    int CellCount() const { return cellCount_; }
    QListWidget* List() const { return list_; }

protected:
    void DrawChart(QPainter& painter, const QRect& rect) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int cellCount_ = 6;
    QListWidget* list_;
};

// "Live Log - Sensor": the scale of one chosen quantity, whose name is the chart's title.
class CLive_Log_Sensor_View final : public CLive_Chart_View {
    Q_OBJECT
public:
    explicit CLive_Log_Sensor_View(CMainFrame& mainFrame);

protected:
    void DrawChart(QPainter& painter, const QRect& rect) override;
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace skarnel
