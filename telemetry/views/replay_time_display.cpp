#include "telemetry/views/replay_time_display.h"

#include "base/format.h"

#include <QPainter>

namespace skarnel {
namespace {

std::string ClockText(int64_t hundredths)
{
    const long long seconds = hundredths / 100;
    return Format("%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

}  // namespace

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
    painter.fillRect(rect(), Qt::black);
    painter.setPen(Qt::cyan);
    const std::string text = Format("%.2f    %s / %s", static_cast<double>(current_) / 100.0,
                                    ClockText(current_).c_str(), ClockText(end_).c_str());
    painter.drawText(rect().adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignRight, QString::fromStdString(text));
}

}  // namespace skarnel
