#include "shell/work_view.h"

#include "shell/list_columns.h"
#include "shell/log_row.h"
#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "shell/port_open_fail.h"
#include "shell/ui_call_queue.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>

#include <algorithm>
#include <ctime>
#include <system_error>

namespace skarnel {
namespace {

constexpr int kNumberColumnWidth = 50;
constexpr int kTimeColumnWidth = 150;
constexpr int kProgressRangeLimit = 0xFFFF;

}  // namespace

CWork_View::CWork_View(CMainFrame& mainFrame, int viewIndex, ReplyTextTable replyTable, QWidget* parent)
    : CFunction_View(mainFrame, viewIndex, parent), replyTable_(replyTable), calls_(new CUi_Call_Queue(this)),
      port_(mainFrame.Connections().MakeConnection())
{
    CopyPortFromMainFrame();
}

// A frame waits for JobEnded before it lets a view go; this is the last resort when the
// whole window tree is torn down with a job still running.
CWork_View::~CWork_View()
{
    if (worker_.joinable()) {
        tearingDown_ = true;
        RequestStop();
        WaitForJobEnd();
    }
}

void CWork_View::RequestStop()
{
    stopRequest_.Request();
}

void CWork_View::WaitForJobEnd()
{
    while (jobActive_)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void CWork_View::CopyPortFromMainFrame()
{
    portId_ = MainFrame().PortId();
    baudRate_ = MainFrame().BaudRate();
}

bool CWork_View::OpenJobPort()
{
    if (port_->IsConnected())
        return false;
    return OpenExchangePort();
}

bool CWork_View::OpenExchangePort()
{
    if (port_->IsConnected())
        return true;
    CopyPortFromMainFrame();
    if (port_->OpenPort(portId_, baudRate_))
        return true;
    ShowPortOpenFail(this, portId_, port_->LastOpenFailure());
    return false;
}

void CWork_View::AssertOnOwnThread() const
{
    Q_ASSERT_X(QThread::currentThread() == thread(), "CWork_View", "a control touched off the user-interface thread");
}

void CWork_View::SetJobControlsEnabled(bool enabled)
{
    AssertOnOwnThread();
    for (QAbstractButton* button : jobButtons_)
        button->setEnabled(enabled);
    if (stopButton_)
        stopButton_->setVisible(!enabled);
    JobControlsChanged(enabled);
}

void CWork_View::AppendLogLine(const std::string& text)
{
    calls_->Call([&] { AddLogRow(text); });
}

void CWork_View::AddLogRow(const std::string& text)
{
    AssertOnOwnThread();
    if (!logList_)
        return;
    const int row = logList_->rowCount();
    logList_->insertRow(row);
    const QString number = QString::fromStdString(LogNumberText(row + 1));
    logList_->setItem(row, 0, new QTableWidgetItem(number));
    FitColumnToText(*logList_, 0, number);
    logList_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(LogCalendarTimeText(std::time(nullptr)))));
    logList_->setItem(row, 2, TextItem(QString::fromStdString(text)));
    logList_->selectRow(row);
    logList_->setCurrentCell(row, 0);
    logList_->scrollToItem(logList_->item(row, 0));
}

void CWork_View::SetProgress(int position, const QString& status)
{
    AssertOnOwnThread();
    if (progressBar_)
        progressBar_->setValue(position);
    if (statusLine_)
        statusLine_->setText(status);
}

void CWork_View::SetProgressRange(int maximum, int position)
{
    AssertOnOwnThread();
    if (!progressBar_)
        return;
    progressBar_->setRange(0, std::clamp(maximum, 0, kProgressRangeLimit));
    progressBar_->setValue(position);
}

bool CWork_View::StartJob(Procedure procedure)
{
    if (jobActive_ || port_->IsConnected())
        return false;
    if (logList_)
        logList_->setRowCount(0);
    ClearJobStatus();
    if (!OpenJobPort())
        return false;
    if (LaunchWorker(std::move(procedure), PortAfterJob::Close))
        return true;
    port_->ClosePort();
    ShowMessageBox(this, "Port Open Fail", "Fail");
    return false;
}

bool CWork_View::StartJobOnOpenPort(Procedure procedure)
{
    if (jobActive_ || !port_->IsConnected())
        return false;
    ClearJobStatus();
    return LaunchWorker(std::move(procedure), PortAfterJob::KeepOpen);
}

bool CWork_View::StartJobWithoutPort(Procedure procedure)
{
    if (jobActive_ || port_->IsConnected())
        return false;
    if (logList_)
        logList_->setRowCount(0);
    return LaunchWorker(std::move(procedure), PortAfterJob::KeepOpen);
}

bool CWork_View::LaunchWorker(Procedure procedure, PortAfterJob portAfterJob)
{
    stopRequest_.Clear();
    jobActive_ = true;
    JobEnd end{StopLine(), FinishTitle(), portAfterJob};
    try {
        worker_ =
            std::thread([this, procedure = std::move(procedure), end = std::move(end)] { RunWorker(procedure, end); });
    } catch (const std::system_error&) {
        jobActive_ = false;
        return false;
    }
    SetJobControlsEnabled(false);
    return true;
}

void CWork_View::RunWorker(const Procedure& procedure, const JobEnd& end)
{
    CDownload_Function link(*port_, reporter_);
    FinishJob(procedure(link), end);
    calls_->Post([this] { OnWorkerEnded(); });
}

void CWork_View::FinishJob(const JobOutcome& outcome, const JobEnd& end)
{
    if (!outcome.finalText.empty())
        AppendLogLine(outcome.finalText);
    if (!end.stopLine.empty())
        AppendLogLine(end.stopLine);
    if (end.port == PortAfterJob::Close)
        port_->ClosePort();
    calls_->Call([&] {
        if (tearingDown_)
            return;
        SetJobControlsEnabled(true);
        ShowEndText(outcome);
        if (!outcome.boxText.empty())
            ShowMessageBox(this, QString::fromStdString(outcome.boxText), end.title);
    });
}

void CWork_View::OnWorkerEnded()
{
    worker_.join();
    jobActive_ = false;
    emit JobEnded();
}

QString CWork_View::FinishTitle() const
{
    return kApplicationTitle;
}

// A good job's last step text ("... 10/10") would read as if it were still running; a failed
// job keeps the step it stopped at.
void CWork_View::ShowEndText(const JobOutcome& outcome)
{
    if (statusLine_ && outcome.succeeded && !outcome.finalText.empty())
        statusLine_->setText(QString::fromStdString(outcome.finalText));
}

void CWork_View::ClearJobStatus()
{
    if (progressBar_)
        progressBar_->setValue(progressBar_->minimum());
    if (statusLine_)
        statusLine_->clear();
}

QTableWidget* CWork_View::CreateLogList(int logColumnWidth)
{
    logList_ = new QTableWidget(0, 3, this);
    logList_->setHorizontalHeaderLabels({"No", "Time", "Log"});
    logList_->setColumnWidth(0, kNumberColumnWidth);
    logList_->setColumnWidth(1, kTimeColumnWidth);
    logList_->setColumnWidth(2, logColumnWidth);
    logList_->verticalHeader()->hide();
    logList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    logList_->setSelectionMode(QAbstractItemView::SingleSelection);
    logList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    logList_->setShowGrid(true);
    MakeOneLineList(*logList_);
    FitColumnToText(*logList_, 1, QString::fromStdString(LogCalendarTimeText(std::time(nullptr))));
    return logList_;
}

QProgressBar* CWork_View::CreateProgressBar()
{
    progressBar_ = new QProgressBar(this);
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    return progressBar_;
}

QLabel* CWork_View::CreateStatusLine()
{
    statusLine_ = new QLabel(this);
    return statusLine_;
}

QPushButton* CWork_View::CreateStopButton()
{
    stopButton_ = new QPushButton("Stop", this);
    stopButton_->hide();
    connect(stopButton_, &QPushButton::clicked, this, [this] { RequestStop(); });
    return stopButton_;
}

void CWork_View::AddJobButton(QAbstractButton* button)
{
    jobButtons_.push_back(button);
}

}  // namespace skarnel
