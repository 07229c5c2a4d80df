#pragma once

#include "base/job.h"
#include "shell/live_log_control.h"
#include "telemetry/live_log_save.h"
#include "telemetry/live_recorder.h"

#include <memory>
#include <thread>

namespace skarnel {

class CMainFrame;
class CRS232;

// The main frame's live logging: "Live Log Start" opens the port and runs the recorder job on
// a worker. The worker hands records to the main frame's CLive_Telemetry_Hub with blocking
// calls, posts the view requests and shows the status picture and the time text. Once it has
// ended (and been joined) the user-interface thread shows the job's box and asks whether and
// where to keep the recording.
class CLive_Log_Recorder final : public LiveLogControl {
public:
    explicit CLive_Log_Recorder(CMainFrame& mainFrame);
    // Stops a running recording and waits for it; the recording is left in its temporary file.
    ~CLive_Log_Recorder() override;

    bool IsRunning() const override { return running_; }
    bool Start(CMainFrame& mainFrame) override;
    void RequestStop() override { stop_.Request(); }

    const LiveLogPaths& Paths() const { return paths_; }

private:
    void RunWorker();
    // On the user-interface thread after the worker: join, the box, the save question.
    void Finish(const JobOutcome& outcome);
    void SaveOrDiscard();
    void ResetTimeText();

    CMainFrame& mainFrame_;
    std::unique_ptr<CRS232> port_;
    StopRequest stop_;
    LiveLogPaths paths_;
    LiveLogRun run_;
    std::thread worker_;
    bool running_ = false;
    bool tearingDown_ = false;
};

}  // namespace skarnel
