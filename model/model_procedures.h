#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace skarnel {

class CDownload_Function;
class ModelDataLists;

// The procedures that move model data between the controller and files. Each runs on the
// job's thread with an open link, works in group 0 and leaves the caller's group as it was,
// reports every step to the link's window and returns false after its failure text.

// One .mdl file per used model memory in folder.
bool BackupModelFiles(CDownload_Function& link, const std::filesystem::path& folder, ModelDataLists& lists);
// The common set and every used model into one .mif file.
bool BackupSystemData(CDownload_Function& link, const std::filesystem::path& path);
// Writes a .mif file back after a firmware upgrade: each model converted to the controller's
// product and memory version, the common set fixed up for version 1000 files.
bool RestoreSystemData(CDownload_Function& link, const std::filesystem::path& path);
// Writes a .mif file back section by section, as the controller's schema places them.
bool RestoreMenuFile(CDownload_Function& link, const std::filesystem::path& path);
// Reads the controller's models into the Controller list (no banner on the controller).
bool ListControllerModels(CDownload_Function& link, ModelDataLists& lists);

// The Controller list's row for a model memory of that schema type.
std::string ControllerModelText(uint16_t type, const std::string& name);

// The final texts of the model data jobs.
inline constexpr const char* kModelBackupSuccess = "Model Data Backup Process Success";
inline constexpr const char* kModelBackupFail = "Model Data Backup Process Fail";
inline constexpr const char* kSystemBackupSuccess = "Menu Data Backup Process Success";
inline constexpr const char* kSystemBackupFail = "Menu Data Backup Process Fail";
inline constexpr const char* kMenuRestoreSuccess = "Menu Data Restore Process Success";
inline constexpr const char* kMenuRestoreFail = "Menu Data Restore Process Fail";
inline constexpr const char* kModelJobStop = "Model Info Read/Write Process Stop";

}  // namespace skarnel
