#include "cli/interrupt_stop.h"

#include <atomic>

namespace skarnel::cli {
namespace {

std::atomic<StopRequest*> g_stop{nullptr};
static_assert(std::atomic<StopRequest*>::is_always_lock_free, "the signal handler reads it");

void OnInterrupt(int)
{
    if (StopRequest* stop = g_stop.load())
        stop->Request();
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

InterruptStop::InterruptStop(StopRequest& stop)
{
    g_stop.store(&stop);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous_);
}

InterruptStop::~InterruptStop()
{
    sigaction(SIGINT, &previous_, nullptr);
    g_stop.store(nullptr);
}

}  // namespace skarnel::cli
