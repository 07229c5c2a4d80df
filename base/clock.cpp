#include "base/clock.h"

#include <chrono>
#include <thread>

namespace skarnel {

Clock& Clock::System()
{
    static SystemClock clock;
    return clock;
}

int64_t SystemClock::NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SystemClock::SleepMs(int64_t milliseconds)
{
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void VirtualClock::SleepMs(int64_t milliseconds)
{
    if (milliseconds > 0)
        now_.fetch_add(milliseconds);
}

}  // namespace skarnel
