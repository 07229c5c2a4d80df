#pragma once

#include <atomic>
#include <cstdint>

namespace skarnel {

// Every wait, pause and time-out of the link and of the procedures goes through a Clock,
// so that tests can run the 10 s and 20 s time-outs on virtual time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual int64_t NowMs() = 0;
    virtual void SleepMs(int64_t milliseconds) = 0;

    // The process-wide steady clock.
    static Clock& System();
};

class SystemClock final : public Clock {
public:
    int64_t NowMs() override;
    void SleepMs(int64_t milliseconds) override;
};

// Time that moves only when somebody sleeps. Safe to share between threads.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(int64_t startMs = 0) : now_(startMs) {}
    int64_t NowMs() override { return now_.load(); }
    void SleepMs(int64_t milliseconds) override;

private:
    std::atomic<int64_t> now_;
};

}  // namespace skarnel
