#pragma once

#include <QObject>

#include <deque>
#include <functional>
#include <mutex>

namespace skarnel {

// Runs calls from other threads on the thread that owns this object (the user-interface
// thread). Call() is a blocking queued invocation: the caller waits until the call has run,
// as for a sent window message; Post() does not wait. Called on the owner thread, both run
// the call at once.
//
// The calls travel through a mutex-guarded queue rather than inside Qt's event, so that the
// hand-over is visible to ThreadSanitizer; Qt's own event wake-up only tells the owner to look.
class CUi_Call_Queue final : public QObject {
    Q_OBJECT
public:
    explicit CUi_Call_Queue(QObject* parent = nullptr);

    void Call(const std::function<void()>& call);
    void Post(std::function<void()> call);
    bool OnOwnerThread() const;

private:
    Q_INVOKABLE void RunQueued();

    std::mutex mutex_;
    std::deque<std::function<void()>> queue_;
};

}  // namespace skarnel
