#pragma once

#include <QStringList>

#include <string>

namespace skarnel {

class CMainFrame;

// Opens the file log viewer (view 7) with the log loaded whole and, when names are given
// ("Channel: Ch01"), checks those columns of its plot and shows the "Plot" tab; for pictures of
// the viewer. False, with the reason, when the log or a name is refused.
bool ShowLogSample(CMainFrame& mainFrame, const std::string& path, const QStringList& plotColumns, QString& error);

}  // namespace skarnel
