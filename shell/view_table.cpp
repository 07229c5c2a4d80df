#include "shell/view_table.h"

#include <array>

namespace skarnel {
namespace {

constexpr std::array<ViewSpec, kViewCount> kViews{{
    {"CFirmware_View", "Firmware Upgrade", 700, 500, 700, 500, false},
    {"CModule_Firmware_View", "Module Firmware Upgrade", 830, 690, 700, 570, false},
    {"CMerge_View", "Firmware File Merge", 745, 660, 0, 0, false},
    {"CMerge_Gang_View", "Gang File", 745, 660, 620, 570, false},
    {"CMenu_View", "Model Data", 600, 500, 600, 500, false},
    {"CAdpcm_View", "Voice List Download", 700, 600, 0, 0, false},
    {"CAdpcm_Bundle_View", "Voice Package Download", 700, 600, 700, 600, false},
    {"CLog_Sensor_View", "Log View", 650, 450, 650, 450, false},
    {"CLog_DBM_View", "RF DBM - File", 700, 500, 0, 0, false},
    {"CController_Setup_View", "Controller Time Setup", 550, 380, 0, 0, true},
    {"CLive_Log_DBM_View", "RF RXSQ", 370, 280, 370, 280, false},
    {"CLive_Log_Cell_View", "Live Log - Cell Voltage", 1000, 700, 0, 0, false},
    {"CLive_Log_Sensor_View", "Live Log - Sensor", 1000, 700, 940, 570, false},
    {"CLive_Sensor_General_View", "Sensor Data - General Sensor", 500, 400, 0, 0, false},
    {"CLive_Sensor_Receiver_View", "Sensor Data - Receiver", 370, 300, 370, 300, false},
    {"CLive_Sensor_Electric_View", "Sensor Data - Electric Sensor", 500, 400, 500, 400, false},
    {"CLive_Sensor_Gps_View", "Sensor Data - Gps Sensor", 450, 400, 450, 350, false},
    {"CLive_Sensor_Vario_View", "Sensor Data - Vario Sensor", 450, 300, 450, 300, false},
    {"CModel_Conversion_View", "Model Data Conversion ", 600, 500, 0, 0, false},
    {"CSD_File_Control_View", "SD Card", 700, 600, 0, 0, false},
    {"CGPS_Map_View", "GPS - Google Map", 500, 400, 0, 0, false},
    {"CGPS_Curve_View", "GPS - Flight Path", 500, 400, 0, 0, false},
}};

}  // namespace

bool IsViewIndex(int index)
{
    return index >= 0 && index < kViewCount;
}

const ViewSpec& ViewSpecFor(int index)
{
    return kViews.at(static_cast<size_t>(index));
}

int SensorViewIndex(int sensorType)
{
    switch (sensorType) {
    case 0x89: return kViewLiveSensorVario;
    case 0x8A: return kViewLiveSensorGps;
    case 0x8D: return kViewLiveSensorGeneral;
    case 0x8E: return kViewLiveSensorElectric;
    default: return -1;
    }
}

}  // namespace skarnel
