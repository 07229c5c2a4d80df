#pragma once

#include "base/reporter.h"

namespace skarnel::fuzz {

// Takes every report without showing it and answers Yes to every question, so that a job
// goes as far as its input lets it. A failed exchange is put into words as the views do, since
// its reply code and value come from the controller.
class AgreeingReporter final : public Reporter {
public:
    void ReportProgress(int, const std::string&) override {}
    void ReportLogLine(const std::string&) override {}
    void ReportProgressRange(int, int) override {}
    void ReportFailedExchange(uint32_t value, int replyCode) override;
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
    bool AskYesNo(const std::string&, const std::string&, MessageIcon) override { return true; }
};

}  // namespace skarnel::fuzz
