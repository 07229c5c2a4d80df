#include "telemetry/views/live_log_dbm_view.h"

#include "gauges/graph_function.h"
#include "shell/main_frame.h"
#include "shell/view_table.h"
#include "telemetry/views/live_telemetry_hub.h"

namespace skarnel {

CLive_Log_DBM_View::CLive_Log_DBM_View(CMainFrame& mainFrame)
    : CFunction_View(mainFrame, kViewLiveLogDbm),
      txChart_(new CGauge_Picture(
          [this](QPainter& painter, const QRect& rect) {
              CGraph_Function::DrawRfChannels(painter, rect, txLevel_, txMax_, true);
          },
          this)),
      rxChart_(new CGauge_Picture(
          [this](QPainter& painter, const QRect& rect) {
              CGraph_Function::DrawRfChannels(painter, rect, rxLevel_, rxMax_, false);
          },
          this))
{
    connect(&mainFrame.LiveData(), &CLive_Telemetry_Hub::NewData, this, &CLive_Log_DBM_View::OnNewData);
}

void CLive_Log_DBM_View::OnNewData(int view)
{
    if (view != kViewLiveLogDbm)
        return;
    const LiveTelemetry& live = MainFrame().LiveData().Data();
    txLevel_ = live.txLevel;
    rxLevel_ = live.rxLevel;
    txMax_ = live.txMax;
    rxMax_ = live.rxMax;
    txChart_->Invalidate();
    rxChart_->Invalidate();
}

void CLive_Log_DBM_View::resizeEvent(QResizeEvent*)
{
    const int chartHeight = (height() - 30) / 2;
    txChart_->setGeometry(5, 10, width() - 10, chartHeight);
    rxChart_->setGeometry(5, chartHeight + 20, width() - 10, chartHeight);
}

}  // namespace skarnel
