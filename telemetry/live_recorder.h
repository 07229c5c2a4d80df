#pragma once

#include "base/job.h"
#include "telemetry/live_log_sink.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace skarnel {

class CDownload_Function;

inline constexpr const char* kLogFileCreateFail = "Log file create fail   ";
inline constexpr const char* kLogDataReadFail = "Log Data Read Fail   \r\n\r\nLive Log Stop";
inline constexpr const char* kLogDataReadFailTitle = "Log";
inline constexpr const char* kLogFileWriteFail = "Log File Write Fail";
// More consecutive failures than this end the recording.
inline constexpr int kLiveLogFailureLimit = 5;

// A recording's temporary file and what became of it.
struct LiveLogRun {
    std::filesystem::path tempFile;
    // The file was created: the recording can be saved (or discarded) now.
    bool fileCreated = false;
    int64_t records = 0;
    int64_t lastTime = 0;  // hundredths of a second
};

// Records live telemetry into run.tempFile until the stop request, more than five consecutive
// failed commands, or a failed write: each pass reads the sensor type, the RF level table, the
// receiver and the attached module, hands every record to the sink and appends one 554-byte
// record. Time stamps count hundredths of a second on the link's clock in 64 bits. Ends with
// the status picture idle and the file closed; the port is left to the caller.
JobOutcome RecordLiveLog(CDownload_Function& link, LiveLogRun& run, LiveLogSink& sink, const StopRequest& stop);

// The live view of a sensor type (the receiver view for anything unknown).
int LiveViewOfSensor(int sensorType);
// A sensor type the recorder reads a module for; anything else counts as none.
bool IsKnownSensorType(int sensorType);
// " %02d:%02d:%02d.%02d    (+%.2f)": hours, minutes, seconds, hundredths, then seconds.
std::string LiveLogTimeText(int64_t hundredths);

}  // namespace skarnel
