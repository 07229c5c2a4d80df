#pragma once

#include "tests/faults/fault_mix.h"
#include "tests/faults/trial_job.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skarnel::test {

enum class Verdict {
    Success,
    Failure,          // failed, and its final text or box says so
    NamelessFailure,  // failed without a word
    WrongSuccess,     // claimed success over missing or wrong data
    Hang,             // ran past its virtual-time limit, or spun
    Crash,            // let an exception out
};

struct TrialResult {
    Verdict verdict = Verdict::Failure;
    std::string text;  // the failure's text, or what went wrong with the trial
    int requests = 0;  // the requests the controller took
    int64_t virtualMs = 0;
    std::vector<std::string> logTail;  // the job's last log lines
};

// A trial may take this long in virtual time; no job comes near it unless it hangs.
inline constexpr int64_t kTrialLimitMs = 2 * 3600 * 1000;

// Runs one job on a fresh controller with the mix's faults and judges how it ended.
TrialResult RunTrial(const TrialJobKind& kind, const FaultMix& mix);
bool IsBad(Verdict verdict);

}  // namespace skarnel::test
