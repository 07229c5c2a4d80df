#include "telemetry/views/live_sensor_view.h"

#include "shell/main_frame.h"
#include "telemetry/views/live_telemetry_hub.h"

namespace skarnel {
namespace {

constexpr int kMargin = 5;

}  // namespace

CLive_Sensor_View::CLive_Sensor_View(CMainFrame& mainFrame, int viewIndex)
    : CFunction_View(mainFrame, viewIndex),
      picture_(new CGauge_Picture([this](QPainter& painter, const QRect& rect) { DrawPanel(painter, rect); }, this))
{
    connect(&mainFrame.LiveData(), &CLive_Telemetry_Hub::NewData, this, &CLive_Sensor_View::OnNewData);
}

void CLive_Sensor_View::OnNewData(int view)
{
    if (view != ViewIndex())
        return;
    CopyRecord(MainFrame().LiveData().Data());
    picture_->Invalidate();
}

// The vario panel draws no text of the language; it is drawn again all the same.
void CLive_Sensor_View::OnLanguageChanged(int)
{
    picture_->Invalidate();
}

void CLive_Sensor_View::resizeEvent(QResizeEvent*)
{
    picture_->setGeometry(kMargin, kMargin, width() - 2 * kMargin, height() - 2 * kMargin);
}

}  // namespace skarnel
