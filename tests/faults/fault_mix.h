#pragma once

#include "sim/fault_plan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skarnel::test {

// The faults of one trial, drawn from its seed: random faults at some rate, storms of one
// kind from some request on, a way replies cross the cable, and perhaps a link that dies.
struct FaultMix {
    uint32_t randomSeed = 0;
    double probability = 0;
    std::vector<sim::FaultRule> rules;  // the dying link's first, so that it wins
    std::optional<int> portDiesAtWrite;
    std::string description;
};

// A mix for a job that sends about `typicalRequests` requests when nothing goes wrong, so
// that storms and the link's death strike within the job.
FaultMix DrawFaultMix(uint32_t seed, int typicalRequests);
void PlanFaults(const FaultMix& mix, sim::FaultPlan& plan);

}  // namespace skarnel::test
