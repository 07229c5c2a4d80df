#pragma once

namespace skarnel {

// The settings group and its keys.
inline constexpr const char* kSettingsGroup = "Vennacor_Config";
inline constexpr const char* kKeyDownloadPortNumber = "Download_Port_Number";
inline constexpr const char* kKeyCurrentLanguage = "Current_Language";
inline constexpr const char* kKeyFirmwareFullPath = "Firmware_Full_Path";
inline constexpr const char* kKeyFirmwareFileName = "Firmware_File_Name";
inline constexpr const char* kKeyAppFileName = "APP_FILE_NAME";
inline constexpr const char* kKeyBootFileName = "BOOT_FILE_NAME";
inline constexpr const char* kKeyStBootFileName = "STBOOT_FILE_NAME";
inline constexpr const char* kKeyTargetFileName = "TARGET_FILE_NAME";
inline constexpr const char* kKeyGangAppFileName = "GANG_APP_FILE_NAME";
inline constexpr const char* kKeyGangQvBootFileName = "GANG_QV_BOOT_FILE_NAME";
inline constexpr const char* kKeyGangStBootFileName = "GANG_ST_BOOT_FILE_NAME";
inline constexpr const char* kKeyGangTargetFileName = "GANG_TARGET_FILE_NAME";
// The toolbar buttons the user chose to show, as command numbers.
inline constexpr const char* kKeyToolbarButtons = "Toolbar_Buttons";
// The page the map view shows: "street" (the default) or "provider".
inline constexpr const char* kKeyMapProvider = "Map_Provider";

}  // namespace skarnel
