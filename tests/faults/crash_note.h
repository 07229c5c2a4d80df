#pragma once

#include <string>

namespace skarnel::test {

// Names the trial running now ("sd to pc, seed 17"), so that a crash that kills the process
// still tells which trial to run again: on SIGSEGV, SIGBUS, SIGFPE, SIGILL or SIGABRT the note
// is written to standard error before the signal takes its former course (a sanitizer's report
// included).
void NoteTrial(const std::string& trial);
void ClearTrialNote();

}  // namespace skarnel::test
