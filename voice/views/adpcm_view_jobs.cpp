#include "voice/views/adpcm_view.h"

#include "base/reporter.h"
#include "shell/file_dialogs.h"
#include "shell/message_boxes.h"
#include "shell/ui_call_queue.h"
#include "voice/sound_file.h"
#include "voice/views/dialog_voice_version.h"
#include "voice/voice_jobs.h"

#include <QTableWidget>

#include <system_error>

namespace skarnel {
namespace {

constexpr const char* kBundleFilter = "Voice Data File(*.vdf)|*.vdf||";
constexpr size_t kMaxJobRows = 256;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

// A build marks the PC rows; a Send also lists each placed sound on the controller's side.
class CAdpcm_View::BuildRows final : public VoiceBuildRows {
public:
    BuildRows(CAdpcm_View& view, std::vector<VoiceSource> sounds, bool listPlaced)
        : view_(view), sounds_(std::move(sounds)), listPlaced_(listPlaced)
    {
    }

    void MarkRow(size_t row, const char* text) override
    {
        view_.Calls().Call([&] { SetCellText(view_.pcList_, static_cast<int>(row), kPcStatus, Text(text)); });
    }
    void SoundPlaced(size_t row, const VoiceFileInfo& record) override
    {
        if (!listPlaced_)
            return;
        view_.Calls().Call([&] {
            AppendControllerRow(view_.controllerList_, record, Text(sounds_.at(row).name));
            view_.ShowControllerUsage();
        });
    }

private:
    CAdpcm_View& view_;
    std::vector<VoiceSource> sounds_;
    bool listPlaced_;
};

// A backup lists the stored sounds, marks each, and lists each file written on the PC's side.
class CAdpcm_View::BackupRows final : public VoiceBackupRows {
public:
    explicit BackupRows(CAdpcm_View& view) : view_(view) {}

    void Listed(const std::vector<VoiceFileInfo>& records) override
    {
        view_.Calls().Call([&] {
            for (const VoiceFileInfo& record : records)
                AppendControllerRow(view_.controllerList_, record);
            view_.ShowControllerUsage();
        });
    }
    void MarkRow(size_t row, const char* text) override
    {
        view_.Calls().Call([&] { SetCellText(view_.controllerList_, static_cast<int>(row), kCtlStatus, Text(text)); });
    }
    void BackedUp(const VoiceFileInfo& record, const std::filesystem::path& path) override
    {
        view_.Calls().Call([&] {
            AppendVoiceRow(view_.pcList_,
                           {Text(path.filename().string()), QString::number(record.size + 32),
                            Text(PlayTimeText(StoredPlayTime(record.size))), QString(), Text(path.string()),
                            QString::number(record.sampleRate)},
                           record.size);
            view_.ShowPcUsage();
        });
    }

private:
    CAdpcm_View& view_;
};

bool CAdpcm_View::PrepareSet()
{
    const std::optional<int> version = CDialog_Voice_Version::Ask(this, voiceDataVersion_);
    if (!version)
        return false;
    voiceDataVersion_ = *version;
    controllerList_->setRowCount(0);
    ShowControllerUsage();
    for (int row = 0; row < pcList_->rowCount(); ++row)
        SetCellText(pcList_, row, kPcStatus, QString());
    return true;
}

std::vector<VoiceSource> CAdpcm_View::JobTable() const
{
    std::vector<VoiceSource> sounds;
    for (int row = 0; row < pcList_->rowCount(); ++row)
        sounds.push_back(
            {pcList_->item(row, kPcFullPath)->text().toStdString(), pcList_->item(row, kPcName)->text().toStdString(),
             pcList_->item(row, kPcSize)->text().toULongLong(), pcList_->item(row, kPcSampleRate)->text().toUInt()});
    return sounds;
}

void CAdpcm_View::Package()
{
    if (IsBusy() || Port().IsConnected())
        return;
    LogList()->setRowCount(0);
    const auto rows = static_cast<size_t>(pcList_->rowCount());
    if (rows == 0 || rows >= kMaxJobRows)
        return;
    const QString chosen = FileDialogs::Current().SaveFile(this, kBundleFilter, QString());
    if (chosen.isEmpty() || !PrepareSet())
        return;
    const std::filesystem::path target = BundleFileName(chosen.toStdString());
    auto sounds = JobTable();
    auto buildRows = std::make_shared<BuildRows>(*this, sounds, false);
    const VoiceModel& model = Model();
    const bool started =
        StartJobWithoutPort([this, sounds, target, buildRows, version = static_cast<uint32_t>(voiceDataVersion_),
                             &model](CDownload_Function& link) {
            std::string finalText;
            const bool made = PackageVoiceBundle(sounds, target, version, model.modelCode, model.flashSize,
                                                 StopRequest(), link.Window(), finalText, buildRows.get());
            return JobOutcome::Ended(made, finalText);
        });
    if (!started)
        ShowMessageBox(this, "Port Open Fail", "Fail");
}

void CAdpcm_View::Send()
{
    if (IsBusy() || Port().IsConnected())
        return;
    LogList()->setRowCount(0);
    const auto rows = static_cast<size_t>(pcList_->rowCount());
    if (rows == 0 || rows >= kMaxJobRows || !PrepareSet())
        return;
    auto sounds = JobTable();
    auto buildRows = std::make_shared<BuildRows>(*this, sounds, true);
    const VoiceModel& model = Model();
    StartJob([this, sounds, buildRows, version = static_cast<uint32_t>(voiceDataVersion_),
              &model](CDownload_Function& link) {
        return SendVoiceSounds(link, sounds, version, model, StopRequest(), buildRows.get());
    });
}

void CAdpcm_View::ListFiles()
{
    controllerList_->setRowCount(0);
    ShowControllerUsage();
    LogList()->setRowCount(0);
    if (IsBusy() || Port().IsConnected())
        return;
    StartJob([this](CDownload_Function& link) {
        std::vector<VoiceFileInfo> records;
        const JobOutcome outcome = ListVoiceFiles(link, StopRequest(), records, kSoundDataRfQuestion);
        Calls().Call([&] {
            for (const VoiceFileInfo& record : records)
                AppendControllerRow(controllerList_, record);
            ShowControllerUsage();
        });
        return outcome;
    });
}

void CAdpcm_View::Backup()
{
    if (IsBusy() || Port().IsConnected())
        return;
    controllerList_->setRowCount(0);
    LogList()->setRowCount(0);
    pcList_->setRowCount(0);
    ShowControllerUsage();
    ShowPcUsage();
    const std::filesystem::path folder = BackupFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    auto rows = std::make_shared<BackupRows>(*this);
    StartJob([this, folder, rows](CDownload_Function& link) {
        std::vector<std::filesystem::path> written;
        return BackupVoiceFiles(link, folder, StopRequest(), written, rows.get());
    });
}

}  // namespace skarnel
