#include "telemetry/views/live_log_recorder.h"

#include "link/download_function.h"
#include "link/rs232.h"
#include "shell/file_dialogs.h"
#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "shell/ui_call_queue.h"
#include "telemetry/views/live_log_lights.h"
#include "telemetry/views/live_telemetry_hub.h"

#include <QCoreApplication>
#include <QLabel>

#include <ctime>

namespace skarnel {
namespace {

constexpr int kPortClosePauseMs = 100;

std::tm LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// The recorder's results on their way into the user-interface thread: records with a blocking
// call, the view requests and the status controls posted.
class FrameSink final : public LiveLogSink {
public:
    explicit FrameSink(CMainFrame& frame) : frame_(frame) {}

    void Store(int view, const std::function<void(LiveTelemetry&)>& change) override
    {
        frame_.Calls().Call([&] { frame_.LiveData().Update(view, change); });
    }
    void RequestOpenView(int view) override
    {
        frame_.Calls().Post([frame = &frame_, view] { frame->HandleRequest(view); });
    }
    void RequestCloseSensorView(int sensorType) override
    {
        frame_.Calls().Post([frame = &frame_, sensorType] { frame->CloseSensorView(sensorType); });
    }
    void ShowLight(LiveLogLight light) override
    {
        frame_.Calls().Post(
            [frame = &frame_, light] { frame->LiveLogPicture()->setPixmap(LiveLogLightPicture(light)); });
    }
    void ShowTime(int64_t hundredths) override
    {
        frame_.Calls().Post([frame = &frame_, hundredths] {
            frame->LiveLogText()->setText(QString::fromStdString(LiveLogTimeText(hundredths)));
        });
    }

private:
    CMainFrame& frame_;
};

// The main frame has no log: a frame-check text goes nowhere, a message box to the window.
class FrameReporter final : public Reporter {
public:
    explicit FrameReporter(CMainFrame& frame) : frame_(frame) {}

    void ReportProgress(int, const std::string&) override {}
    void ReportLogLine(const std::string&) override {}
    void ReportProgressRange(int, int) override {}
    void ReportFailedExchange(uint32_t, int) override {}
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        frame_.Calls().Call(
            [&] { ShowMessageBox(&frame_, QString::fromStdString(text), QString::fromStdString(title), icon); });
    }
    bool AskYesNo(const std::string&, const std::string&, MessageIcon) override { return false; }

private:
    CMainFrame& frame_;
};

}  // namespace

CLive_Log_Recorder::CLive_Log_Recorder(CMainFrame& mainFrame) : mainFrame_(mainFrame)
{
    mainFrame_.LiveLogPicture()->setPixmap(LiveLogLightPicture(LiveLogLight::Idle));
}

CLive_Log_Recorder::~CLive_Log_Recorder()
{
    if (!worker_.joinable())
        return;
    tearingDown_ = true;
    stop_.Request();
    while (running_)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool CLive_Log_Recorder::Start(CMainFrame& mainFrame)
{
    if (running_)
        return false;
    paths_ = PrepareLiveLogPaths(mainFrame.ApplicationFolder(), LocalNow());
    port_ = mainFrame.Connections().MakeConnection();
    if (!port_->OpenPort(mainFrame.PortId(), mainFrame.BaudRate()))
        return false;
    stop_.Clear();
    run_ = LiveLogRun{paths_.tempFile};
    running_ = true;
    try {
        worker_ = std::thread([this] { RunWorker(); });
    } catch (const std::system_error&) {
        running_ = false;
        port_->ClosePort();
        return false;
    }
    return true;
}

void CLive_Log_Recorder::RunWorker()
{
    FrameSink sink(mainFrame_);
    FrameReporter reporter(mainFrame_);
    CDownload_Function link(*port_, reporter);
    const JobOutcome outcome = RecordLiveLog(link, run_, sink, stop_);
    // The controller's bridge is given a moment before and after the port closes.
    link.Sleep(kPortClosePauseMs);
    port_->ClosePort();
    link.Sleep(kPortClosePauseMs);
    mainFrame_.Calls().Post([this, outcome] { Finish(outcome); });
}

void CLive_Log_Recorder::Finish(const JobOutcome& outcome)
{
    worker_.join();
    running_ = false;
    if (tearingDown_)
        return;
    if (!outcome.boxText.empty()) {
        const bool readFail = outcome.boxText == kLogDataReadFail;
        ShowMessageBox(&mainFrame_, QString::fromStdString(outcome.boxText),
                       readFail ? kLogDataReadFailTitle : kApplicationTitle,
                       readFail ? MessageIcon::Warning : MessageIcon::None);
    }
    if (run_.fileCreated)
        SaveOrDiscard();
}

void CLive_Log_Recorder::SaveOrDiscard()
{
    const QString chosen = AskYesNoBox(&mainFrame_, kLogDataSave, kLogDataSaveTitle, MessageIcon::Question)
                               ? FileDialogs::Current().SaveFile(&mainFrame_, kLiveLogSaveFilter,
                                                                 QString::fromStdString(paths_.defaultName.string()))
                               : QString();
    if (chosen.isEmpty()) {
        DiscardLiveLog(paths_.tempFile);
    } else {
        const LiveLogSaveResult saved = SaveLiveLog(paths_.tempFile, CldSaveName(chosen.toStdString()));
        if (!saved.saved)
            ShowMessageBox(&mainFrame_, QString::fromStdString(saved.message), kLogDataSaveTitle, MessageIcon::Warning);
    }
    ResetTimeText();
}

void CLive_Log_Recorder::ResetTimeText()
{
    mainFrame_.LiveLogText()->setText(QString::fromStdString(LiveLogTimeText(0)));
}

}  // namespace skarnel
