#include "clock/views/controller_setup_view.h"
#include "firmware/views/firmware_view.h"
#include "firmware/views/module_firmware_view.h"
#include "model/views/menu_view.h"
#include "model/views/model_conversion_view.h"
#include "sdcard/views/sd_file_control_view.h"
#include "shell/view_registry.h"
#include "telemetry/views/gps_curve_view.h"
#include "telemetry/views/gps_map_view.h"
#include "telemetry/views/live_chart_view.h"
#include "telemetry/views/live_log_dbm_view.h"
#include "telemetry/views/live_log_recorder.h"
#include "telemetry/views/live_sensor_view.h"
#include "telemetry/views/log_dbm_view.h"
#include "telemetry/views/log_sensor_view.h"
#include "tools/views/merge_gang_view.h"
#include "tools/views/merge_view.h"
#include "voice/views/adpcm_bundle_view.h"
#include "voice/views/adpcm_view.h"

namespace skarnel {

template <typename View> ViewFactory Make()
{
    return [](CMainFrame& mainFrame) { return new View(mainFrame); };
}

void RegisterViews(ViewRegistry& registry)
{
    registry.Register(kViewFirmware, Make<CFirmware_View>());
    registry.Register(kViewModuleFirmware, Make<CModule_Firmware_View>());
    registry.RegisterLiveLog([](CMainFrame& frame) { return std::make_unique<CLive_Log_Recorder>(frame); });
    registry.Register(kViewControllerTime, Make<CController_Setup_View>());
    registry.Register(kViewMerge, Make<CMerge_View>());
    registry.Register(kViewMergeGang, Make<CMerge_Gang_View>());
    registry.Register(kViewModelData, Make<CMenu_View>());
    registry.Register(kViewModelConversion, Make<CModel_Conversion_View>());
    registry.Register(kViewSdFileControl, Make<CSD_File_Control_View>());
    registry.Register(kViewLogSensor, Make<CLog_Sensor_View>());
    registry.Register(kViewLogDbm, Make<CLog_DBM_View>());
    registry.Register(kViewLiveLogDbm, Make<CLive_Log_DBM_View>());
    registry.Register(kViewLiveLogCell, Make<CLive_Log_Cell_View>());
    registry.Register(kViewLiveLogSensor, Make<CLive_Log_Sensor_View>());
    registry.Register(kViewLiveSensorGeneral, Make<CLive_Sensor_General_View>());
    registry.Register(kViewLiveSensorReceiver, Make<CLive_Sensor_Receiver_View>());
    registry.Register(kViewLiveSensorElectric, Make<CLive_Sensor_Electric_View>());
    registry.Register(kViewLiveSensorGps, Make<CLive_Sensor_Gps_View>());
    registry.Register(kViewLiveSensorVario, Make<CLive_Sensor_Vario_View>());
    registry.Register(kViewGpsMap, Make<CGPS_Map_View>());
    registry.Register(kViewGpsCurve, Make<CGPS_Curve_View>());
    registry.Register(kViewVoiceList, Make<CAdpcm_View>());
    registry.Register(kViewVoicePackage, Make<CAdpcm_Bundle_View>());
}

}  // namespace skarnel
