#pragma once

#include <cstdint>
#include <string>

namespace skarnel {

enum class MessageIcon { None, Information, Warning, Error, Question };

// What a job tells the window that owns it. The core calls these from whatever thread runs
// the job; each call returns only when the receiver has handled it, so a text argument
// needs to live only for the call. ReportProgressRange may be delivered without waiting.
class Reporter {
public:
    virtual ~Reporter() = default;

    // Progress position and the text of the status line.
    virtual void ReportProgress(int position, const std::string& status) = 0;
    // One line of the job log.
    virtual void ReportLogLine(const std::string& text) = 0;
    // The progress range 0..maximum and the position within it.
    virtual void ReportProgressRange(int maximum, int position) = 0;
    // An exchange failed with a reply code (or the local time-out code) and a value.
    virtual void ReportFailedExchange(uint32_t value, int replyCode) = 0;

    virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    virtual bool AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

// Drops every report and answers No. Stands in when a job has no window.
class NullReporter final : public Reporter {
public:
    void ReportProgress(int, const std::string&) override {}
    void ReportLogLine(const std::string&) override {}
    void ReportProgressRange(int, int) override {}
    void ReportFailedExchange(uint32_t, int) override {}
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
    bool AskYesNo(const std::string&, const std::string&, MessageIcon) override { return false; }

    static NullReporter& Instance();
};

// The title of the application's own message boxes.
inline constexpr const char* kApplicationTitle = "Skarnel";

}  // namespace skarnel
