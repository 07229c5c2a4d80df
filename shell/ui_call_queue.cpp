#include "shell/ui_call_queue.h"

#include <QThread>

namespace skarnel {

CUi_Call_Queue::CUi_Call_Queue(QObject* parent) : QObject(parent) {}

CUi_Call_Queue::~CUi_Call_Queue()
{
    std::lock_guard lock(mutex_);
    closed_ = true;
    for (Pending& pending : queue_) {
        if (pending.done)
            *pending.done = true;
    }
    queue_.clear();
    finished_.notify_all();
}

bool CUi_Call_Queue::OnOwnerThread() const
{
    return QThread::currentThread() == thread();
}

// Under the lock, so that the event Qt allocates is published with the call.
void CUi_Call_Queue::Enqueue(Pending pending)
{
    queue_.push_back(std::move(pending));
    QMetaObject::invokeMethod(this, "RunQueued", Qt::QueuedConnection);
}

void CUi_Call_Queue::Call(const std::function<void()>& call)
{
    if (OnOwnerThread()) {
        call();
        return;
    }
    bool done = false;
    std::unique_lock lock(mutex_);
    if (closed_)
        return;
    Enqueue({call, &done});
    finished_.wait(lock, [&done] { return done; });
}

void CUi_Call_Queue::Post(std::function<void()> call)
{
    if (OnOwnerThread()) {
        call();
        return;
    }
    std::lock_guard lock(mutex_);
    if (!closed_)
        Enqueue({std::move(call), nullptr});
}

void CUi_Call_Queue::RunQueued()
{
    for (;;) {
        Pending pending;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty())
                return;
            pending = std::move(queue_.front());
            queue_.pop_front();
        }
        pending.call();
        if (pending.done) {
            std::lock_guard lock(mutex_);
            *pending.done = true;
            finished_.notify_all();
        }
    }
}

}  // namespace skarnel
