#pragma once

#include "base/job.h"

#include <filesystem>

namespace skarnel {

class CDownload_Function;
class ModelDataLists;

// The model data jobs a user starts, for the Model Data view and the command line alike. Each
// logs its start line, runs its procedure and ends with its final text; the view shows no box.

// One .mdl file per used model memory in folder.
JobOutcome ModelBackupJob(CDownload_Function& link, const std::filesystem::path& folder, ModelDataLists& lists);
// The common set and every used model into one system backup file.
JobOutcome SystemBackupJob(CDownload_Function& link, const std::filesystem::path& path);
// A menu information file written back section by section.
JobOutcome MenuRestoreJob(CDownload_Function& link, const std::filesystem::path& path);
// A system backup written back converted to the controller's product and memory version.
JobOutcome ConvertedRestoreJob(CDownload_Function& link, const std::filesystem::path& path);

// The final text of a converted restore, also when its file is refused before the job starts.
inline constexpr const char* kConvertedRestoreFail = "Model Data Restore Process Fail";

}  // namespace skarnel
