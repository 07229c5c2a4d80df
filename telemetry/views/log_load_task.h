#pragma once

#include "base/job.h"
#include "base/reporter.h"
#include "shell/ui_call_queue.h"
#include "telemetry/log_tables.h"

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <thread>

namespace skarnel {

// Loads a log file on a thread of its own and hands what it finds to the user-interface
// thread without ever waiting for it: the rows in batches, the progress now and then, a
// refusal's message and the end. Everything reaches the handlers on the thread that owns the
// task, in the order it happened; nothing of a load that was cancelled or replaced arrives.
class CLog_Load_Task final : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void(LogBatch&&)> batch;
        std::function<void(int maximum)> progressRange;
        std::function<void(int position, const QString& status)> progress;
        std::function<void(const QString& text, MessageIcon icon)> message;
        // The loader has ended: whether the whole file was read. May be left empty.
        std::function<void(bool loaded)> finished;
    };

    explicit CLog_Load_Task(Handlers handlers, QObject* parent = nullptr);
    ~CLog_Load_Task() override;

    // Cancels a load that runs and starts loading the file.
    void Start(const std::string& path);
    // Stops the load at its next record and waits for its thread, which takes no longer than
    // one record; nothing more of it arrives.
    void Cancel();
    bool IsRunning() const { return worker_.joinable(); }

    // Rows handed on in the first batch; later batches grow (BatchingLogRows).
    static constexpr size_t kFirstBatchRows = 2048;

private:
    class ProgressReporter;

    void Run(const std::string& path, unsigned generation);
    // Queues the call for the owning thread, dropped when another load has begun since.
    void Post(unsigned generation, std::function<void()> call);
    void Join();

    Handlers handlers_;
    StopRequest stop_;
    std::thread worker_;
    unsigned generation_ = 0;
    // Hands the worker's calls to the owning thread under a lock that sanitizers can see.
    CUi_Call_Queue calls_{this};
};

}  // namespace skarnel
