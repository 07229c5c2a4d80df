#pragma once

#include "shell/view_registry.h"
#include "shell/work_view.h"

#include <QPushButton>

#include <atomic>
#include <functional>

namespace skarnel::test {

// A work view whose job the test writes: a Start button, the log list, progress, status and Stop.
class TestJobView final : public CWork_View {
    Q_OBJECT
public:
    using Job = std::function<std::string(CDownload_Function& link, TestJobView& view)>;

    TestJobView(CMainFrame& mainFrame, int viewIndex, ReplyTextTable table = ReplyTextTable::Standard);

    bool Start()
    {
        return StartJob([this](CDownload_Function& link) { return JobOutcome::Ended(jobSucceeds, job(link, *this)); });
    }
    QPushButton* StartButton() const { return start_; }
    // The texts of the log list's "Log" column.
    void OnLanguageChanged(int language) override { lastLanguage = language; }

    Job job;
    bool jobSucceeds = true;
    std::atomic<bool> jobEntered{false};
    int lastLanguage = -1;

private:
    QPushButton* start_;
};

// A job that runs until it is asked to stop.
std::string RunUntilStopped(CDownload_Function& link, TestJobView& view);
// Registers a test job view at each index.
std::function<void(ViewRegistry&)> RegisterTestViews(std::vector<int> indices);

}  // namespace skarnel::test
