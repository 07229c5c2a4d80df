#pragma once

#include "gauges/sensor_panels.h"
#include "shell/function_view.h"
#include "shell/view_table.h"
#include "telemetry/live_telemetry.h"
#include "telemetry/views/gauge_picture.h"

namespace skarnel {

// A live sensor view: one panel filling the view, drawn from the view's own copy of its record.
// The copy starts all zero and is taken from the main frame's live telemetry at each of the
// view's notifications, on the user-interface thread; it stays when no more data comes.
class CLive_Sensor_View : public CFunction_View {
    Q_OBJECT
public:
    CLive_Sensor_View(CMainFrame& mainFrame, int viewIndex);

    CGauge_Picture* Picture() const { return picture_; }
    void OnLanguageChanged(int language) override;

protected:
    virtual void CopyRecord(const LiveTelemetry& live) = 0;
    virtual void DrawPanel(QPainter& painter, const QRect& rect) = 0;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnNewData(int view);

    CGauge_Picture* picture_;
};

// The sensor view of one record and panel.
template <class Record, class Panel, Record LiveTelemetry::*kMember, int kView>
class CLive_Sensor_Panel_View final : public CLive_Sensor_View {
public:
    explicit CLive_Sensor_Panel_View(CMainFrame& mainFrame) : CLive_Sensor_View(mainFrame, kView) {}

    const Record& Shown() const { return record_; }
    const Panel& PanelObject() const { return panel_; }

protected:
    void CopyRecord(const LiveTelemetry& live) override { record_ = live.*kMember; }
    void DrawPanel(QPainter& painter, const QRect& rect) override { panel_.DrawPanel(painter, rect, record_); }

private:
    Record record_{};
    Panel panel_;
};

using CLive_Sensor_General_View =
    CLive_Sensor_Panel_View<GeneralData, CGraph_Function_General, &LiveTelemetry::general, kViewLiveSensorGeneral>;
using CLive_Sensor_Receiver_View =
    CLive_Sensor_Panel_View<ReceiverData, CGraph_Function_Receiver, &LiveTelemetry::receiver, kViewLiveSensorReceiver>;
using CLive_Sensor_Electric_View =
    CLive_Sensor_Panel_View<ElectricData, CGraph_Function_Electric, &LiveTelemetry::electric, kViewLiveSensorElectric>;
using CLive_Sensor_Gps_View =
    CLive_Sensor_Panel_View<GpsData, CGraph_Function_Gps, &LiveTelemetry::gps, kViewLiveSensorGps>;
using CLive_Sensor_Vario_View =
    CLive_Sensor_Panel_View<VarioData, CGraph_Function_Vario, &LiveTelemetry::vario, kViewLiveSensorVario>;

}  // namespace skarnel
