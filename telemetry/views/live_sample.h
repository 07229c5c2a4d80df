#pragma once

#include <string>

namespace skarnel {

class CMainFrame;

// Feeds the main frame's live telemetry with a whole recorded log, as a recording of it would
// have left it, and tells every live view; for pictures of the views during a flight. False
// when the log was refused.
bool FeedLiveSample(CMainFrame& mainFrame, const std::string& path);

}  // namespace skarnel
