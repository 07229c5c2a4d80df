#pragma once

#include <atomic>
#include <string>
#include <utility>

namespace skarnel {

// How a job a user started ended: whether it did what was asked, the final text its log ends
// with, and the text of the box the window shows at its end. Either text may be empty: an
// empty final text is not logged, an empty box is not shown. `reason` says why in the
// operating system's words; the command line prints it where the window stays silent.
struct JobOutcome {
    bool succeeded = false;
    std::string finalText;
    std::string boxText;
    std::string reason;

    // The usual end: the final text is logged and shown in the box.
    static JobOutcome Ended(bool succeeded, std::string text) { return {succeeded, text, std::move(text), {}}; }
    static JobOutcome Success(std::string text) { return Ended(true, std::move(text)); }
    static JobOutcome Failure(std::string text, std::string why = {})
    {
        JobOutcome outcome = Ended(false, std::move(text));
        outcome.reason = std::move(why);
        return outcome;
    }
};

// The user's request that a running job stop at its next stop check. Set from the user-
// interface thread or a signal handler, read by the job's thread.
class StopRequest {
public:
    void Request() { requested_.store(true); }
    void Clear() { requested_.store(false); }
    bool Requested() const { return requested_.load(); }

private:
    std::atomic<bool> requested_{false};
    static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler sets it");
};

}  // namespace skarnel
