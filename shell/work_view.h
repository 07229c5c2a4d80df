#pragma once

#include "link/download_function.h"
#include "base/job.h"
#include "link/reply_codes.h"
#include "link/rs232.h"
#include "link/serial_port_id.h"
#include "shell/function_view.h"
#include "shell/view_reporter.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class QAbstractButton;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace skarnel {

class CUi_Call_Queue;

// The shape every view that talks to the controller shares: its own connection, a job on a
// worker thread with a stop request, and the job's log, progress and status controls.
// Derived views create the controls they need with the Create* helpers and lay them out.
class CWork_View : public CFunction_View {
    Q_OBJECT
public:
    CWork_View(CMainFrame& mainFrame, int viewIndex, ReplyTextTable replyTable = ReplyTextTable::Standard,
               QWidget* parent = nullptr);
    ~CWork_View() override;

    bool IsBusy() const override { return jobActive_; }
    void RequestStop() override;
    void WaitForJobEnd() override;
    bool StopRequested() const { return stopRequest_.Requested(); }
    const skarnel::StopRequest& StopRequest() const { return stopRequest_; }

    // The job's connection; its IsConnected is the sign that a job holds it.
    CRS232& Port() { return *port_; }
    // The protocol object of exchanges that run on the user-interface thread.
    CDownload_Function& Link() { return link_; }
    Reporter& ViewReporter() { return reporter_; }
    CUi_Call_Queue& Calls() { return *calls_; }
    ReplyTextTable ReplyTable() const { return replyTable_; }

    const SerialPortId& PortId() const { return portId_; }
    unsigned BaudRate() const { return baudRate_; }
    void CopyPortFromMainFrame();

    // Opens the connection on the main frame's port; "Port Open Fail" titled "Fail" when it cannot.
    bool OpenJobPort();
    // For exchanges on the user-interface thread: opens the connection unless it is open,
    // with the same failure box.
    bool OpenExchangePort();
    // Job buttons enabled, Stop hidden (true) or the other way round (false).
    void SetJobControlsEnabled(bool enabled);
    // A log row with the next number and the time; from any thread.
    void AppendLogLine(const std::string& text);
    void SetProgress(int position, const QString& status);
    void SetProgressRange(int maximum, int position);

    QTableWidget* LogList() const { return logList_; }
    QProgressBar* ProgressBar() const { return progressBar_; }
    QLabel* StatusLine() const { return statusLine_; }
    QPushButton* StopButton() const { return stopButton_; }

protected:
    // A job's procedure: runs on the worker with the worker's own protocol object.
    using Procedure = std::function<JobOutcome(CDownload_Function& link)>;

    // Starts a job (after the view has asked the user what it needs): clears the log, opens
    // the port, clears the stop request and starts the worker. False when a job runs already
    // or the start failed.
    bool StartJob(Procedure procedure);
    // Starts a job on the connection the view holds open; the connection stays open after it.
    // False when no connection is open, a job runs already or the worker could not start.
    bool StartJobOnOpenPort(Procedure procedure);
    // Starts a job that needs no connection (its procedure leaves the link alone); the
    // connection stays closed. False when a job runs already or the worker could not start.
    bool StartJobWithoutPort(Procedure procedure);
    // The title of the box that shows a job's final text.
    virtual QString FinishTitle() const;
    // The line logged after a job's final text; none when empty.
    virtual std::string StopLine() const { return "Process Stop"; }
    // Told at the end of SetJobControlsEnabled, for views that show a running job otherwise too.
    virtual void JobControlsChanged(bool) {}

    QTableWidget* CreateLogList(int logColumnWidth);
    QProgressBar* CreateProgressBar();
    QLabel* CreateStatusLine();
    QPushButton* CreateStopButton();
    void AddJobButton(QAbstractButton* button);

private:
    enum class PortAfterJob { Close, KeepOpen };
    // What a job's end needs of the view, taken when the job starts: the worker then makes no
    // virtual call, so none can reach a view that is being destroyed.
    struct JobEnd {
        std::string stopLine;
        QString title;
        PortAfterJob port;
    };
    bool LaunchWorker(Procedure procedure, PortAfterJob portAfterJob);
    void RunWorker(const Procedure& procedure, const JobEnd& end);
    // The end-of-job routine, on the worker: final text, "Process Stop", port closed,
    // controls enabled, the outcome's box shown (not while the view is being destroyed).
    void FinishJob(const JobOutcome& outcome, const JobEnd& end);
    void OnWorkerEnded();
    void AddLogRow(const std::string& text);
    // A new job starts without the last one's status text and progress.
    void ClearJobStatus();
    void ShowEndText(const JobOutcome& outcome);
    // The controls belong to the user-interface thread; workers reach them through Calls().
    void AssertOnOwnThread() const;

    ReplyTextTable replyTable_;
    CUi_Call_Queue* calls_;
    CView_Reporter reporter_{*this};
    std::unique_ptr<CRS232> port_;
    CDownload_Function link_{*port_, reporter_};
    SerialPortId portId_;
    unsigned baudRate_ = 0;
    skarnel::StopRequest stopRequest_;
    std::thread worker_;
    bool jobActive_ = false;
    bool tearingDown_ = false;

    QTableWidget* logList_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    std::vector<QAbstractButton*> jobButtons_;
};

}  // namespace skarnel
