#pragma once

#include "shell/function_view.h"
#include "telemetry/map_page.h"

#include <filesystem>

class QComboBox;
class QPushButton;

namespace skarnel {

class CExplorer;

// "GPS - Google Map": the page of the last replayed log's flight path in a browser. "Load
// Latest Path" and a replay's notification show the page when it exists; the chooser picks
// the street map (the default) or the map provider's page, and is remembered.
class CGPS_Map_View final : public CFunction_View {
    Q_OBJECT
public:
    explicit CGPS_Map_View(CMainFrame& mainFrame);

    // Shows the chosen page if it can be opened for reading; otherwise leaves the browser as it is.
    void LoadLatestPath();
    MapPageKind PageKind() const;
    void SetPageKind(MapPageKind kind);
    // The page file the view shows for its choice.
    std::filesystem::path PageFile() const;

    QPushButton* LoadButton() const { return load_; }
    QComboBox* PageChooser() const { return chooser_; }
    CExplorer* Browser() const { return browser_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnNewData(int view);

    QPushButton* load_;
    QComboBox* chooser_;
    CExplorer* browser_;
};

}  // namespace skarnel
