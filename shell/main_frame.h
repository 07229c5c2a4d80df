#pragma once

#include "link/connection_factory.h"
#include "link/serial_port_id.h"
#include "shell/view_registry.h"
#include "shell/view_table.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMdiArea;
class QToolBar;

namespace skarnel {

class CApp_Settings;
class CFunction_View;
class CLive_Telemetry_Hub;
class CMenu_Pane;
class CUi_Call_Queue;
class CView_Frame;
class LiveLogControl;

struct MainFrameOptions {
    // A port given on the command line; it wins over the search and the stored port.
    std::optional<SerialPortId> commandLinePort;
    std::filesystem::path sysfsRoot = "/sys";
    // The folder whose changes tell the Port Select dialog that devices came or went.
    QString deviceFolder = "/dev";
    bool showSplash = true;
    std::function<void(ViewRegistry&)> registerViews = RegisterViews;
    // Makes every connection the views open; tests put a simulated controller behind it.
    std::shared_ptr<ConnectionFactory> connections = std::make_shared<PosixConnectionFactory>();
};

// The main window: menus, toolbar, status bar, the menu pane and one child frame per function.
class CMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    static constexpr unsigned kBaudRate = 115200;

    CMainFrame(CApp_Settings& settings, MainFrameOptions options = {});
    ~CMainFrame() override;

    // The port every job opens, and the fixed baud rate.
    const SerialPortId& PortId() const { return port_; }
    unsigned BaudRate() const { return kBaudRate; }
    ConnectionFactory& Connections() const { return *options_.connections; }
    int Language() const { return language_; }
    CApp_Settings& Settings() const { return settings_; }
    const MainFrameOptions& Options() const { return options_; }
    // The per-user application folder; empty when it could not be created.
    const std::filesystem::path& ApplicationFolder() const { return applicationFolder_; }
    const std::filesystem::path& MapPagePath() const { return mapPagePath_; }

    void RunCommand(int commandId);
    // The menu bar's action of a command; nullptr for an unknown number.
    QAction* CommandAction(int commandId) const;
    bool IsCommandAvailable(int commandId) const;

    // Opens a view or brings its frame to the front; nullptr when refused or not built.
    CFunction_View* OpenView(int index);
    CFunction_View* FindView(int index) const;
    CView_Frame* FindFrame(int index) const;
    bool IsViewAvailable(int index) const;
    // Whether a menu-pane item or a request can do anything now.
    bool IsRequestAvailable(int request) const;

    // The open-view request: a view index, or 22 Port Select, 23 live-log start, 24 live-log
    // stop; anything else does nothing. Workers deliver it through Calls().
    void HandleRequest(int request);
    // Closes the live view of a sensor module type.
    void CloseSensorView(int sensorType);
    // Lets worker threads reach the main frame with blocking calls.
    CUi_Call_Queue& Calls() const { return *calls_; }
    // The latest live telemetry, which the live recorder and the replay feed and the live views show.
    CLive_Telemetry_Hub& LiveData() const { return *liveData_; }

    void PortSetup();
    // Makes the port current and shows it; a numbered port is also stored.
    void SetPort(const SerialPortId& port);
    void SetLanguage(int language);

    void SetLiveLogControl(std::unique_ptr<LiveLogControl> control);
    bool IsLiveLogRunning() const;
    void StartLiveLog();
    void StopLiveLog();
    void ShowAbout();

    CMenu_Pane* MenuPane() const { return menuPane_; }
    QToolBar* ToolBar() const { return toolBar_; }
    QMdiArea* MdiArea() const { return mdiArea_; }
    QString StatusPaneText(int pane) const;
    // The live log's picture and time text inside the status bar.
    QLabel* LiveLogPicture() const { return liveLogPicture_; }
    QLabel* LiveLogText() const { return liveLogText_; }
    // Shows only the toolbar buttons of these commands, and remembers the choice.
    void SetToolbarButtons(const std::vector<int>& commandIds);
    std::vector<int> ToolbarButtons() const;
    void CustomiseToolbar();
    // A close waits for running jobs to end.
    bool IsClosePending() const { return closeWhenIdle_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* MakeCommandAction(int commandId, QObject* parent);
    void UpdateCommandStates();
    void ChooseStartupPort();
    void ShowPortPane();
    void LoadToolbarButtons();
    bool AnyViewBusy() const;
    void OnViewJobEnded();

    CApp_Settings& settings_;
    MainFrameOptions options_;
    ViewRegistry registry_;
    CUi_Call_Queue* calls_;
    CLive_Telemetry_Hub* liveData_;
    SerialPortId port_;
    int language_ = 0;
    std::filesystem::path applicationFolder_;
    std::filesystem::path mapPagePath_;
    std::unique_ptr<LiveLogControl> liveLog_;
    bool closeWhenIdle_ = false;

    QMdiArea* mdiArea_ = nullptr;
    CMenu_Pane* menuPane_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::array<QLabel*, 3> statusPanes_{};
    QLabel* liveLogPicture_ = nullptr;
    QLabel* liveLogText_ = nullptr;
    std::array<QPointer<CView_Frame>, kViewCount> frames_;
    std::map<int, QAction*> menuActions_;
    std::map<int, QAction*> toolbarActions_;
    std::map<int, QAction*> toolbarSeparators_;
};

}  // namespace skarnel
