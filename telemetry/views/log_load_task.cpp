#include "telemetry/views/log_load_task.h"

#include "telemetry/log_loader.h"

#include <QMetaObject>

#include <algorithm>
#include <memory>
#include <utility>

namespace skarnel {

// The loader's reports, passed on without waiting. Progress goes on at most once a percent,
// and the last report is always passed on before the end.
class CLog_Load_Task::ProgressReporter final : public Reporter {
public:
    ProgressReporter(CLog_Load_Task& task, unsigned generation) : task_(task), generation_(generation) {}

    void ReportProgressRange(int maximum, int) override
    {
        step_ = std::max(1, maximum / 100);
        task_.Post(generation_, [&task = task_, maximum] { task.handlers_.progressRange(maximum); });
    }
    void ReportProgress(int position, const std::string& status) override
    {
        latest_ = {position, status};
        pending_ = true;
        if (position - posted_ >= step_)
            PassOnProgress();
    }
    void ShowMessage(const std::string& text, const std::string&, MessageIcon icon) override
    {
        task_.Post(generation_,
                   [&task = task_, text = QString::fromStdString(text), icon] { task.handlers_.message(text, icon); });
    }
    void ReportLogLine(const std::string&) override {}
    void ReportFailedExchange(uint32_t, int) override {}
    bool AskYesNo(const std::string&, const std::string&, MessageIcon) override { return false; }

    void PassOnProgress()
    {
        if (!pending_)
            return;
        pending_ = false;
        posted_ = latest_.first;
        task_.Post(generation_, [&task = task_, position = latest_.first, status = latest_.second] {
            task.handlers_.progress(position, QString::fromStdString(status));
        });
    }

private:
    CLog_Load_Task& task_;
    unsigned generation_;
    int step_ = 1;
    int posted_ = 0;
    bool pending_ = false;
    std::pair<int, std::string> latest_;
};

CLog_Load_Task::CLog_Load_Task(Handlers handlers, QObject* parent) : QObject(parent), handlers_(std::move(handlers)) {}

CLog_Load_Task::~CLog_Load_Task()
{
    Cancel();
}

void CLog_Load_Task::Start(const std::string& path)
{
    Cancel();
    stop_.Clear();
    const unsigned generation = generation_;
    worker_ = std::thread([this, path, generation] { Run(path, generation); });
}

void CLog_Load_Task::Cancel()
{
    ++generation_;
    stop_.Request();
    Join();
}

void CLog_Load_Task::Join()
{
    if (worker_.joinable())
        worker_.join();
}

void CLog_Load_Task::Run(const std::string& path, unsigned generation)
{
    ProgressReporter reporter(*this, generation);
    BatchingLogRows rows(
        [this, generation](LogBatch&& batch) {
            auto handed = std::make_shared<LogBatch>(std::move(batch));
            Post(generation, [this, handed] { handlers_.batch(std::move(*handed)); });
        },
        kFirstBatchRows);
    const bool loaded = LoadLogFile(path, rows, reporter, &stop_);
    reporter.PassOnProgress();
    Post(generation, [this, loaded] {
        Join();
        if (handlers_.finished)
            handlers_.finished(loaded);
    });
}

void CLog_Load_Task::Post(unsigned generation, std::function<void()> call)
{
    // The generation is read on the owning thread only, when the call arrives there.
    calls_.Post([this, generation, call = std::move(call)] {
        if (generation == generation_)
            call();
    });
}

}  // namespace skarnel
