#include "shell/view_registry.h"

#include "shell/live_log_control.h"

namespace skarnel {

void ViewRegistry::Register(int index, ViewFactory factory)
{
    if (IsViewIndex(index))
        factories_[static_cast<size_t>(index)] = std::move(factory);
}

bool ViewRegistry::Has(int index) const
{
    return IsViewIndex(index) && factories_[static_cast<size_t>(index)] != nullptr;
}

CFunction_View* ViewRegistry::Create(int index, CMainFrame& mainFrame) const
{
    return Has(index) ? factories_[static_cast<size_t>(index)](mainFrame) : nullptr;
}

std::unique_ptr<LiveLogControl> ViewRegistry::CreateLiveLog(CMainFrame& mainFrame) const
{
    return liveLog_ ? liveLog_(mainFrame) : nullptr;
}

}  // namespace skarnel
