#pragma once

#include "tests/faults/trial_runner.h"

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace skarnel::test {

// How the trials of one job ended.
class OutcomeTally {
public:
    struct BadTrial {
        uint32_t seed;
        std::string faults;
        TrialResult result;
    };

    void Add(uint32_t seed, const FaultMix& mix, const TrialResult& result);

    int Trials() const { return trials_; }
    int Count(Verdict verdict) const;
    const std::map<std::string, int>& FailuresByText() const { return failures_; }
    const std::vector<BadTrial>& BadTrials() const { return bad_; }
    int64_t LongestMs() const { return longestMs_; }

private:
    int trials_ = 0;
    std::map<Verdict, int> verdicts_;
    std::map<std::string, int> failures_;
    std::vector<BadTrial> bad_;
    int64_t longestMs_ = 0;
};

struct JobTally {
    std::string job;
    OutcomeTally tally;
    double seconds;  // the trials' run time
};

// One row a job with its run time, then each job's failures by text, then every bad trial
// with its seed and faults.
void PrintSummary(const std::vector<JobTally>& tallies, std::ostream& out);

}  // namespace skarnel::test
