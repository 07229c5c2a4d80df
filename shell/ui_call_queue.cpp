#include "shell/ui_call_queue.h"

#include <QThread>

namespace skarnel {

CUi_Call_Queue::CUi_Call_Queue(QObject* parent) : QObject(parent) {}

bool CUi_Call_Queue::OnOwnerThread() const
{
    return QThread::currentThread() == thread();
}

void CUi_Call_Queue::Call(const std::function<void()>& call)
{
    if (OnOwnerThread()) {
        call();
        return;
    }
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(call);
    }
    QMetaObject::invokeMethod(this, "RunQueued", Qt::BlockingQueuedConnection);
    // Pairs with the owner's lock after the call ran: what the call wrote is seen from here on.
    std::lock_guard lock(mutex_);
}

void CUi_Call_Queue::Post(std::function<void()> call)
{
    if (OnOwnerThread()) {
        call();
        return;
    }
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(call));
    }
    QMetaObject::invokeMethod(this, "RunQueued", Qt::QueuedConnection);
}

void CUi_Call_Queue::RunQueued()
{
    for (;;) {
        std::function<void()> call;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty())
                return;
            call = std::move(queue_.front());
            queue_.pop_front();
        }
        // The next turn's lock publishes what the call wrote to a waiting caller.
        call();
    }
}

}  // namespace skarnel
