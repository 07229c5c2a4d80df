#include "cli/live_log_commands.h"

#include "base/app_folder.h"
#include "base/clock.h"
#include "base/format.h"
#include "base/printable_text.h"
#include "cli/cli_context.h"
#include "cli/telemetry_printing.h"
#include "link/download_function.h"
#include "telemetry/live_log_file.h"
#include "telemetry/live_log_save.h"
#include "telemetry/live_recorder.h"
#include "telemetry/live_telemetry.h"
#include "telemetry/log_loader.h"
#include "telemetry/telemetry_text.h"

#include <CLI/CLI.hpp>
#include <ctime>
#include <memory>
#include <optional>

namespace skarnel::cli {
namespace {

constexpr int64_t kControllerLogRecordSize = 64;

struct RecordOptions {
    std::string output;
    double durationSeconds = 0;  // 0: until Ctrl-C
};

// The command line owns the recording's LiveTelemetry; it shows a line a second on a terminal
// and turns Ctrl-C or the end of the duration into the recorder's stop request.
class TerminalLiveLogSink final : public LiveLogSink {
public:
    TerminalLiveLogSink(TerminalReporter& out, Clock& clock, const StopRequest& interrupt, double durationSeconds)
        : out_(out), clock_(clock), interrupt_(interrupt), startMs_(clock.NowMs()),
          durationMs_(static_cast<int64_t>(durationSeconds * 1000))
    {
    }

    const StopRequest& Stop() const { return stop_; }

    void Store(int, const std::function<void(LiveTelemetry&)>& change) override
    {
        change(live_);
        Poll();
    }
    void RequestOpenView(int) override {}
    void RequestCloseSensorView(int) override {}
    void ShowLight(LiveLogLight) override { Poll(); }
    void ShowTime(int64_t) override { Poll(); }
    void PassWritten(const LivePass& pass) override
    {
        const int64_t second = pass.time / 100;
        if (second != shownSecond_) {
            shownSecond_ = second;
            out_.PrintTerminalLine(Format("%s  %-8s  RXSQ %3d  failures %d", LiveLogTimeText(pass.time).c_str(),
                                          SensorTypeName(pass.sensorType).c_str(), live_.receiver.rxsq, pass.failures));
        }
        Poll();
    }

private:
    void Poll()
    {
        const bool timeUp = durationMs_ > 0 && clock_.NowMs() - startMs_ >= durationMs_;
        if (interrupt_.Requested() || timeUp)
            stop_.Request();
    }

    TerminalReporter& out_;
    Clock& clock_;
    const StopRequest& interrupt_;
    const int64_t startMs_;
    const int64_t durationMs_;
    LiveTelemetry live_;
    StopRequest stop_;
    int64_t shownSecond_ = -1;
};

std::tm LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// -o names the file; without it the question "Log Data Save" and then the name, the offered
// one taken with --yes or an empty answer.
std::optional<std::string> ChooseTarget(CliContext& context, const RecordOptions& options, const LiveLogPaths& paths)
{
    if (!options.output.empty())
        return CldSaveName(options.output);
    TerminalReporter& out = context.reporter();
    if (!out.AskYesNo(kLogDataSave, kLogDataSaveTitle, MessageIcon::Question))
        return std::nullopt;
    const std::optional<std::string> chosen = out.AskText("Save as", paths.defaultName.string());
    if (!chosen || chosen->empty())
        return std::nullopt;
    return CldSaveName(*chosen);
}

void SaveRecording(CliContext& context, const RecordOptions& options, const LiveLogPaths& paths, const LiveLogRun& run)
{
    const std::optional<std::string> target = ChooseTarget(context, options, paths);
    if (!target) {
        DiscardLiveLog(paths.tempFile);
        context.reporter().PrintLine("Log Data Not Saved");
        return;
    }
    const LiveLogSaveResult saved = SaveLiveLog(paths.tempFile, *target);
    if (!saved.saved) {
        context.Finish(saved.message, false);
        return;
    }
    context.reporter().PrintLine(Format("Log Data Saved  %s  %lld records  + %.2f sec", PrintableName(*target).c_str(),
                                        static_cast<long long>(run.records), static_cast<double>(run.lastTime) / 100));
}

void RunRecord(CliContext& context, const RecordOptions& options)
{
    std::string error;
    const std::optional<std::filesystem::path> folder = EnsureApplicationFolder(error);
    if (!folder) {
        std::fprintf(stderr, "%s\n", error.c_str());
        context.Finish(kLogFileCreateFail, false);
        return;
    }
    const LiveLogPaths paths = PrepareLiveLogPaths(*folder, LocalNow());
    LiveLogRun run{paths.tempFile};
    context.RunJob([&](CDownload_Function& link, const StopRequest& interrupt) {
        TerminalLiveLogSink sink(context.reporter(), link.GetClock(), interrupt, options.durationSeconds);
        return RecordLiveLog(link, run, sink, sink.Stop());
    });
    if (run.fileCreated) {
        const int recorded = context.exitCode;
        SaveRecording(context, options, paths, run);
        if (recorded != kExitOk)
            context.exitCode = recorded;
    }
}

// Counts what a loader finds: the end, and which sensor lists have rows.
class LogSummary final : public LogRows {
public:
    void Begin(LogFormat format) override { format_ = format; }
    void AddGeneral(int32_t, const GeneralData&) override { general_ = true; }
    void AddElectric(int32_t, const ElectricData&) override { electric_ = true; }
    void AddGps(int32_t, const GpsData&) override { gps_ = true; }
    void AddVario(int32_t, const VarioData&) override { vario_ = true; }
    void AddReceiver(int32_t, const ReceiverData&) override {}
    void AddRfLevels(int32_t, const DbmScan&) override {}
    void AddChannelLevel(int32_t, int, int, int) override {}
    void AddChannels(int32_t, const ChannelValues&) override {}
    void End(int32_t endTime) override { endTime_ = endTime; }

    void Print(TerminalReporter& out, int64_t fileSize) const
    {
        const bool live = format_ == LogFormat::LiveLog;
        const int64_t records =
            live ? (fileSize - static_cast<int64_t>(kLiveLogHeaderSize)) / static_cast<int64_t>(sizeof(LiveLogRecord))
                 : fileSize / kControllerLogRecordSize;
        std::string sensors;
        for (const auto& [present, name] : {std::pair{general_, "general"}, std::pair{electric_, "electric"},
                                            std::pair{vario_, "vario"}, std::pair{gps_, "gps"}}) {
            if (present)
                sensors += sensors.empty() ? name : std::string(" ") + name;
        }
        out.PrintLine(live ? "Format  live log (.cld)" : "Format  controller log");
        out.PrintLine(Format("Records  %lld", static_cast<long long>(records)));
        out.PrintLine(Format("End  + %.2f sec", static_cast<double>(endTime_) / 100));
        out.PrintLine("Sensors  " + (sensors.empty() ? std::string("none") : sensors));
    }

private:
    LogFormat format_ = LogFormat::LiveLog;
    bool general_ = false, electric_ = false, gps_ = false, vario_ = false;
    int32_t endTime_ = 0;
};

void RunInfo(CliContext& context, const std::string& path)
{
    LogSummary summary;
    MessageCapture reporter(context.reporter());
    if (!LoadLogFile(path, summary, reporter)) {
        context.Finish(reporter.LastMessage(), false);
        return;
    }
    std::error_code error;
    summary.Print(context.reporter(), static_cast<int64_t>(std::filesystem::file_size(path, error)));
    context.Finish("", true);
}

}  // namespace

void AddLiveLogCommands(CLI::App& log, CliContext& context)
{
    auto options = std::make_shared<RecordOptions>();
    CLI::App* record = log.add_subcommand("record", "Record live telemetry into a live log (.cld)");
    record->add_option("-o,--output", options->output, "Save the recording here (\".cld\" is added when missing)");
    record->add_option("--duration", options->durationSeconds, "Stop after this many seconds (default: at Ctrl-C)")
        ->check(CLI::NonNegativeNumber);
    record->callback([&context, options] { RunRecord(context, *options); });

    auto path = std::make_shared<std::string>();
    CLI::App* info = log.add_subcommand("info", "Print a log file's format, record count, end time and sensors");
    info->add_option("FILE", *path, "The log file")->required();
    info->callback([&context, path] { RunInfo(context, *path); });
}

}  // namespace skarnel::cli
