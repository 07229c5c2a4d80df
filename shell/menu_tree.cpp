#include "shell/menu_tree.h"

#include "shell/view_table.h"

namespace skarnel {
namespace {

const std::array<std::string, kMenuTextCount> kTextSet0{
    "Radio",      "Transmitter",  "Port Select",      "Firmware Upgrade", "Voice List", "Voice Package",
    "Time Setup", "Model Backup", "Model Conversion", "SD Card",          "Live Log",   "Log Start",
    "Log Stop",   "File Log",     "Sensor Log",       "GPS Map",          "GPS Curve",
};

const std::array<std::string, kMenuTextCount> kTextSet1{
    "Radio_d",
    "Transmitter_d",
    "Port Select_d",
    "Firmware Upgrade_d",
    "Voice List_d",
    "Voice Package_d",
    "Controller Time Setup_d",
    "Model Data_d",
    "Model Conversion_d",
    "SD Card_d",
    "Live Log_d",
    "Log Start_d",
    "Log Stop_d",
    "File Log_d",
    "Sensor Log_d",
    "GPS Map",
    "GPS Curve",
};

constexpr std::array<MenuTreeItem, kMenuTreeItemCount> kItems{{
    {0, 0, -1, 0},
    {1, 1, -1, 1},
    {2, 2, kRequestPortSelect, 8},
    {2, 3, kViewFirmware, 2},
    {2, 5, kViewVoicePackage, 4},
    {2, 6, kViewControllerTime, 5},
    {2, 7, kViewModelData, 6},
    {2, 8, kViewModelConversion, 7},
    {2, 9, kViewSdFileControl, 14},
    {1, 10, -1, 9},
    {2, 11, kRequestLiveLogStart, 10},
    {2, 12, kRequestLiveLogStop, 11},
    {1, 13, -1, 12},
    {2, 14, kViewLogSensor, 13},
}};

}  // namespace

const std::string& MenuText(int language, int textIndex)
{
    const auto& set = language == 0 ? kTextSet0 : kTextSet1;
    return set.at(static_cast<size_t>(textIndex));
}

const std::array<MenuTreeItem, kMenuTreeItemCount>& MenuTreeItems()
{
    return kItems;
}

}  // namespace skarnel
