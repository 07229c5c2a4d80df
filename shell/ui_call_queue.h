#pragma once

#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace skarnel {

// Runs calls from other threads on the thread that owns this object (the user-interface
// thread). Call() is a blocking queued invocation: the call is queued to the owner's event loop
// and the caller waits until it has run, as for a sent window message. Post() does not wait.
// Called on the owner thread, both run the call at once.
//
// The wait is a condition variable rather than Qt::BlockingQueuedConnection, and the event is
// posted under the queue's mutex: Qt's own locks are futexes that ThreadSanitizer cannot see,
// so only this way is every hand-over between the threads visible to it.
class CUi_Call_Queue final : public QObject {
    Q_OBJECT
public:
    explicit CUi_Call_Queue(QObject* parent = nullptr);
    // Releases callers still waiting; their calls do not run.
    ~CUi_Call_Queue() override;

    void Call(const std::function<void()>& call);
    void Post(std::function<void()> call);
    bool OnOwnerThread() const;

private:
    struct Pending {
        std::function<void()> call;
        bool* done;  // the waiting caller's flag; nullptr for a posted call
    };

    Q_INVOKABLE void RunQueued();
    void Enqueue(Pending pending);

    std::mutex mutex_;
    std::condition_variable finished_;
    std::deque<Pending> queue_;
    bool closed_ = false;
};

}  // namespace skarnel
