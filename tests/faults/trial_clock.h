#pragma once

#include "base/clock.h"

#include <cstdint>
#include <stdexcept>

namespace skarnel::test {

// Thrown by a trial's clock when the job under trial hangs.
struct TrialHang : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Virtual time for one fault trial. It moves only when the job sleeps, so a job that waits
// forever runs into the limit in moments; a job that spins without ever sleeping is caught by
// counting the clock calls that let no time pass. Either throws TrialHang, once.
class TrialClock final : public Clock {
public:
    TrialClock(int64_t startMs, int64_t limitMs);

    int64_t NowMs() override;
    void SleepMs(int64_t milliseconds) override;
    int64_t ElapsedMs() const { return now_ - start_; }

private:
    void Hang(const char* what);

    int64_t start_;
    int64_t now_;
    int64_t deadline_;
    int64_t callsWithoutTime_ = 0;
    bool hung_ = false;
};

}  // namespace skarnel::test
