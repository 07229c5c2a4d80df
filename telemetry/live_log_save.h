#pragma once

#include <ctime>
#include <filesystem>
#include <string>

namespace skarnel {

inline constexpr const char* kLiveLogFolderName = "Controller_Live_Log";
inline constexpr const char* kLiveLogTempName = "Log_Temp.cld";
inline constexpr const char* kLogDataSave = "Log Data Save";
inline constexpr const char* kLogDataSaveTitle = "Log";
inline constexpr const char* kLiveLogSaveFilter = "Target File(*.cld)|*.cld||";

// Where a recording goes: the log folder, its temporary file and the name offered for keeping it.
struct LiveLogPaths {
    std::filesystem::path folder;
    std::filesystem::path tempFile;
    std::filesystem::path defaultName;  // "LiveLog_%Y%m%d(%H%M%S).cld" of the start time
};

// The paths under the application folder, the log folder created when missing (a folder that
// cannot be made shows when the temporary file cannot be created). No application folder gives
// empty paths.
LiveLogPaths PrepareLiveLogPaths(const std::filesystem::path& applicationFolder, const std::tm& localStart);

// The name a chosen save name becomes: ".cld" appended unless it ends in ".cld" in any case.
std::string CldSaveName(const std::string& chosen);

// What became of a recording the user chose to keep.
struct LiveLogSaveResult {
    bool saved = false;
    // For a failure: what to tell the user (the recording is kept in the temporary file).
    std::string message;
};

// Copies the temporary file to the target through the replacing file and then removes the
// temporary file. A target that is the temporary file itself keeps the recording where it is;
// a failed copy keeps the temporary file and says where.
LiveLogSaveResult SaveLiveLog(const std::filesystem::path& tempFile, const std::filesystem::path& target);
// The user did not want the recording.
void DiscardLiveLog(const std::filesystem::path& tempFile);

}  // namespace skarnel
