#include "shell/view_reporter.h"

#include "link/reply_codes.h"
#include "shell/message_boxes.h"
#include "shell/ui_call_queue.h"
#include "shell/work_view.h"

namespace skarnel {

void CView_Reporter::ReportProgress(int position, const std::string& status)
{
    view_.Calls().Call([&] { view_.SetProgress(position, QString::fromStdString(status)); });
}

void CView_Reporter::ReportLogLine(const std::string& text)
{
    view_.AppendLogLine(text);
}

void CView_Reporter::ReportProgressRange(int maximum, int position)
{
    view_.Calls().Post([this, maximum, position] { view_.SetProgressRange(maximum, position); });
}

void CView_Reporter::ReportFailedExchange(uint32_t value, int replyCode)
{
    view_.AppendLogLine(ReplyCodeText(view_.ReplyTable(), replyCode, value));
}

void CView_Reporter::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon)
{
    view_.Calls().Call(
        [&] { ShowMessageBox(&view_, QString::fromStdString(text), QString::fromStdString(title), icon); });
}

bool CView_Reporter::AskYesNo(const std::string& text, const std::string& title, MessageIcon icon)
{
    bool yes = false;
    view_.Calls().Call(
        [&] { yes = AskYesNoBox(&view_, QString::fromStdString(text), QString::fromStdString(title), icon); });
    return yes;
}

}  // namespace skarnel
