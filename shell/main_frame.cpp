#include "shell/main_frame.h"

#include "link/port_discovery.h"
#include "shell/about_dlg.h"
#include "shell/fonts.h"
#include "base/app_folder.h"
#include "shell/app_settings.h"
#include "shell/commands.h"
#include "shell/dialog_port.h"
#include "shell/function_view.h"
#include "shell/live_log_control.h"
#include "shell/menu_pane.h"
#include "shell/message_boxes.h"
#include "shell/settings_keys.h"
#include "shell/splash_wnd.h"
#include "shell/startup_port.h"
#include "shell/status_texts.h"
#include "shell/ui_call_queue.h"
#include "shell/view_frame.h"
#include "telemetry/views/live_telemetry_hub.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>

namespace skarnel {
namespace {

constexpr int kSplashMs = 3000;
constexpr int kMenuPaneWidth = 250;

}  // namespace

CMainFrame::CMainFrame(CApp_Settings& settings, MainFrameOptions options)
    : settings_(settings), options_(std::move(options)), calls_(new CUi_Call_Queue(this)),
      liveData_(new CLive_Telemetry_Hub(this))
{
    LoadMetricCompatibleFonts();
    if (options_.showSplash)
        CSplashWnd::ShowFor(kSplashMs);
    if (options_.registerViews)
        options_.registerViews(registry_);
    std::string error;
    if (std::optional<std::filesystem::path> folder = EnsureApplicationFolder(error)) {
        applicationFolder_ = *folder;
        mapPagePath_ = skarnel::MapPagePath(*folder);
    }

    setWindowTitle("Skarnel.    Version-S3.5");
    mdiArea_ = new QMdiArea(this);
    // A view larger than the area (at a high scale) is scrolled to, not cut off.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    language_ = settings_.ReadInt(kKeyCurrentLanguage, 0);
    menuPane_ = new CMenu_Pane(*this, language_);
    addDockWidget(Qt::LeftDockWidgetArea, menuPane_);
    resizeDocks({menuPane_}, {kMenuPaneWidth}, Qt::Horizontal);
    ChooseStartupPort();
    liveLog_ = registry_.CreateLiveLog(*this);
    UpdateCommandStates();
}

CMainFrame::~CMainFrame()
{
    // A recording and the frames wait for their jobs while the main frame is still whole.
    liveLog_.reset();
    for (QPointer<CView_Frame>& frame : frames_)
        delete frame.data();
}

void CMainFrame::ChooseStartupPort()
{
    const int bridge = FindPortByDeviceName("CP210", options_.sysfsRoot);
    const int stored = settings_.ReadInt(kKeyDownloadPortNumber, kNoStoredPort);
    const StartupPort choice = skarnel::ChooseStartupPort(options_.commandLinePort, bridge, stored);
    port_ = choice.port;
    if (choice.store)
        settings_.WriteInt(kKeyDownloadPortNumber, port_.Number());
    ShowPortPane();
}

void CMainFrame::ShowPortPane()
{
    statusPanes_[0]->setText(QString::fromStdString(PortPaneText(port_)));
}

QString CMainFrame::StatusPaneText(int pane) const
{
    return statusPanes_.at(static_cast<size_t>(pane))->text();
}

void CMainFrame::RunCommand(int commandId)
{
    const std::optional<CommandTarget> target = TargetOfCommand(commandId);
    if (!target || !IsCommandAvailable(commandId))
        return;
    switch (target->action) {
    case CommandAction::OpenView: OpenView(target->value); break;
    case CommandAction::PortSetup: PortSetup(); break;
    case CommandAction::LiveLogStart: StartLiveLog(); break;
    case CommandAction::LiveLogStop: StopLiveLog(); break;
    case CommandAction::About: ShowAbout(); break;
    case CommandAction::Language: SetLanguage(target->value); break;
    }
}

QAction* CMainFrame::CommandAction(int commandId) const
{
    const auto found = menuActions_.find(commandId);
    return found == menuActions_.end() ? nullptr : found->second;
}

bool CMainFrame::IsCommandAvailable(int commandId) const
{
    const std::optional<CommandTarget> target = TargetOfCommand(commandId);
    if (!target)
        return false;
    switch (target->action) {
    case CommandAction::OpenView: return IsViewAvailable(target->value);
    case CommandAction::LiveLogStart:
    case CommandAction::LiveLogStop: return liveLog_ != nullptr;
    default: return true;
    }
}

bool CMainFrame::IsViewAvailable(int index) const
{
    return registry_.Has(index);
}

bool CMainFrame::IsRequestAvailable(int request) const
{
    if (request == kRequestPortSelect)
        return true;
    if (request == kRequestLiveLogStart || request == kRequestLiveLogStop)
        return liveLog_ != nullptr;
    return IsViewAvailable(request);
}

void CMainFrame::UpdateCommandStates()
{
    for (auto& [id, action] : menuActions_)
        action->setEnabled(IsCommandAvailable(id));
    for (auto& [id, action] : toolbarActions_)
        action->setEnabled(IsCommandAvailable(id));
    menuPane_->UpdateItemStates();
}

CView_Frame* CMainFrame::FindFrame(int index) const
{
    return IsViewIndex(index) ? frames_[static_cast<size_t>(index)].data() : nullptr;
}

CFunction_View* CMainFrame::FindView(int index) const
{
    CView_Frame* frame = FindFrame(index);
    return frame ? frame->View() : nullptr;
}

CFunction_View* CMainFrame::OpenView(int index)
{
    if (index == kViewLogSensor && IsLiveLogRunning()) {
        ShowMessageBox(this, "Live Log Monitoring", "Log View");
        return nullptr;
    }
    if (CView_Frame* frame = FindFrame(index)) {
        // An active frame keeps its state unless it is minimised.
        if (mdiArea_->activeSubWindow() != frame) {
            mdiArea_->setActiveSubWindow(frame);
            frame->showNormal();
        } else if (frame->isMinimized()) {
            frame->showNormal();
        }
        return frame->View();
    }
    CFunction_View* view = registry_.Create(index, *this);
    if (!view)
        return nullptr;
    auto* frame = new CView_Frame(ViewSpecFor(index), view);
    connect(view, &CFunction_View::JobEnded, this, &CMainFrame::OnViewJobEnded);
    // A closed frame is gone for the table at once, though Qt deletes it a moment later.
    connect(frame, &CView_Frame::Closed, this, [this, index] { frames_[static_cast<size_t>(index)] = nullptr; });
    frames_[static_cast<size_t>(index)] = frame;
    mdiArea_->addSubWindow(frame);
    frame->show();
    mdiArea_->setActiveSubWindow(frame);
    return view;
}

void CMainFrame::HandleRequest(int request)
{
    if (!IsRequestAvailable(request))
        return;
    switch (request) {
    case kRequestPortSelect: PortSetup(); break;
    case kRequestLiveLogStart: StartLiveLog(); break;
    case kRequestLiveLogStop: StopLiveLog(); break;
    default: OpenView(request); break;
    }
}

void CMainFrame::CloseSensorView(int sensorType)
{
    if (CView_Frame* frame = FindFrame(SensorViewIndex(sensorType)))
        frame->close();
}

void CMainFrame::PortSetup()
{
    CDialog_Port dialog(options_.sysfsRoot, options_.deviceFolder, this, port_);
    if (dialog.exec() == QDialog::Accepted)
        SetPort(dialog.ChosenPort());
}

void CMainFrame::SetPort(const SerialPortId& port)
{
    port_ = port;
    if (port_.Number() > 0)
        settings_.WriteInt(kKeyDownloadPortNumber, port_.Number());
    ShowPortPane();
}

void CMainFrame::SetLanguage(int language)
{
    if (language == language_)
        return;
    language_ = language;
    settings_.WriteInt(kKeyCurrentLanguage, language_);
    menuPane_->RelabelMenuTree(language_);
    for (int index : {kViewLogSensor, kViewLiveSensorVario}) {
        if (CFunction_View* view = FindView(index))
            view->OnLanguageChanged(language_);
    }
}

void CMainFrame::SetLiveLogControl(std::unique_ptr<LiveLogControl> control)
{
    liveLog_ = std::move(control);
    UpdateCommandStates();
}

bool CMainFrame::IsLiveLogRunning() const
{
    return liveLog_ && liveLog_->IsRunning();
}

void CMainFrame::StartLiveLog()
{
    if (!liveLog_ || liveLog_->IsRunning())
        return;
    if (FindFrame(kViewLogSensor)) {
        ShowMessageBox(this, "File Log View", "Live Log");
        return;
    }
    if (!liveLog_->Start(*this)) {
        ShowMessageBox(this, "Port Open Fail", "Fail");
        return;
    }
    OpenView(kViewLiveLogDbm);
    OpenView(kViewLiveSensorReceiver);
}

void CMainFrame::StopLiveLog()
{
    if (liveLog_)
        liveLog_->RequestStop();
}

void CMainFrame::ShowAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

bool CMainFrame::AnyViewBusy() const
{
    for (const QPointer<CView_Frame>& frame : frames_) {
        if (frame && frame->View()->IsBusy())
            return true;
    }
    return false;
}

void CMainFrame::OnViewJobEnded()
{
    if (closeWhenIdle_ && !AnyViewBusy())
        close();
}

// Live logging refuses the close; running jobs are asked to stop and the window closes
// when the last has ended.
void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (IsLiveLogRunning()) {
        ShowMessageBox(this, "Live Log Monitoring      ", "Turn Off", MessageIcon::Warning);
        event->ignore();
        return;
    }
    if (AnyViewBusy()) {
        for (const QPointer<CView_Frame>& frame : frames_) {
            if (frame)
                frame->View()->RequestStop();
        }
        closeWhenIdle_ = true;
        // The close waits for the jobs' stop, which may take a controller's time-out.
        statusPanes_[2]->setText(" The window closes when the job ends");
        event->ignore();
        return;
    }
    closeWhenIdle_ = false;
    QMainWindow::closeEvent(event);
}

}  // namespace skarnel
