#pragma once

#include "tests/faults/trial_job.h"

#include <vector>

namespace skarnel::test {

// The jobs the fault trials run, each with the files and controller data it moves.
std::vector<TrialJobKind> FirmwareTrialJobs();
std::vector<TrialJobKind> ModelTrialJobs();
std::vector<TrialJobKind> VoiceTrialJobs();
std::vector<TrialJobKind> SdTrialJobs();
std::vector<TrialJobKind> LiveLogTrialJobs();

std::vector<TrialJobKind> AllTrialJobs();

}  // namespace skarnel::test
