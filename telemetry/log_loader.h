#pragma once

#include "telemetry/log_rows.h"

#include <string>

namespace skarnel {

class Reporter;
class StopRequest;

inline constexpr const char* kLogOpenFail = "Log file can't be open";
inline constexpr const char* kLogSizeMismatch = "Log file size mismatch";
inline constexpr const char* kLogHeaderMismatch = "Log file header mismatch";

// A path whose extension (from the last ".", lower-cased) is ".cld" is a live log; any other
// is a controller log.
bool IsLiveLogPath(const std::string& path);

// Loads a log file into the lists, the format chosen by its extension. Progress goes to the
// reporter's progress range and status ("%d / %d" records); a refused file is reported as an
// error message box and leaves the lists as they were. Nothing happens for an empty path.
// False when the file was refused or could not be read to its end. A stop request is looked at
// before every record: a load that stops ends at once, without its End and without a message.
bool LoadLogFile(const std::string& path, LogRows& rows, Reporter& reporter, const StopRequest* stop = nullptr);
bool LoadLiveLog(const std::string& path, LogRows& rows, Reporter& reporter, const StopRequest* stop = nullptr);
bool LoadControllerLog(const std::string& path, LogRows& rows, Reporter& reporter, const StopRequest* stop = nullptr);

}  // namespace skarnel
