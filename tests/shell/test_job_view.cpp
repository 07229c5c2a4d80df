#include "tests/shell/test_job_view.h"

#include "shell/main_frame.h"

#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace skarnel::test {

TestJobView::TestJobView(CMainFrame& mainFrame, int viewIndex, ReplyTextTable table)
    : CWork_View(mainFrame, viewIndex, table), start_(new QPushButton("Start", this))
{
    AddJobButton(start_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(start_);
    layout->addWidget(CreateStopButton());
    layout->addWidget(CreateProgressBar());
    layout->addWidget(CreateStatusLine());
    layout->addWidget(CreateLogList(300));
    connect(start_, &QPushButton::clicked, this, [this] { Start(); });
    job = RunUntilStopped;
}

std::string RunUntilStopped(CDownload_Function& link, TestJobView& view)
{
    view.jobEntered = true;
    while (!view.StopRequested())
        link.Sleep(10);
    link.Window().ReportLogLine("Thread Stop Flag Set");
    return "Job Stopped";
}

std::function<void(ViewRegistry&)> RegisterTestViews(std::vector<int> indices)
{
    return [indices](ViewRegistry& registry) {
        for (int index : indices)
            registry.Register(index, [index](CMainFrame& frame) { return new TestJobView(frame, index); });
    };
}

}  // namespace skarnel::test
