#include "tests/faults/crash_note.h"

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace skarnel::test {
namespace {

constexpr std::array<int, 5> kCrashSignals{SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

char note[256];
volatile sig_atomic_t noteLength = 0;
struct sigaction former[NSIG];

// Writes the note and hands the signal back to its former handler: a fault strikes again on
// return, and abort() raises again once its handler returns.
void OnCrash(int signal)
{
    if (noteLength > 0)
        (void)!write(STDERR_FILENO, note, static_cast<size_t>(noteLength));
    sigaction(signal, &former[signal], nullptr);
}

void InstallOnce()
{
    static const bool installed = [] {
        struct sigaction action {};
        action.sa_handler = OnCrash;
        sigemptyset(&action.sa_mask);
        for (int signal : kCrashSignals)
            sigaction(signal, &action, &former[signal]);
        return true;
    }();
    (void)installed;
}

}  // namespace

void NoteTrial(const std::string& trial)
{
    InstallOnce();
    noteLength = 0;
    const int length = std::snprintf(note, sizeof note, "\nCrashed in the fault trial of %s\n", trial.c_str());
    noteLength = length < 0 ? 0 : std::min<int>(length, sizeof note - 1);
}

void ClearTrialNote()
{
    noteLength = 0;
}

}  // namespace skarnel::test
