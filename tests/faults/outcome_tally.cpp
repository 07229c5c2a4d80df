#include "tests/faults/outcome_tally.h"

#include "base/format.h"
#include "base/printable_text.h"

#include <algorithm>

namespace skarnel::test {
namespace {

struct Column {
    const char* title;
    Verdict verdict;
};

constexpr Column kVerdictColumns[] = {
    {"successes", Verdict::Success}, {"failures", Verdict::Failure}, {"wrong successes", Verdict::WrongSuccess},
    {"hangs", Verdict::Hang},        {"crashes", Verdict::Crash},    {"nameless failures", Verdict::NamelessFailure},
};

constexpr int kJobWidth = 22;

// Failure texts can be long lines with a path in them; the first line names the failure.
std::string FirstLine(const std::string& text)
{
    return PrintableText(text.substr(0, text.find_first_of("\r\n")));
}

void PrintRows(const std::vector<JobTally>& tallies, std::ostream& out)
{
    double seconds = 0;
    out << Format("%-*s %8s", kJobWidth, "job", "trials");
    for (const Column& column : kVerdictColumns)
        out << Format(" %*s", static_cast<int>(std::string(column.title).size()), column.title);
    out << " longest (virtual s) run time (s)\n";
    for (const JobTally& entry : tallies) {
        out << Format("%-*s %8d", kJobWidth, entry.job.c_str(), entry.tally.Trials());
        for (const Column& column : kVerdictColumns)
            out << Format(" %*d", static_cast<int>(std::string(column.title).size()),
                          entry.tally.Count(column.verdict));
        out << Format(" %19.1f %12.1f\n", static_cast<double>(entry.tally.LongestMs()) / 1000.0, entry.seconds);
        seconds += entry.seconds;
    }
    out << Format("run time of all trials: %.1f s\n", seconds);
}

void PrintFailures(const JobTally& entry, std::ostream& out)
{
    std::vector<std::pair<std::string, int>> failures(entry.tally.FailuresByText().begin(),
                                                      entry.tally.FailuresByText().end());
    std::stable_sort(failures.begin(), failures.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    out << entry.job << " failures by final text:\n";
    for (const auto& [text, count] : failures)
        out << Format("  %6d  %s\n", count, text.c_str());
}

void PrintBadTrials(const JobTally& entry, std::ostream& out)
{
    for (const OutcomeTally::BadTrial& bad : entry.tally.BadTrials()) {
        out << Format("BAD %s seed %u: %s after %d requests, %.1f virtual s\n  faults: %s\n", entry.job.c_str(),
                      bad.seed, FirstLine(bad.result.text).c_str(), bad.result.requests,
                      static_cast<double>(bad.result.virtualMs) / 1000.0, bad.faults.c_str());
        for (const std::string& line : bad.result.logTail)
            out << "  log: " << PrintableText(line) << "\n";
    }
}

}  // namespace

void OutcomeTally::Add(uint32_t seed, const FaultMix& mix, const TrialResult& result)
{
    ++trials_;
    ++verdicts_[result.verdict];
    if (result.verdict == Verdict::Failure)
        ++failures_[FirstLine(result.text)];
    if (IsBad(result.verdict))
        bad_.push_back({seed, mix.description, result});
    longestMs_ = std::max(longestMs_, result.virtualMs);
}

int OutcomeTally::Count(Verdict verdict) const
{
    const auto found = verdicts_.find(verdict);
    return found == verdicts_.end() ? 0 : found->second;
}

void PrintSummary(const std::vector<JobTally>& tallies, std::ostream& out)
{
    out << "\nFault trials\n";
    PrintRows(tallies, out);
    for (const JobTally& entry : tallies)
        PrintFailures(entry, out);
    for (const JobTally& entry : tallies)
        PrintBadTrials(entry, out);
}

}  // namespace skarnel::test
