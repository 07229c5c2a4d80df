#include "voice/views/adpcm_view.h"

#include "shell/file_dialogs.h"
#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "shell/view_table.h"
#include "voice/sound_file.h"
#include "voice/adpcm_decoder.h"
#include "voice/views/dialog_wave_play.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace skarnel {
namespace {

constexpr int kLogColumnWidth = 880;
constexpr int kMaxPcRows = 255;
constexpr const char* kSoundFilter =
    "PCM File(*.wav;*.apm)|*.wav;*.apm|Wave File(*.wav)|*.wav|ADPCM Filess(*.apm)|*.apm||";
constexpr const char* kFileCountOver = "Maximum File Count Over    ";

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString PathText(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

}  // namespace

CAdpcm_View::CAdpcm_View(CMainFrame& mainFrame)
    : CWork_View(mainFrame, kViewVoiceList), pcGroup_(new QGroupBox(" [ PC ] ", this)),
      controllerGroup_(new QGroupBox(" [ Controller ] ", this)),
      pcList_(CreateVoiceList(pcGroup_, {{"No", 30},
                                         {"Name", 250},
                                         {"Size", 70},
                                         {"Time(s)", 50},
                                         {"Status", 50},
                                         {"Full Path", 300},
                                         {"Sample Rate", 80}})),
      controllerList_(CreateControllerVoiceList(controllerGroup_)), pcUsage_(UsageDisplay::Create(pcGroup_)),
      controllerUsage_(UsageDisplay::Create(controllerGroup_)),
      fileSelectButton_(new QPushButton("File Select", pcGroup_)),
      upButton_(new QPushButton(QString::fromUtf8("▲"), pcGroup_)),
      downButton_(new QPushButton(QString::fromUtf8("▼"), pcGroup_)),
      deleteButton_(new QPushButton("Delete", pcGroup_)), deleteAllButton_(new QPushButton("Delete All", pcGroup_)),
      pcPlayButton_(new QPushButton("Play", pcGroup_)), previewButton_(new QPushButton("Preview", pcGroup_)),
      packageButton_(new QPushButton("Package", pcGroup_)), sendButton_(new QPushButton("Send", pcGroup_)),
      modelChoice_(new QComboBox(pcGroup_)), fileListButton_(new QPushButton("File List", controllerGroup_)),
      controllerPlayButton_(new QPushButton("Play", controllerGroup_)),
      backupButton_(new QPushButton("File Backup", controllerGroup_))
{
    CreateControls();
    ConnectSignals();
    LayOut();
    ChooseModel(0);
    SetJobControlsEnabled(true);
}

// A job still running is stopped and waited for here, while the lists its rows reach live.
CAdpcm_View::~CAdpcm_View()
{
    if (IsBusy()) {
        RequestStop();
        WaitForJobEnd();
    }
}

void CAdpcm_View::CreateControls()
{
    CreateLogList(kLogColumnWidth);
    CreateProgressBar();
    CreateStatusLine()->setText("Progress");
    CreateStopButton()->setText("Process Stop");
    for (const VoiceModel& model : kVoiceModels)
        modelChoice_->addItem(model.choiceText);
    for (QPushButton* button :
         {fileSelectButton_, upButton_, downButton_, deleteButton_, deleteAllButton_, sendButton_, pcPlayButton_,
          previewButton_, packageButton_, backupButton_, fileListButton_, controllerPlayButton_})
        AddJobButton(button);
}

void CAdpcm_View::ConnectSignals()
{
    connect(fileSelectButton_, &QPushButton::clicked, this, &CAdpcm_View::SelectFiles);
    connect(upButton_, &QPushButton::clicked, this, &CAdpcm_View::MoveUp);
    connect(downButton_, &QPushButton::clicked, this, &CAdpcm_View::MoveDown);
    connect(deleteButton_, &QPushButton::clicked, this, &CAdpcm_View::DeleteRow);
    connect(deleteAllButton_, &QPushButton::clicked, this, &CAdpcm_View::DeleteAll);
    connect(pcPlayButton_, &QPushButton::clicked, this, &CAdpcm_View::PlayOnPc);
    connect(previewButton_, &QPushButton::clicked, this, &CAdpcm_View::PreviewOnPc);
    connect(pcList_, &QTableWidget::cellDoubleClicked, this, &CAdpcm_View::PlayOnPc);
    connect(packageButton_, &QPushButton::clicked, this, &CAdpcm_View::Package);
    connect(sendButton_, &QPushButton::clicked, this, &CAdpcm_View::Send);
    connect(fileListButton_, &QPushButton::clicked, this, &CAdpcm_View::ListFiles);
    connect(controllerPlayButton_, &QPushButton::clicked, this, &CAdpcm_View::PlayOnController);
    connect(backupButton_, &QPushButton::clicked, this, &CAdpcm_View::Backup);
    connect(modelChoice_, &QComboBox::currentIndexChanged, this, &CAdpcm_View::ChooseModel);
}

// The two group boxes share the width; the log fills what the status line leaves below them.
void CAdpcm_View::LayOut()
{
    auto* pcButtons = new QHBoxLayout;
    for (QPushButton* button : {fileSelectButton_, upButton_, downButton_, deleteButton_, deleteAllButton_})
        pcButtons->addWidget(button);
    // The model choice keeps a row of its own, so that its text is never cut.
    auto* modelRow = new QHBoxLayout;
    modelRow->addWidget(modelChoice_);
    modelRow->addStretch();
    auto* pcActions = new QHBoxLayout;
    for (QPushButton* button : {pcPlayButton_, previewButton_, packageButton_, sendButton_})
        pcActions->addWidget(button);
    auto* pcUsageRow = new QHBoxLayout;
    pcUsageRow->addWidget(pcUsage_.bar, 1);
    pcUsageRow->addWidget(pcUsage_.sizeText);
    pcUsageRow->addWidget(pcUsage_.percentText);
    auto* pcColumn = new QVBoxLayout(pcGroup_);
    pcColumn->addLayout(pcButtons);
    pcColumn->addWidget(pcList_, 1);
    pcColumn->addLayout(pcUsageRow);
    pcColumn->addLayout(modelRow);
    pcColumn->addLayout(pcActions);

    auto* controllerButtons = new QHBoxLayout;
    for (QPushButton* button : {fileListButton_, controllerPlayButton_, backupButton_})
        controllerButtons->addWidget(button);
    controllerButtons->addStretch();
    auto* controllerUsageRow = new QHBoxLayout;
    controllerUsageRow->addWidget(controllerUsage_.bar, 1);
    controllerUsageRow->addWidget(controllerUsage_.sizeText);
    controllerUsageRow->addWidget(controllerUsage_.percentText);
    auto* controllerColumn = new QVBoxLayout(controllerGroup_);
    controllerColumn->addLayout(controllerButtons);
    controllerColumn->addWidget(controllerList_, 1);
    controllerColumn->addLayout(controllerUsageRow);
    auto* stopRow = new QHBoxLayout;
    stopRow->addStretch();
    stopRow->addWidget(StopButton());
    controllerColumn->addLayout(stopRow);

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

const VoiceModel& CAdpcm_View::Model() const
{
    return kVoiceModels.at(static_cast<size_t>(modelIndex_));
}

std::filesystem::path CAdpcm_View::BackupFolder() const
{
    return MainFrame().ApplicationFolder() / "ADPCM_Backup";
}

void CAdpcm_View::ChooseModel(int choice)
{
    modelIndex_ = choice <= 0 ? 0 : 1;
    usableFlash_ = UsableVoiceFlash(Model().flashSize);
    ShowPcUsage();
    ShowControllerUsage();
}

void CAdpcm_View::ShowPcUsage()
{
    pcUsage_.Show({ListStreamSum(pcList_), usableFlash_});
}

void CAdpcm_View::ShowControllerUsage()
{
    controllerUsage_.Show({ListStreamSum(controllerList_), usableFlash_});
}

void CAdpcm_View::SelectFiles()
{
    if (usableFlash_ == 0) {
        ShowMessageBox(this, "Flash Size Unknown");
        return;
    }
    if (pcList_->rowCount() >= kMaxPcRows) {
        ShowMessageBox(this, kFileCountOver);
        return;
    }
    const int last = pcList_->rowCount() - 1;
    const QString start = last >= 0 ? pcList_->item(last, kPcFullPath)->text() : QString();
    const QStringList files = FileDialogs::Current().ChooseOpenFiles(this, start, QtFileFilter(kSoundFilter));
    for (const QString& file : files) {
        if (pcList_->rowCount() >= kMaxPcRows) {
            ShowMessageBox(this, kFileCountOver);
            break;
        }
        AddSoundFile(file.toStdString());
    }
    if (pcList_->rowCount() > 0) {
        pcList_->selectRow(pcList_->rowCount() - 1);
        pcList_->scrollToItem(pcList_->item(pcList_->rowCount() - 1, 0));
    }
    ShowPcUsage();
}

void CAdpcm_View::AddSoundFile(const std::filesystem::path& path)
{
    FileMessage message;
    const std::optional<SoundFigures> figures = DescribeSoundFile(path, message);
    if (!figures) {
        ShowMessageBox(this, Text(message.text), Text(message.caption), MessageIcon::Warning);
        return;
    }
    AppendVoiceRow(pcList_,
                   {PathText(path.filename()), QString::number(figures->size), Text(PlayTimeText(figures->playTime)),
                    QString(), PathText(path), QString::number(figures->sampleRate)},
                   figures->streamSize);
}

void CAdpcm_View::MoveUp()
{
    SwapWithRow(-1);
}

void CAdpcm_View::MoveDown()
{
    SwapWithRow(1);
}

// The texts from "Name" on change places; the number and the stream size stay with their rows.
void CAdpcm_View::SwapWithRow(int offset)
{
    const int row = pcList_->currentRow();
    const int other = row + offset;
    if (row < 0 || other < 0 || other >= pcList_->rowCount())
        return;
    for (int column = kPcName; column <= kPcSampleRate; ++column) {
        const QString text = pcList_->item(row, column)->text();
        pcList_->item(row, column)->setText(pcList_->item(other, column)->text());
        pcList_->item(other, column)->setText(text);
    }
    pcList_->selectRow(other);
}

void CAdpcm_View::DeleteRow()
{
    const int row = pcList_->currentRow();
    if (row < 0)
        return;
    pcList_->removeRow(row);
    for (int at = 0; at < pcList_->rowCount(); ++at)
        pcList_->item(at, kPcNo)->setText(QString::number(at + 1));
    if (pcList_->rowCount() > 0) {
        pcList_->selectRow(0);
        pcList_->scrollToItem(pcList_->item(0, 0));
    }
    ShowPcUsage();
}

void CAdpcm_View::DeleteAll()
{
    pcList_->setRowCount(0);
    ShowPcUsage();
}

QString CAdpcm_View::SelectedWave()
{
    const int row = pcList_->currentRow();
    if (row < 0)
        return {};
    const QString path = pcList_->item(row, kPcFullPath)->text();
    if (!IsWavPath(path.toStdString())) {
        ShowMessageBox(this, "Wave File Only");
        return {};
    }
    return path;
}

void CAdpcm_View::OpenPlayer(const QString& path)
{
    CDialog_Wave_Play dialog(path, this);
    dialog.exec();
}

void CAdpcm_View::PlayOnPc()
{
    const QString path = SelectedWave();
    if (!path.isEmpty())
        OpenPlayer(path);
}

// The preview lives in a folder of the view's own, removed with the view.
std::filesystem::path CAdpcm_View::PreviewFile() const
{
    return previewFolder_ ? std::filesystem::path(previewFolder_->filePath("preview.wav").toStdString())
                          : std::filesystem::path();
}

void CAdpcm_View::PreviewOnPc()
{
    const QString path = SelectedWave();
    if (path.isEmpty())
        return;
    if (!previewFolder_)
        previewFolder_ = std::make_unique<QTemporaryDir>();
    if (!previewFolder_->isValid() || !WriteVoicePreview(path.toStdString(), PreviewFile())) {
        ShowMessageBox(this, "File Convert Fail");
        return;
    }
    OpenPlayer(QString::fromStdString(PreviewFile().string()));
}

void CAdpcm_View::PlayOnController()
{
    PlaySelectedOnController(*this, controllerList_);
}

}  // namespace skarnel
