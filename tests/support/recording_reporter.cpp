#include "tests/support/recording_reporter.h"

namespace skarnel::test {

void RecordingReporter::Add(Event event)
{
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
}

void RecordingReporter::ReportProgress(int position, const std::string& status)
{
    Add({Event::Progress, status, position, 0});
}

void RecordingReporter::ReportLogLine(const std::string& text)
{
    Add({Event::LogLine, text, 0, 0});
}

void RecordingReporter::ReportProgressRange(int maximum, int position)
{
    Add({Event::ProgressRange, {}, maximum, static_cast<uint32_t>(position)});
}

void RecordingReporter::ReportFailedExchange(uint32_t value, int replyCode)
{
    Add({Event::FailedExchange, {}, replyCode, value});
}

void RecordingReporter::ShowMessage(const std::string& text, const std::string& title, MessageIcon)
{
    Add({Event::Message, text + "|" + title, 0, 0});
}

bool RecordingReporter::AskYesNo(const std::string& text, const std::string& title, MessageIcon)
{
    Add({Event::Question, text + "|" + title, 0, 0});
    std::lock_guard lock(mutex_);
    return answer_;
}

std::vector<RecordingReporter::Event> RecordingReporter::Events() const
{
    std::lock_guard lock(mutex_);
    return events_;
}

std::vector<std::string> RecordingReporter::LogLines() const
{
    std::vector<std::string> lines;
    for (const Event& event : Events())
        if (event.kind == Event::LogLine)
            lines.push_back(event.text);
    return lines;
}

std::vector<int> RecordingReporter::FailedCodes() const
{
    std::vector<int> codes;
    for (const Event& event : Events())
        if (event.kind == Event::FailedExchange)
            codes.push_back(event.number);
    return codes;
}

std::vector<std::string> RecordingReporter::Messages() const
{
    std::vector<std::string> texts;
    for (const Event& event : Events())
        if (event.kind == Event::Message)
            texts.push_back(event.text);
    return texts;
}

void RecordingReporter::Clear()
{
    std::lock_guard lock(mutex_);
    events_.clear();
}

}  // namespace skarnel::test
