#include "tests/faults/crash_note.h"
#include "tests/faults/outcome_tally.h"
#include "tests/faults/trial_jobs.h"
#include "tests/faults/trial_runner.h"
#include "tests/faults/trial_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iostream>

namespace skarnel::test {
namespace {

std::vector<JobTally>& Tallies()
{
    static std::vector<JobTally> tallies;
    return tallies;
}

// Trial files in memory from the start; the table of every job run printed once all have run.
class TrialEnvironment final : public testing::Environment {
public:
    void SetUp() override { KeepTrialFilesInMemory(); }
    void TearDown() override
    {
        if (!Tallies().empty())
            PrintSummary(Tallies(), std::cout);
    }
};

[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new TrialEnvironment);

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

OutcomeTally RunTrials(const TrialJobKind& kind, const TrialSettings& settings, int typicalRequests)
{
    OutcomeTally tally;
    for (int n = 0; n < settings.trials; ++n) {
        const uint32_t seed = settings.seed + static_cast<uint32_t>(n);
        const FaultMix mix = DrawFaultMix(seed, typicalRequests);
        NoteTrial(kind.name + ", seed " + std::to_string(seed));
        tally.Add(seed, mix, RunTrial(kind, mix));
    }
    ClearTrialNote();
    return tally;
}

class FaultTrials : public testing::TestWithParam<TrialJobKind> {};

TEST_P(FaultTrials, EndInSuccessOverTheRightDataOrInANamedFailure)
{
    const TrialJobKind& kind = GetParam();
    NoteTrial(kind.name + " without faults");
    const TrialResult clean = RunTrial(kind, FaultMix{});
    ClearTrialNote();
    ASSERT_TRUE(clean.verdict == Verdict::Success) << "without faults: " << clean.text;

    const TrialSettings settings = SettingsFromEnvironment();
    const auto start = std::chrono::steady_clock::now();
    const OutcomeTally tally = RunTrials(kind, settings, clean.requests);
    Tallies().push_back({kind.name, tally, SecondsSince(start)});

    for (const Verdict bad : {Verdict::WrongSuccess, Verdict::Hang, Verdict::Crash, Verdict::NamelessFailure})
        EXPECT_EQ(tally.Count(bad), 0) << "the seeds are in the summary";
}

std::string TestName(const testing::TestParamInfo<TrialJobKind>& info)
{
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Jobs, FaultTrials, testing::ValuesIn(AllTrialJobs()), TestName);

}  // namespace

// Names a job's test parameter in gtest's messages.
void PrintTo(const TrialJobKind& kind, std::ostream* out)
{
    *out << kind.name;
}

}  // namespace skarnel::test
