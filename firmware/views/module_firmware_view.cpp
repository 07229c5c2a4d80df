#include "firmware/views/module_firmware_view.h"

#include "base/format.h"
#include "base/reporter.h"
#include "link/connection_factory.h"
#include "link/download_function.h"
#include "link/product_info.h"
#include "link/rs232.h"
#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "shell/view_table.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace skarnel {
namespace {

constexpr const char* kModuleFileFilter = "Module Upgrade Binary File(*.bin)|*.bin|ALL Filess(*.*)|*.*||";
constexpr uint8_t kModuleCommandGroup = 6;
constexpr uint8_t kFirstModuleCommand = 0x30;
constexpr int kPanelHeight = 30;

}  // namespace

CModule_Firmware_View::CModule_Firmware_View(CMainFrame& mainFrame)
    : CFirmware_View(mainFrame, kViewModuleFirmware), commandChoice_(new QComboBox(this)),
      payloadBox_(new QLineEdit(this)), sendCommandButton_(new QPushButton("Button1", this))
{
    for (const char* command : kModuleCommands)
        commandChoice_->addItem(command);
    commandChoice_->setCurrentIndex(0);
    connect(sendCommandButton_, &QPushButton::clicked, this, &CModule_Firmware_View::SendCommand);
    bottomReserve_ = kPanelHeight + 10;
    LayOut();
    PlaceCommandPanel();
}

const char* CModule_Firmware_View::FileFilter() const
{
    return kModuleFileFilter;
}

// The module file's format is not known here, so any file is taken as it is.
bool CModule_Firmware_View::AcceptFile(const QString&)
{
    return true;
}

void CModule_Firmware_View::LogProduct(const ProductInfo& info)
{
    Reporter& window = ViewReporter();
    window.ReportLogLine("Product Information Read From Controller");
    window.ReportLogLine(Format("   >> AppPCode:%d,  AppVer:%d,  BootPCode:%d,  BootVer:%d", info.AppPCode, info.AppVer,
                                info.BootPCode, info.BootVer));
    window.ReportLogLine(ProductNameLogLine(info));
}

// The module upgrade has no procedure yet: the job ends at once through the usual end, so
// the buttons come back instead of the view staying in its running state for good.
void CModule_Firmware_View::DownloadStart()
{
    if (Port().IsConnected() || FullPath().isEmpty())
        return;
    SetProductLines(BlankProductLines());
    if (!StartJob([](CDownload_Function&) { return JobOutcome{true, {}, {}, {}}; }))
        return;
    AppendLogLine("Module Download Process Start!!");
    RememberFile();
}

std::vector<uint8_t> CModule_Firmware_View::CommandPayload(const QString& text)
{
    std::vector<uint8_t> payload;
    for (const QChar character : text)
        payload.push_back(static_cast<uint8_t>(character.unicode() & 0xFF));
    payload.push_back(0);
    return payload;
}

void CModule_Firmware_View::SendCommand()
{
    const QString text = payloadBox_->text();
    if (text.isEmpty())
        return;
    const std::vector<uint8_t> payload = CommandPayload(text);
    CopyPortFromMainFrame();
    std::unique_ptr<CRS232> port = MainFrame().Connections().MakeConnection();
    if (!port->OpenPort(PortId(), BaudRate())) {
        ShowMessageBox(this, "Port Open Fail", "Fail");
        return;
    }
    CDownload_Function link(*port, ViewReporter());
    link.groupId = kModuleCommandGroup;
    const auto code = static_cast<uint8_t>(kFirstModuleCommand + commandChoice_->currentIndex());
    const size_t written =
        link.SendFrame(static_cast<uint16_t>(payload.size()), payload.data(), kModuleCommandGroup, code);
    if (written == 0)
        ShowMessageBox(this, "Command Send Fail", "Fail");
    port->ClosePort();
}

void CModule_Firmware_View::resizeEvent(QResizeEvent* event)
{
    CFirmware_View::resizeEvent(event);
    PlaceCommandPanel();
}

void CModule_Firmware_View::PlaceCommandPanel()
{
    const int y = height() - kPanelHeight - 5;
    const int choiceWidth = commandChoice_->sizeHint().width();
    const int buttonWidth = sendCommandButton_->sizeHint().width() + 20;
    commandChoice_->setGeometry(10, y, choiceWidth, kPanelHeight);
    sendCommandButton_->setGeometry(width() - buttonWidth - 10, y, buttonWidth, kPanelHeight);
    payloadBox_->setGeometry(choiceWidth + 20, y, width() - choiceWidth - buttonWidth - 40, kPanelHeight);
}

}  // namespace skarnel
