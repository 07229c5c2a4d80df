#pragma once

#include <cstdint>

namespace skarnel::test {

// How many trials each job runs and the seed of the first; trial n uses seed + n, so a trial
// found bad is run again alone with its own seed and one trial.
struct TrialSettings {
    int trials;
    uint32_t seed;
};

// SKARNEL_FAULT_TRIALS and SKARNEL_FAULT_SEED when set; else 1000 trials from seed 1, or 100
// under a sanitizer, which makes every trial many times slower.
TrialSettings SettingsFromEnvironment();

// Trials write their files under /dev/shm when there is one and TMPDIR is unset: the jobs sync
// what they write to the disk, and a disk's syncs would take more time than the jobs.
void KeepTrialFilesInMemory();

inline constexpr const char* kTrialsVariable = "SKARNEL_FAULT_TRIALS";
inline constexpr const char* kSeedVariable = "SKARNEL_FAULT_SEED";

}  // namespace skarnel::test
