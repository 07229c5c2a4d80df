#include "tests/faults/trial_clock.h"

namespace skarnel::test {
namespace {

// No wait of the link polls the clock this often without sleeping in between.
constexpr int64_t kSpinningCalls = 1'000'000;

}  // namespace

TrialClock::TrialClock(int64_t startMs, int64_t limitMs) : start_(startMs), now_(startMs), deadline_(startMs + limitMs)
{
}

void TrialClock::Hang(const char* what)
{
    if (hung_)
        return;
    hung_ = true;
    throw TrialHang(what);
}

int64_t TrialClock::NowMs()
{
    if (++callsWithoutTime_ > kSpinningCalls)
        Hang("spins without letting time pass");
    return now_;
}

void TrialClock::SleepMs(int64_t milliseconds)
{
    if (milliseconds <= 0) {
        NowMs();
        return;
    }
    callsWithoutTime_ = 0;
    now_ += milliseconds;
    if (now_ > deadline_)
        Hang("runs past its virtual-time limit");
}

}  // namespace skarnel::test
