#pragma once

#include "base/reporter.h"

#include <mutex>
#include <string>
#include <vector>

namespace skarnel::test {

// Keeps every report, in order; answers questions from a script (default: Yes).
class RecordingReporter final : public Reporter {
public:
    struct Event {
        enum Kind { Progress, LogLine, ProgressRange, FailedExchange, Message, Question } kind;
        std::string text;
        int number = 0;  // position, maximum or reply code
        uint32_t value = 0;
    };

    void ReportProgress(int position, const std::string& status) override;
    void ReportLogLine(const std::string& text) override;
    void ReportProgressRange(int maximum, int position) override;
    void ReportFailedExchange(uint32_t value, int replyCode) override;
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) override;

    void AnswerQuestionsWith(bool yes) { answer_ = yes; }
    std::vector<Event> Events() const;
    std::vector<std::string> LogLines() const;
    std::vector<int> FailedCodes() const;
    std::vector<std::string> Messages() const;
    void Clear();

private:
    void Add(Event event);

    mutable std::mutex mutex_;
    std::vector<Event> events_;
    bool answer_ = true;
};

}  // namespace skarnel::test
