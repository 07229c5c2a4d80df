#include "tests/faults/trial_runner.h"

#include "tests/faults/trial_rig.h"

#include <algorithm>
#include <exception>

namespace skarnel::test {
namespace {

constexpr size_t kLogTailLines = 4;

std::vector<std::string> LogTail(const RecordingReporter& window)
{
    const std::vector<std::string> lines = window.LogLines();
    const size_t from = lines.size() - std::min(lines.size(), kLogTailLines);
    return {lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end()};
}

// The text a failure names itself by: its final text, else its box.
std::string FailureText(const JobOutcome& outcome)
{
    return outcome.finalText.empty() ? outcome.boxText : outcome.finalText;
}

Verdict Judge(const JobOutcome& outcome, TrialJob& job, TrialRig& rig)
{
    if (outcome.succeeded)
        return job.Delivered(rig) ? Verdict::Success : Verdict::WrongSuccess;
    return FailureText(outcome).empty() ? Verdict::NamelessFailure : Verdict::Failure;
}

}  // namespace

bool IsBad(Verdict verdict)
{
    return verdict != Verdict::Success && verdict != Verdict::Failure;
}

TrialResult RunTrial(const TrialJobKind& kind, const FaultMix& mix)
{
    const std::unique_ptr<TrialJob> job = kind.make();
    TrialRig rig(job->Controller(), kTrialLimitMs);
    job->Prepare(rig);
    rig.Strike(mix);
    TrialResult result;
    try {
        const JobOutcome outcome = job->Run(rig);
        result.verdict = Judge(outcome, *job, rig);
        result.text = FailureText(outcome);
    } catch (const TrialHang& hang) {
        result.verdict = Verdict::Hang;
        result.text = hang.what();
    } catch (const std::exception& error) {
        result.verdict = Verdict::Crash;
        result.text = std::string("exception: ") + error.what();
    }
    result.requests = rig.Requests();
    result.virtualMs = rig.clock.ElapsedMs();
    result.logTail = LogTail(rig.window);
    return result;
}

}  // namespace skarnel::test
