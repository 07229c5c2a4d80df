#include "telemetry/views/live_chart_view.h"

#include "gauges/graph_function.h"
#include "shell/view_table.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QWheelEvent>

#include <array>
#include <vector>

namespace skarnel {
namespace {

constexpr int kWheelNotch = 120;
constexpr int kCellBarMillivolts = 50;
constexpr std::array<uint32_t, 14> kCellColours{0xCC6666, 0x00FF00, 0xFF0000, 0xFFFF00, 0x99FF99, 0x990099, 0x0099CC,
                                                0xFF00FF, 0x3366FF, 0x3300CC, 0xCC6666, 0x00FF00, 0xFF0000, 0xFFFF00};

QStringList QuantityNames()
{
    QStringList names{"Strength", "RcvVolt", "RcvTemp", "Dbm", "Quality", "LowVolt", "LossPack", "dbm (General)"};
    for (int cell = 1; cell <= 6; ++cell)
        names << QString("CellVolt%1").arg(cell);
    names << "BattVolt1"
          << "BattVolt2"
          << "Temp1"
          << "Temp2"
          << "OilLevel"
          << "RPM"
          << "ALT"
          << "Current"
          << "PowerV"
          << "Inverse_local1"
          << "Inverse_local2"
          << "dbm (Electric)";
    for (int cell = 1; cell <= 14; ++cell)
        names << QString("CellVolt%1").arg(cell);
    names << "BattVolt1"
          << "BattVolt2"
          << "Temp1"
          << "Temp2"
          << "ALT"
          << "Current"
          << "Inverse_local"
          << "dbm (Vario)"
          << "Max"
          << "Min"
          << "Inverse_local"
          << "ALT"
          << "dbm (GPS)"
          << "Direct"
          << "Speed"
          << "N1"
          << "N2"
          << "N3"
          << "N4"
          << "E1"
          << "E2"
          << "E3"
          << "E4"
          << "DIS"
          << "ALT";
    return names;
}

QLineEdit* MakeScaleEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

CScale_Chart::CScale_Chart(ChartScale& scale, Drawing drawing, QWidget* parent)
    : CGauge_Picture(std::move(drawing), parent), scale_(scale)
{
    setFocusPolicy(Qt::ClickFocus);
}

void CScale_Chart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && scale_.Press(event->position().toPoint(), size())) {
        setFocus();
        Invalidate();
    }
}

void CScale_Chart::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    scale_.Release();
    wheelRest_ = 0;
    Invalidate();
}

// A fine-grained wheel turns a notch once its steps add up to one.
void CScale_Chart::wheelEvent(QWheelEvent* event)
{
    if (!scale_.upperAdjust && !scale_.lowerAdjust)
        return;
    wheelRest_ += event->angleDelta().y();
    bool changed = false;
    for (; wheelRest_ >= kWheelNotch; wheelRest_ -= kWheelNotch)
        changed |= scale_.Notch(true);
    for (; wheelRest_ <= -kWheelNotch; wheelRest_ += kWheelNotch)
        changed |= scale_.Notch(false);
    if (changed)
        emit ScaleChanged();
    event->accept();
}

CLive_Chart_View::CLive_Chart_View(CMainFrame& mainFrame, int viewIndex)
    : CFunction_View(mainFrame, viewIndex), choice_(new QComboBox(this)), upperEdit_(MakeScaleEdit(this)),
      lowerEdit_(MakeScaleEdit(this)),
      chart_(new CScale_Chart(
          scale_, [this](QPainter& painter, const QRect& rect) { DrawChart(painter, rect); }, this))
{
    connect(chart_, &CScale_Chart::ScaleChanged, this, [this] {
        ShowScale();
        chart_->Invalidate();
    });
    connect(choice_, &QComboBox::currentIndexChanged, chart_, &CGauge_Picture::Invalidate);
    ShowScale();
}

void CLive_Chart_View::ShowScale()
{
    upperEdit_->setText(ScaleText(scale_.upper));
    lowerEdit_->setText(ScaleText(scale_.lower));
}

CLive_Log_Cell_View::CLive_Log_Cell_View(CMainFrame& mainFrame)
    : CLive_Chart_View(mainFrame, kViewLiveLogCell), list_(new QListWidget(this))
{
    choice_->addItems({"General - 6 Cell", "Electric - 14 Cell"});
    connect(choice_, &QComboBox::currentIndexChanged, this, [this](int index) { cellCount_ = index == 1 ? 14 : 6; });
}

// Nothing feeds the chart views: the cells stand at a constant level.
void CLive_Log_Cell_View::DrawChart(QPainter& painter, const QRect& rect)
{
    CGraph_Function::DrawCellScale(painter, rect, scale_.lower, scale_.upper, scale_.upperAdjust, scale_.lowerAdjust);
    std::vector<CellBar> cells;
    for (int cell = 0; cell < cellCount_; ++cell)
        cells.push_back({kCellBarMillivolts, true, kCellColours[size_t(cell)], QString("Cell %1").arg(cell + 1)});
    CGraph_Function::DrawCellBars(painter, rect, cells, scale_.lower, scale_.upper);
}

void CLive_Log_Cell_View::resizeEvent(QResizeEvent*)
{
    choice_->setGeometry(10, 10, 200, 25);
    upperEdit_->setGeometry(10, 45, 95, 22);
    lowerEdit_->setGeometry(115, 45, 95, 22);
    list_->setGeometry(10, 77, 200, height() - 87);
    chart_->setGeometry(220, 10, width() - 230, height() - 20);
}

CLive_Log_Sensor_View::CLive_Log_Sensor_View(CMainFrame& mainFrame) : CLive_Chart_View(mainFrame, kViewLiveLogSensor)
{
    choice_->addItems(QuantityNames());
}

void CLive_Log_Sensor_View::DrawChart(QPainter& painter, const QRect& rect)
{
    CGraph_Function::DrawValueScale(painter, rect, choice_->currentText(), scale_.lower, scale_.upper,
                                    scale_.upperAdjust, scale_.lowerAdjust);
}

void CLive_Log_Sensor_View::resizeEvent(QResizeEvent*)
{
    choice_->setGeometry(10, 12, 200, 25);
    upperEdit_->setGeometry(220, 12, 95, 25);
    lowerEdit_->setGeometry(325, 12, 95, 25);
    chart_->setGeometry(10, 50, width() - 20, height() - 60);
}

}  // namespace skarnel
