#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace skarnel {

// The main frame's commands; the numbers are their identities.
enum CommandId : int {
    kCmdFirmwareUpgrade = 32771,
    kCmdFirmwareMerge = 32772,
    kCmdModelConversion = 32773,
    kCmdVoiceDownload = 32774,
    kCmdFileLogView = 32784,
    kCmdPortSetup = 32785,
    kCmdLiveLogStop = 32792,
    kCmdLiveLogStart = 32793,
    kCmdControllerTimeSetup = 32796,
    kCmdRfDbmFile = 32800,
    kCmdRfDbmAlias = 32805,
    kCmdLiveLogSensor = 32807,
    kCmdLiveLogCell = 32812,
    kCmdGangFile = 32820,
    kCmdMonitorReceiver = 32827,
    kCmdMonitorGeneral = 32828,
    kCmdMonitorElectric = 32829,
    kCmdMonitorGps = 32830,
    kCmdMonitorVario = 32831,
    kCmdMonitorRfDbm = 32832,
    kCmdFileLogViewAlias = 32833,
    kCmdLanguage0 = 32836,
    kCmdLanguage1 = 32837,
    kCmdModelBackup = 32845,
    kCmdSdCardControl = 32848,
    kCmdGpsMap = 32855,
    kCmdGpsFlightPath = 32856,
    // The two views that had no command of their own.
    kCmdModuleFirmware = 32900,
    kCmdVoiceList = 32901,
    kCmdAbout = 57664,
};

enum class CommandAction { OpenView, PortSetup, LiveLogStart, LiveLogStop, About, Language };

struct CommandTarget {
    CommandAction action;
    int value;  // the view index or the language
};

// What a command does; nothing for an unknown number.
std::optional<CommandTarget> TargetOfCommand(int commandId);

// One entry of the menu bar: a command (commandId set) or a popup with items.
struct MenuEntry {
    const char* text;
    int commandId;  // 0 for a popup or a separator
    std::vector<MenuEntry> items;
    bool separator = false;
};

const std::vector<MenuEntry>& MainMenu();

inline constexpr size_t kToolbarButtonCount = 11;
// The toolbar's buttons, left to right.
const std::array<int, kToolbarButtonCount>& ToolbarCommands();
// The toolbar's commands, left to right, that pass the test.
std::vector<int> ToolbarCommandsWhere(const std::function<bool(int commandId)>& keep);
// The text of a command as its menu item shows it; empty for an unknown number.
const char* CommandText(int commandId);

}  // namespace skarnel
