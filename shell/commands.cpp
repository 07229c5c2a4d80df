#include "shell/commands.h"

#include "shell/view_table.h"

#include <map>

namespace skarnel {
namespace {

const std::map<int, CommandTarget>& Targets()
{
    using A = CommandAction;
    static const std::map<int, CommandTarget> targets{
        {kCmdPortSetup, {A::PortSetup, 0}},
        {kCmdFirmwareUpgrade, {A::OpenView, kViewFirmware}},
        {kCmdVoiceDownload, {A::OpenView, kViewVoicePackage}},
        {kCmdControllerTimeSetup, {A::OpenView, kViewControllerTime}},
        {kCmdModelBackup, {A::OpenView, kViewModelData}},
        {kCmdModelConversion, {A::OpenView, kViewModelConversion}},
        {kCmdSdCardControl, {A::OpenView, kViewSdFileControl}},
        {kCmdLiveLogStart, {A::LiveLogStart, 0}},
        {kCmdLiveLogStop, {A::LiveLogStop, 0}},
        {kCmdFileLogView, {A::OpenView, kViewLogSensor}},
        {kCmdFileLogViewAlias, {A::OpenView, kViewLogSensor}},
        {kCmdMonitorRfDbm, {A::OpenView, kViewLiveLogDbm}},
        {kCmdRfDbmAlias, {A::OpenView, kViewLiveLogDbm}},
        {kCmdMonitorReceiver, {A::OpenView, kViewLiveSensorReceiver}},
        {kCmdMonitorGeneral, {A::OpenView, kViewLiveSensorGeneral}},
        {kCmdMonitorElectric, {A::OpenView, kViewLiveSensorElectric}},
        {kCmdMonitorVario, {A::OpenView, kViewLiveSensorVario}},
        {kCmdMonitorGps, {A::OpenView, kViewLiveSensorGps}},
        {kCmdGpsMap, {A::OpenView, kViewGpsMap}},
        {kCmdGpsFlightPath, {A::OpenView, kViewGpsCurve}},
        {kCmdFirmwareMerge, {A::OpenView, kViewMerge}},
        {kCmdGangFile, {A::OpenView, kViewMergeGang}},
        {kCmdRfDbmFile, {A::OpenView, kViewLogDbm}},
        {kCmdLiveLogSensor, {A::OpenView, kViewLiveLogSensor}},
        {kCmdLiveLogCell, {A::OpenView, kViewLiveLogCell}},
        {kCmdModuleFirmware, {A::OpenView, kViewModuleFirmware}},
        {kCmdVoiceList, {A::OpenView, kViewVoiceList}},
        {kCmdLanguage0, {A::Language, 0}},
        {kCmdLanguage1, {A::Language, 1}},
        {kCmdAbout, {A::About, 0}},
    };
    return targets;
}

MenuEntry Item(const char* text, int commandId)
{
    return {text, commandId, {}};
}

MenuEntry Separator()
{
    return {"", 0, {}, true};
}

const char* FindText(const std::vector<MenuEntry>& entries, int commandId)
{
    for (const MenuEntry& entry : entries) {
        if (entry.commandId == commandId && commandId != 0)
            return entry.text;
        if (const char* text = FindText(entry.items, commandId); *text)
            return text;
    }
    return "";
}

}  // namespace

std::optional<CommandTarget> TargetOfCommand(int commandId)
{
    const auto found = Targets().find(commandId);
    if (found == Targets().end())
        return std::nullopt;
    return found->second;
}

const std::vector<MenuEntry>& MainMenu()
{
    static const std::vector<MenuEntry> menu{
        {"Menu",
         0,
         {
             Item("Port Setup", kCmdPortSetup),
             Item("Firmware Upgrade", kCmdFirmwareUpgrade),
             Item("Voice Download", kCmdVoiceDownload),
             Item("Controller Time Setup", kCmdControllerTimeSetup),
             Item("Model Backup", kCmdModelBackup),
             Item("Model Conversion", kCmdModelConversion),
             Item("SD Card Control", kCmdSdCardControl),
         }},
        {"Controller Log",
         0,
         {
             Item("Live Log Start", kCmdLiveLogStart),
             Item("Live Log Stop", kCmdLiveLogStop),
             Item("File Log View", kCmdFileLogView),
         }},
        {"Monitor",
         0,
         {
             Item("RF DBM", kCmdMonitorRfDbm),
             Item("Receiver", kCmdMonitorReceiver),
             Item("General Sensor", kCmdMonitorGeneral),
             Item("Electric Sensor", kCmdMonitorElectric),
             Item("Vario Sensor", kCmdMonitorVario),
             Item("Gps Sensor", kCmdMonitorGps),
             {"GPS Flight Path", 0, {Item("Google Map", kCmdGpsMap), Item("Flight Path", kCmdGpsFlightPath)}},
         }},
        // Views the menus above do not offer, and the two text sets of the menu pane.
        {"Tools",
         0,
         {
             Item("Module Firmware Upgrade", kCmdModuleFirmware),
             Item("Firmware File Merge", kCmdFirmwareMerge),
             Item("Gang File", kCmdGangFile),
             Item("Voice List Download", kCmdVoiceList),
             Item("RF DBM - File", kCmdRfDbmFile),
             Item("Live Log - Sensor", kCmdLiveLogSensor),
             Item("Live Log - Cell Voltage", kCmdLiveLogCell),
             Separator(),
             Item("Menu Texts", kCmdLanguage0),
             Item("Menu Texts _d", kCmdLanguage1),
         }},
        {"About (&H)", 0, {Item("Skarnel Info(&A)...", kCmdAbout)}},
    };
    return menu;
}

const std::array<int, kToolbarButtonCount>& ToolbarCommands()
{
    static constexpr std::array<int, kToolbarButtonCount> commands{
        kCmdPortSetup,   kCmdFirmwareUpgrade, kCmdVoiceDownload, kCmdControllerTimeSetup,
        kCmdModelBackup, kCmdModelConversion, kCmdSdCardControl, kCmdLiveLogStart,
        kCmdLiveLogStop, kCmdFileLogView,     kCmdAbout,
    };
    return commands;
}

std::vector<int> ToolbarCommandsWhere(const std::function<bool(int)>& keep)
{
    std::vector<int> kept;
    for (int id : ToolbarCommands()) {
        if (keep(id))
            kept.push_back(id);
    }
    return kept;
}

const char* CommandText(int commandId)
{
    return FindText(MainMenu(), commandId);
}

}  // namespace skarnel
