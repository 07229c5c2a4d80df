#include "cli/terminal_reporter.h"

#include "base/printable_text.h"
#include "link/reply_codes.h"

#include <unistd.h>

namespace skarnel::cli {

TerminalReporter::TerminalReporter(const TerminalOptions& options, std::FILE* out, std::FILE* err, std::FILE* in)
    : options_(options), out_(out), err_(err), in_(in), progressToTerminal_(::isatty(::fileno(err)) != 0)
{
}

void TerminalReporter::EndProgressLine()
{
    if (!progressShown_)
        return;
    std::fputc('\n', err_);
    progressShown_ = false;
}

void TerminalReporter::ReportProgress(int position, const std::string& status)
{
    if (!progressToTerminal_ || options_.quiet)
        return;
    if (progressMaximum_ > 0)
        std::fprintf(err_, "\r\033[K[%d/%d] %s", position, progressMaximum_, PrintableName(status).c_str());
    else
        std::fprintf(err_, "\r\033[K%s", PrintableName(status).c_str());
    std::fflush(err_);
    progressShown_ = true;
}

void TerminalReporter::ReportProgressRange(int maximum, int)
{
    progressMaximum_ = maximum;
}

void TerminalReporter::ReportLogLine(const std::string& text)
{
    if (options_.quiet)
        return;
    EndProgressLine();
    std::fprintf(out_, "%s\n", PrintableText(text).c_str());
    std::fflush(out_);
}

void TerminalReporter::ReportFailedExchange(uint32_t value, int replyCode)
{
    ReportLogLine(ReplyCodeText(ReplyTextTable::Standard, replyCode, value));
}

void TerminalReporter::ShowMessage(const std::string& text, const std::string&, MessageIcon)
{
    ReportLogLine(text);
}

bool TerminalReporter::AskYesNo(const std::string& text, const std::string& title, MessageIcon)
{
    EndProgressLine();
    if (options_.answerYes)
        return true;
    if (::isatty(::fileno(in_)) == 0) {
        std::fprintf(err_, "%s: %s\nNo terminal to answer on; answering No (use --yes to agree).\n", title.c_str(),
                     PrintableText(text).c_str());
        return false;
    }
    std::fprintf(err_, "%s: %s [y/N] ", title.c_str(), PrintableText(text).c_str());
    std::fflush(err_);
    char answer[16] = {};
    if (!std::fgets(answer, sizeof answer, in_))
        return false;
    return answer[0] == 'y' || answer[0] == 'Y';
}

void TerminalReporter::PrintTerminalLine(const std::string& text)
{
    if (!progressToTerminal_ || options_.quiet)
        return;
    EndProgressLine();
    std::fprintf(err_, "%s\n", PrintableName(text).c_str());
    std::fflush(err_);
}

std::optional<std::string> TerminalReporter::AskText(const std::string& question, const std::string& suggestion)
{
    EndProgressLine();
    if (options_.answerYes)
        return suggestion;
    if (::isatty(::fileno(in_)) == 0) {
        std::fprintf(err_, "%s: no terminal to answer on (use --yes to take %s).\n", question.c_str(),
                     PrintableName(suggestion).c_str());
        return std::nullopt;
    }
    std::fprintf(err_, "%s [%s]: ", question.c_str(), PrintableName(suggestion).c_str());
    std::fflush(err_);
    char answer[4096] = {};
    if (!std::fgets(answer, sizeof answer, in_))
        return std::nullopt;
    std::string text(answer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text.empty() ? suggestion : text;
}

void TerminalReporter::PrintLine(const std::string& text)
{
    EndProgressLine();
    std::fprintf(out_, "%s\n", PrintableText(text).c_str());
    std::fflush(out_);
}

}  // namespace skarnel::cli
