#pragma once

#include "base/reporter.h"

namespace skarnel {

class CWork_View;

// A job's reports delivered to its view on the user-interface thread. From a worker each call
// waits until the view has handled it (the progress range is only posted); on the
// user-interface thread the view handles it at once.
class CView_Reporter final : public Reporter {
public:
    explicit CView_Reporter(CWork_View& view) : view_(view) {}

    void ReportProgress(int position, const std::string& status) override;
    void ReportLogLine(const std::string& text) override;
    void ReportProgressRange(int maximum, int position) override;
    void ReportFailedExchange(uint32_t value, int replyCode) override;
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) override;

private:
    CWork_View& view_;
};

}  // namespace skarnel
