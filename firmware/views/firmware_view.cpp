#include "firmware/views/firmware_view.h"

#include "firmware/firmware_file.h"
#include "firmware/firmware_upgrade.h"
#include "link/product_info.h"
#include "shell/app_settings.h"
#include "shell/file_dialogs.h"
#include "shell/label.h"
#include "shell/main_frame.h"
#include "shell/settings_keys.h"
#include "shell/ui_call_queue.h"
#include "shell/view_table.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

namespace skarnel {
namespace {

constexpr int kLogColumnWidth = 550;
constexpr int kWarningFontHeight = 27;
constexpr const char* kUpgradeFileFilter = "Upgrade Binary File(*.bin)|*.bin|ALL Filess(*.*)|*.*||";

// The warnings grow with the room beside the product box.
int WarningFontHeight(int room)
{
    if (room > 500)
        return 31;
    if (room > 480)
        return 29;
    if (room > 440)
        return 27;
    if (room > 400)
        return 25;
    if (room > 380)
        return 23;
    return 20;
}

CLabel* CreateWarningLabel(const char* text, QWidget* parent)
{
    auto* label = new CLabel(text, parent);
    label->SetViewStyle(kWarningFontHeight);
    label->hide();
    return label;
}

}  // namespace

CFirmware_View::CFirmware_View(CMainFrame& mainFrame) : CFirmware_View(mainFrame, kViewFirmware) {}

CFirmware_View::CFirmware_View(CMainFrame& mainFrame, int viewIndex)
    : CWork_View(mainFrame, viewIndex, ReplyTextTable::Firmware), pathBox_(new QLineEdit(this)),
      productGroup_(new QGroupBox(" [ Product Info ] ", this)), productLines_{},
      productInfoButton_(new QPushButton("Product Info Read", this)),
      downloadButton_(new QPushButton("Download Start", this)), browseButton_(new QPushButton("File Browse", this)),
      cableLabel_(CreateWarningLabel("Do Not Remove The USB Cable", this)),
      downloadLabel_(CreateWarningLabel("During Firmware Download     ", this))
{
    pathBox_->setReadOnly(true);
    productGroup_->setGeometry(10, 42, 330, 123);
    for (size_t i = 0; i < productLines_.size(); ++i) {
        productLines_[i] = new QLabel(this);
        productLines_[i]->setGeometry(20, 62 + 20 * static_cast<int>(i), 310, 18);
    }
    SetProductLines(BlankProductLines());
    CreateStatusLine()->setText("standby ");
    StatusLine()->setGeometry(350, 142, 340, 22);
    CreateProgressBar();
    CreateLogList(kLogColumnWidth);
    for (QPushButton* button : {productInfoButton_, downloadButton_, browseButton_})
        AddJobButton(button);
    labelsReady_ = true;
    connect(browseButton_, &QPushButton::clicked, this, &CFirmware_View::FileBrowse);
    connect(downloadButton_, &QPushButton::clicked, this, [this] { DownloadStart(); });
    connect(productInfoButton_, &QPushButton::clicked, this, &CFirmware_View::ProductInfoRead);
    const CApp_Settings& settings = MainFrame().Settings();
    fullPath_ = settings.ReadText(kKeyFirmwareFullPath);
    fileName_ = settings.ReadText(kKeyFirmwareFileName);
    pathBox_->setText(fullPath_);
    LayOut();
}

std::filesystem::path CFirmware_View::BackupPath() const
{
    return SystemBackupPath(MainFrame().ApplicationFolder());
}

void CFirmware_View::FileBrowse()
{
    ChooseFile(FileDialogs::Current().OpenFile(this, FileFilter(), fullPath_));
}

const char* CFirmware_View::FileFilter() const
{
    return kUpgradeFileFilter;
}

bool CFirmware_View::AcceptFile(const QString& path)
{
    uint32_t bootIncluded = 0;
    if (!CheckFirmwareFile(path.toStdString(), ViewReporter(), bootIncluded))
        return false;
    bootIncluded_ = bootIncluded;
    return true;
}

void CFirmware_View::ChooseFile(const QString& path)
{
    if (path.isEmpty() || !AcceptFile(path)) {
        fullPath_.clear();
        fileName_.clear();
        pathBox_->clear();
        return;
    }
    fullPath_ = path;
    fileName_ = QFileInfo(path).fileName();
    pathBox_->setText(path);
}

// Both views keep the last file chosen under the same names.
void CFirmware_View::RememberFile()
{
    CApp_Settings& settings = MainFrame().Settings();
    settings.WriteText(kKeyFirmwareFullPath, fullPath_);
    settings.WriteText(kKeyFirmwareFileName, fileName_);
}

// The file is checked again, as it may have changed since it was chosen; what it says now
// about its boot loader counts.
void CFirmware_View::DownloadStart()
{
    if (Port().IsConnected() || fullPath_.isEmpty())
        return;
    if (!CheckFirmwareFile(fullPath_.toStdString(), ViewReporter(), bootIncluded_))
        return;
    SetProductLines(BlankProductLines());
    FirmwareUpgradeRequest request{fullPath_.toStdString(), bootIncluded_, BackupPath()};
    const bool started =
        StartJob([this, request](CDownload_Function& link) { return FirmwareUpgradeJob(link, request, this); });
    if (!started)
        return;
    AppendLogLine(kFirmwareJobStart);
    RememberFile();
}

// Runs on the user-interface thread: one short exchange.
void CFirmware_View::ProductInfoRead()
{
    if (Port().IsConnected() || !OpenExchangePort())
        return;
    LogList()->setRowCount(0);
    SetProductLines(BlankProductLines());
    AppendLogLine("Product Info Read Start!!");
    ProductInfo info;
    const bool read = Link().ReadProductInfo(info);
    Port().ClosePort();
    if (!read) {
        AppendLogLine("Product Information Read Fail");
        return;
    }
    SetProductLines(ProductLinesOf(info));
    LogProduct(info);
}

void CFirmware_View::LogProduct(const ProductInfo& info)
{
    LogControllerProduct(ViewReporter(), info);
}

void CFirmware_View::ShowProductLines(const ProductInfo& info)
{
    const ProductLineTexts texts = ProductLinesOf(info);
    Calls().Call([&] { SetProductLines(texts); });
}

void CFirmware_View::SetProductLines(const ProductLineTexts& texts)
{
    for (size_t i = 0; i < productLines_.size(); ++i)
        productLines_[i]->setText(QString::fromStdString(texts[i]));
}

QString CFirmware_View::FinishTitle() const
{
    return kFirmwareFinishTitle;
}

std::string CFirmware_View::StopLine() const
{
    return kFirmwareJobStop;
}

void CFirmware_View::JobControlsChanged(bool enabled)
{
    for (QPushButton* button : {browseButton_, downloadButton_, productInfoButton_})
        button->setVisible(enabled);
    cableLabel_->setVisible(!enabled);
    downloadLabel_->setVisible(!enabled);
}

void CFirmware_View::resizeEvent(QResizeEvent* event)
{
    CWork_View::resizeEvent(event);
    LayOut();
}

void CFirmware_View::LayOut()
{
    const int w = width();
    const int h = height();
    const int third = (w - 370) / 3;
    pathBox_->setGeometry(10, 10, w - 20, 25);
    productInfoButton_->setGeometry(350, 50, third, 85);
    downloadButton_->setGeometry(third + 355, 50, third, 85);
    browseButton_->setGeometry(2 * third + 360, 50, third, 85);
    cableLabel_->setGeometry(350, 45, w - 360, 45);
    downloadLabel_->setGeometry(350, 90, w - 360, 45);
    ProgressBar()->setGeometry(10, 170, w - 20, 30);
    LogList()->setGeometry(10, 210, w - 20, h - 220 - bottomReserve_);
    for (QWidget* shown :
         {static_cast<QWidget*>(pathBox_), static_cast<QWidget*>(ProgressBar()), static_cast<QWidget*>(LogList())})
        shown->show();
    if (!labelsReady_)
        return;
    for (CLabel* label : {cableLabel_, downloadLabel_})
        label->SetFontHeight(WarningFontHeight(w - 360));
}

}  // namespace skarnel
