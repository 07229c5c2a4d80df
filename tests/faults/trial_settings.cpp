#include "tests/faults/trial_settings.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define SKARNEL_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define SKARNEL_SANITIZED 1
#endif
#endif

namespace skarnel::test {
namespace {

#ifdef SKARNEL_SANITIZED
constexpr int kDefaultTrials = 100;
#else
constexpr int kDefaultTrials = 1000;
#endif
constexpr uint32_t kDefaultSeed = 1;
constexpr const char* kMemoryFolder = "/dev/shm";

unsigned long FromEnvironment(const char* name, unsigned long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::stoul(text) : fallback;
}

}  // namespace

TrialSettings SettingsFromEnvironment()
{
    return {static_cast<int>(FromEnvironment(kTrialsVariable, kDefaultTrials)),
            static_cast<uint32_t>(FromEnvironment(kSeedVariable, kDefaultSeed))};
}

void KeepTrialFilesInMemory()
{
    if (!std::getenv("TMPDIR") && access(kMemoryFolder, W_OK | X_OK) == 0)
        setenv("TMPDIR", kMemoryFolder, 0);
}

}  // namespace skarnel::test
