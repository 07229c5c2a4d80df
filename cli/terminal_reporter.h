#pragma once

#include "base/reporter.h"

#include <cstdio>
#include <optional>
#include <string>

namespace skarnel::cli {

struct TerminalOptions {
    bool answerYes = false;  // --yes
    bool quiet = false;      // --quiet
};

// Log texts go to stdout a line each; progress goes to stderr, and only to a terminal.
// Questions are asked on the terminal, or answered by --yes, or refused without a terminal.
// No text reaches the terminal with a control character other than its line breaks, and the
// progress line (which the next one overwrites) has none at all.
class TerminalReporter final : public Reporter {
public:
    TerminalReporter(const TerminalOptions& options, std::FILE* out, std::FILE* err, std::FILE* in);

    void ReportProgress(int position, const std::string& status) override;
    void ReportLogLine(const std::string& text) override;
    void ReportProgressRange(int maximum, int position) override;
    void ReportFailedExchange(uint32_t value, int replyCode) override;
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) override;

    // A result or a job's final text: printed even with --quiet.
    void PrintLine(const std::string& text);
    // A line of a running job's state, for the eyes only: on stderr when it is a terminal.
    void PrintTerminalLine(const std::string& text);
    // A text asked on the terminal, the suggestion taken for an empty answer or with --yes;
    // nothing without a terminal.
    std::optional<std::string> AskText(const std::string& question, const std::string& suggestion);

private:
    void EndProgressLine();

    const TerminalOptions& options_;
    std::FILE* out_;
    std::FILE* err_;
    std::FILE* in_;
    bool progressShown_ = false;
    bool progressToTerminal_ = false;
    int progressMaximum_ = 0;
};

}  // namespace skarnel::cli
