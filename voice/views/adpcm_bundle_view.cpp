#include "voice/views/adpcm_bundle_view.h"

#include "shell/file_dialogs.h"
#include "shell/message_boxes.h"
#include "shell/ui_call_queue.h"
#include "shell/view_table.h"
#include "voice/voice_flash_info.h"
#include "voice/voice_jobs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace skarnel {
namespace {

constexpr int kLogColumnWidth = 880;
constexpr int kMaxJobRows = 256;
constexpr const char* kBundleFilter = "Voice Data File(*.vdf)|*.vdf|ALL Filess(*.*)|*.*||";
constexpr const char* kBundleLineText = "Voice Data File : ";

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

CAdpcm_Bundle_View::CAdpcm_Bundle_View(CMainFrame& mainFrame)
    : CWork_View(mainFrame, kViewVoicePackage), pcGroup_(new QGroupBox(" [ PC ] ", this)),
      controllerGroup_(new QGroupBox(" [ Controller ] ", this)),
      pcList_(
          CreateVoiceList(pcGroup_, {{"No", 30}, {"Name", 250}, {"Size", 70}, {"Sample Rate", 80}, {"Status", 50}})),
      controllerList_(CreateControllerVoiceList(controllerGroup_)), pcUsage_(UsageDisplay::Create(pcGroup_)),
      controllerUsage_(UsageDisplay::Create(controllerGroup_)),
      fileSelectButton_(new QPushButton("File Select", pcGroup_)),
      memoryInfoButton_(new QPushButton("Memory Info", pcGroup_)), sendButton_(new QPushButton("Send", pcGroup_)),
      bundleLine_(new QLabel(kBundleLineText, pcGroup_)),
      fileListButton_(new QPushButton("File List", controllerGroup_)),
      controllerPlayButton_(new QPushButton("Play", controllerGroup_)),
      backupButton_(new QPushButton("File Backup", controllerGroup_))
{
    CreateControls();
    LayOut();
    SetJobControlsEnabled(true);
    sendButton_->setEnabled(false);
}

// A job still running is stopped and waited for here, while the lists its rows reach live.
CAdpcm_Bundle_View::~CAdpcm_Bundle_View()
{
    if (IsBusy()) {
        RequestStop();
        WaitForJobEnd();
    }
}

void CAdpcm_Bundle_View::CreateControls()
{
    CreateLogList(kLogColumnWidth);
    CreateProgressBar();
    CreateStatusLine()->setText("Progress");
    CreateStopButton()->setText("Process Stop");
    backupButton_->hide();
    // A long path must not widen the group box; the whole path is in the tool tip.
    bundleLine_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    for (QPushButton* button :
         {fileSelectButton_, sendButton_, fileListButton_, controllerPlayButton_, memoryInfoButton_})
        AddJobButton(button);
    connect(fileSelectButton_, &QPushButton::clicked, this, &CAdpcm_Bundle_View::SelectFile);
    connect(memoryInfoButton_, &QPushButton::clicked, this, &CAdpcm_Bundle_View::ReadMemoryInfo);
    connect(sendButton_, &QPushButton::clicked, this, &CAdpcm_Bundle_View::Send);
    connect(fileListButton_, &QPushButton::clicked, this, &CAdpcm_Bundle_View::ListFiles);
    connect(controllerPlayButton_, &QPushButton::clicked, this, &CAdpcm_Bundle_View::PlayOnController);
}

// The two group boxes share the width; the log fills what the status line leaves below them.
void CAdpcm_Bundle_View::LayOut()
{
    auto* pcButtons = new QHBoxLayout;
    for (QPushButton* button : {fileSelectButton_, memoryInfoButton_, sendButton_})
        pcButtons->addWidget(button);
    pcButtons->addStretch();
    auto* pcUsageRow = new QHBoxLayout;
    pcUsageRow->addWidget(pcUsage_.bar, 1);
    pcUsageRow->addWidget(pcUsage_.sizeText);
    pcUsageRow->addWidget(pcUsage_.percentText);
    auto* pcColumn = new QVBoxLayout(pcGroup_);
    pcColumn->addLayout(pcButtons);
    pcColumn->addWidget(bundleLine_);
    pcColumn->addWidget(pcList_, 1);
    pcColumn->addLayout(pcUsageRow);

    auto* controllerButtons = new QHBoxLayout;
    for (QPushButton* button : {fileListButton_, controllerPlayButton_, backupButton_})
        controllerButtons->addWidget(button);
    controllerButtons->addStretch();
    controllerButtons->addWidget(StopButton());
    auto* controllerUsageRow = new QHBoxLayout;
    controllerUsageRow->addWidget(controllerUsage_.bar, 1);
    controllerUsageRow->addWidget(controllerUsage_.sizeText);
    controllerUsageRow->addWidget(controllerUsage_.percentText);
    auto* controllerColumn = new QVBoxLayout(controllerGroup_);
    controllerColumn->addLayout(controllerButtons);
    controllerColumn->addWidget(controllerList_, 1);
    controllerColumn->addLayout(controllerUsageRow);

    auto* groups = new QHBoxLayout;
    groups->addWidget(pcGroup_, 1);
    groups->addWidget(controllerGroup_, 1);
    auto* status = new QHBoxLayout;
    status->addWidget(StatusLine(), 1);
    status->addWidget(ProgressBar(), 2);
    auto* page = new QVBoxLayout(this);
    page->addLayout(groups, 3);
    page->addLayout(status);
    page->addWidget(LogList(), 2);
}

void CAdpcm_Bundle_View::ShowUsage()
{
    pcUsage_.Show({ListStreamSum(pcList_), usableFlash_});
    controllerUsage_.Show({ListStreamSum(controllerList_), usableFlash_});
}

void CAdpcm_Bundle_View::TakeFlashInfo(const VoiceFlashInfo& flash)
{
    controllerVersion_ = flash.voiceDataVersion;
    flashSize_ = flash.flashSize;
    usableFlash_ = UsableVoiceFlash(flash.flashSize);
    ShowUsage();
}

void CAdpcm_Bundle_View::ReadMemoryInfo()
{
    if (IsBusy() || Port().IsConnected() || !OpenJobPort())
        return;
    VoiceFlashInfo flash;
    std::string failText;
    if (ReadFlashInformation(Link(), flash, failText))
        TakeFlashInfo(flash);
    else
        AppendLogLine(failText);
    Port().ClosePort();
}

void CAdpcm_Bundle_View::ForgetBundle()
{
    chosenBundle_.clear();
    bundleLine_->setText(kBundleLineText);
    bundleLine_->setToolTip(QString());
    sendButton_->setEnabled(false);
}

void CAdpcm_Bundle_View::SelectFile()
{
    if (usableFlash_ == 0)
        ReadMemoryInfo();
    if (usableFlash_ == 0) {
        ShowMessageBox(this, "Flash Size Unknown");
        return;
    }
    const QString chosen = FileDialogs::Current().OpenFile(this, kBundleFilter, QString());
    if (chosen.isEmpty()) {
        ForgetBundle();
        return;
    }
    VoiceBundle bundle;
    std::string failText;
    if (!CheckVoiceBundle(chosen.toStdString(), controllerVersion_, false, ViewReporter(), bundle, failText)) {
        // The version refusal has logged its lines already.
        if (failText != "Voice Data Version Mismatch")
            AppendLogLine(failText);
        ForgetBundle();
        ShowMessageBox(this, Text(failText));
        return;
    }
    ShowBundle(chosen.toStdString(), bundle);
}

void CAdpcm_Bundle_View::ShowBundle(const std::filesystem::path& path, const VoiceBundle& bundle)
{
    pcList_->setRowCount(0);
    for (const VoiceFileInfo& record : bundle.Records())
        AppendVoiceRow(pcList_, {Text(record.Name()), QString::number(record.size), QString::number(record.sampleRate)},
                       record.size);
    ShowUsage();
    chosenBundle_ = path;
    bundleLine_->setText(kBundleLineText + Text(path.string()));
    bundleLine_->setToolTip(Text(path.string()));
    const bool fits = BundleFitsFlash(bundle.header, flashSize_);
    if (!fits)
        AppendLogLine("Flash Memory Not Enough");
    sendButton_->setEnabled(fits);
}

void CAdpcm_Bundle_View::Send()
{
    if (IsBusy() || Port().IsConnected())
        return;
    LogList()->setRowCount(0);
    if (pcList_->rowCount() == 0 || pcList_->rowCount() >= kMaxJobRows)
        return;
    controllerList_->setRowCount(0);
    ShowUsage();
    StartJob([this, path = chosenBundle_](CDownload_Function& link) {
        return DownloadVoiceBundle(link, path, StopRequest());
    });
}

void CAdpcm_Bundle_View::ListFiles()
{
    controllerList_->setRowCount(0);
    LogList()->setRowCount(0);
    if (IsBusy() || Port().IsConnected())
        return;
    StartJob([this](CDownload_Function& link) {
        std::vector<VoiceFileInfo> records;
        VoiceFlashInfo flash;
        const JobOutcome outcome = ListVoiceFiles(link, StopRequest(), records, kVoiceDataRfQuestion, &flash);
        Calls().Call([&] {
            if (flash.flashSize != 0)
                TakeFlashInfo(flash);
            for (const VoiceFileInfo& record : records)
                AppendControllerRow(controllerList_, record);
            ShowUsage();
        });
        return outcome;
    });
}

void CAdpcm_Bundle_View::PlayOnController()
{
    PlaySelectedOnController(*this, controllerList_);
}

}  // namespace skarnel
