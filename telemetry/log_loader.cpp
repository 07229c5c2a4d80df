#include "telemetry/log_loader.h"

#include "base/format.h"
#include "base/job.h"
#include "base/reporter.h"
#include "telemetry/live_log_file.h"
#include "telemetry/log_process_function.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>

namespace skarnel {
namespace {

constexpr int64_t kProgressEvery = 10;

void Refuse(const char* text, Reporter& reporter)
{
    reporter.ShowMessage(text, kApplicationTitle, MessageIcon::Error);
}

struct OpenedLog {
    std::ifstream stream;
    uint64_t length = 0;
};

// Only a regular file is a log; nothing, after the message, when it cannot be read.
std::optional<OpenedLog> OpenLog(const std::string& path, Reporter& reporter)
{
    std::error_code failure;
    OpenedLog log;
    if (std::filesystem::is_regular_file(path, failure)) {
        log.length = std::filesystem::file_size(path, failure);
        log.stream.open(path, std::ios::binary);
    }
    if (failure || !log.stream.is_open()) {
        Refuse(kLogOpenFail, reporter);
        return std::nullopt;
    }
    return log;
}

bool Stopped(const StopRequest* stop)
{
    return stop != nullptr && stop->Requested();
}

bool ReadBlock(std::ifstream& stream, void* destination, size_t size)
{
    stream.read(static_cast<char*>(destination), static_cast<std::streamsize>(size));
    return stream.gcount() == static_cast<std::streamsize>(size);
}

void StartProgress(int64_t count, Reporter& reporter)
{
    reporter.ReportProgressRange(static_cast<int>(count / kProgressEvery), 0);
}

void ReportRecordDone(int64_t index, int64_t count, Reporter& reporter)
{
    if (index % kProgressEvery != 0 && index + 1 != count)
        return;
    reporter.ReportProgress(static_cast<int>((index + 1) / kProgressEvery),
                            Format("%lld / %lld", static_cast<long long>(index + 1), static_cast<long long>(count)));
}

void AddLiveLogRows(const LiveLogRecord& record, LogRows& rows)
{
    rows.AddReceiver(record.receiverTime, record.receiver);
    rows.AddRfLevels(record.rfTime, record.rf);
    if (record.generalTime != 0)
        rows.AddGeneral(record.generalTime, record.general);
    if (record.electricTime != 0)
        rows.AddElectric(record.electricTime, record.electric);
    if (record.varioTime != 0)
        rows.AddVario(record.varioTime, record.vario);
    if (record.gpsTime != 0)
        rows.AddGps(record.gpsTime, record.gps);
}

// The last record's RF level time, replaced in turn by its sensor times that are not 0.
int32_t LiveLogEndTime(const LiveLogRecord& last)
{
    int32_t end = last.rfTime;
    for (const int32_t time : {last.generalTime, last.electricTime, last.varioTime, last.gpsTime})
        if (time != 0)
            end = time;
    return end;
}

}  // namespace

bool IsLiveLogPath(const std::string& path)
{
    const size_t dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? path : path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".cld";
}

bool LoadLogFile(const std::string& path, LogRows& rows, Reporter& reporter, const StopRequest* stop)
{
    if (path.empty())
        return false;
    return IsLiveLogPath(path) ? LoadLiveLog(path, rows, reporter, stop)
                               : LoadControllerLog(path, rows, reporter, stop);
}

bool LoadLiveLog(const std::string& path, LogRows& rows, Reporter& reporter, const StopRequest* stop)
{
    std::optional<OpenedLog> log = OpenLog(path, reporter);
    if (!log)
        return false;
    if (log->length < kLiveLogHeaderSize || (log->length - kLiveLogHeaderSize) % sizeof(LiveLogRecord) != 0) {
        Refuse(kLogSizeMismatch, reporter);
        return false;
    }
    const auto count = static_cast<int64_t>((log->length - kLiveLogHeaderSize) / sizeof(LiveLogRecord));
    std::array<uint8_t, kLiveLogHeaderSize> header{};
    if (!ReadBlock(log->stream, header.data(), header.size()) || !LiveLogHeaderMatches(header)) {
        Refuse(kLogHeaderMismatch, reporter);
        return false;
    }
    StartProgress(count, reporter);
    rows.Begin(LogFormat::LiveLog);
    LiveLogRecord record;
    int32_t endTime = 0;
    for (int64_t i = 0; i < count; ++i) {
        if (Stopped(stop))
            return false;
        if (!ReadBlock(log->stream, &record, sizeof record)) {
            rows.End(endTime);
            Refuse(kLogSizeMismatch, reporter);
            return false;
        }
        ReportRecordDone(i, count, reporter);
        AddLiveLogRows(record, rows);
        endTime = LiveLogEndTime(record);
    }
    rows.End(endTime);
    return true;
}

bool LoadControllerLog(const std::string& path, LogRows& rows, Reporter& reporter, const StopRequest* stop)
{
    std::optional<OpenedLog> log = OpenLog(path, reporter);
    if (!log)
        return false;
    constexpr size_t kRecordSize = CLog_Process_Function::kRecordSize;
    if (log->length % kRecordSize != 0) {
        Refuse(kLogSizeMismatch, reporter);
        return false;
    }
    const auto count = static_cast<int64_t>(log->length / kRecordSize);
    StartProgress(count, reporter);
    rows.Begin(LogFormat::ControllerLog);
    CLog_Process_Function decoder;
    std::array<uint8_t, kRecordSize> record{};
    for (int64_t i = 0; i < count; ++i) {
        if (Stopped(stop))
            return false;
        if (!ReadBlock(log->stream, record.data(), record.size())) {
            rows.End(static_cast<int32_t>(i));
            Refuse(kLogSizeMismatch, reporter);
            return false;
        }
        ReportRecordDone(i, count, reporter);
        decoder.ProcessRecord(record.data(), static_cast<int32_t>(i), rows);
    }
    rows.End(static_cast<int32_t>(count));
    return true;
}

}  // namespace skarnel
