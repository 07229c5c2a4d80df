#include "telemetry/views/replay_time_display.h"

#include "gauges/graph_function.h"

#include <QPainter>

namespace skarnel {

CReplay_Time_Display::CReplay_Time_Display(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CReplay_Time_Display::SetTimes(int64_t current, int64_t end)
{
    current_ = current;
    end_ = end;
    update();
}

void CReplay_Time_Display::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    CGraph_Function::DrawReplayTime(painter, rect(), current_, end_);
}

}  // namespace skarnel
