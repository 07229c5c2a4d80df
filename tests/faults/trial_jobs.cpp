#include "tests/faults/trial_jobs.h"

namespace skarnel::test {

std::vector<TrialJobKind> AllTrialJobs()
{
    std::vector<TrialJobKind> all;
    for (auto jobs : {FirmwareTrialJobs, ModelTrialJobs, VoiceTrialJobs, SdTrialJobs, LiveLogTrialJobs})
        for (TrialJobKind& kind : jobs())
            all.push_back(std::move(kind));
    return all;
}

}  // namespace skarnel::test
