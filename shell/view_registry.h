#pragma once

#include "shell/view_table.h"

#include <array>
#include <functional>
#include <memory>

namespace skarnel {

class CFunction_View;
class CMainFrame;
class LiveLogControl;

using ViewFactory = std::function<CFunction_View*(CMainFrame& mainFrame)>;
using LiveLogFactory = std::function<std::unique_ptr<LiveLogControl>(CMainFrame& mainFrame)>;

// Which views this build has, by view index. A view index without a factory is not built
// yet: its commands and menu-pane items stay disabled.
class ViewRegistry {
public:
    void Register(int index, ViewFactory factory);
    bool Has(int index) const;
    // A new view for the index; nullptr when none is registered.
    CFunction_View* Create(int index, CMainFrame& mainFrame) const;
    // The main frame's live logging; without it the live-log commands stay disabled.
    void RegisterLiveLog(LiveLogFactory factory) { liveLog_ = std::move(factory); }
    std::unique_ptr<LiveLogControl> CreateLiveLog(CMainFrame& mainFrame) const;

private:
    std::array<ViewFactory, kViewCount> factories_;
    LiveLogFactory liveLog_;
};

// Registers every view of the application: one line per view (view_catalog.cpp).
void RegisterViews(ViewRegistry& registry);

}  // namespace skarnel
