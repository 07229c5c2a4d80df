#pragma once

#include "shell/work_view.h"
#include "voice/views/voice_lists.h"
#include "voice/voice_bundle.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QGroupBox;
class QPushButton;
class QTableWidget;
class QTemporaryDir;

namespace skarnel {

// "Sound Data": assembles a voice set from WAV and .apm files on the PC, packages it into a
// bundle or sends it straight to the controller's voice flash, lists the controller's sounds,
// makes it play one, backs them all up into .apm files, and plays a WAV file on the PC.
class CAdpcm_View final : public CWork_View {
    Q_OBJECT
public:
    explicit CAdpcm_View(CMainFrame& mainFrame);
    ~CAdpcm_View() override;

    // The PC list's columns.
    enum PcColumn : int { kPcNo = 0, kPcName, kPcSize, kPcTime, kPcStatus, kPcFullPath, kPcSampleRate };

    void SelectFiles();
    void MoveUp();
    void MoveDown();
    void DeleteRow();
    void DeleteAll();
    void PlayOnPc();
    // Plays what the controller will play of the selected WAV file.
    void PreviewOnPc();
    void Package();
    void Send();
    void ListFiles();
    void PlayOnController();
    void Backup();
    void ChooseModel(int choice);

    QTableWidget* PcList() const { return pcList_; }
    QTableWidget* ControllerList() const { return controllerList_; }
    const UsageDisplay& PcUsage() const { return pcUsage_; }
    const UsageDisplay& ControllerUsage() const { return controllerUsage_; }
    QComboBox* ModelChoice() const { return modelChoice_; }
    QPushButton* FileSelectButton() const { return fileSelectButton_; }
    QPushButton* UpButton() const { return upButton_; }
    QPushButton* DownButton() const { return downButton_; }
    QPushButton* DeleteButton() const { return deleteButton_; }
    QPushButton* DeleteAllButton() const { return deleteAllButton_; }
    QPushButton* PcPlayButton() const { return pcPlayButton_; }
    QPushButton* PreviewButton() const { return previewButton_; }
    QPushButton* PackageButton() const { return packageButton_; }
    QPushButton* SendButton() const { return sendButton_; }
    QPushButton* FileListButton() const { return fileListButton_; }
    QPushButton* ControllerPlayButton() const { return controllerPlayButton_; }
    QPushButton* BackupButton() const { return backupButton_; }
    int VoiceDataVersion() const { return voiceDataVersion_; }
    uint32_t UsableFlash() const { return usableFlash_; }
    std::filesystem::path BackupFolder() const;
    // The file Preview writes and plays.
    std::filesystem::path PreviewFile() const;

private:
    class BuildRows;
    class BackupRows;

    void CreateControls();
    void ConnectSignals();
    void LayOut();
    void AddSoundFile(const std::filesystem::path& path);
    void SwapWithRow(int offset);
    // The selected row's WAV file; empty, after "Wave File Only", for anything else.
    QString SelectedWave();
    void OpenPlayer(const QString& path);
    void ShowPcUsage();
    void ShowControllerUsage();
    // The shared start of Package and Send: the version, the lists, the job table.
    bool PrepareSet();
    std::vector<VoiceSource> JobTable() const;
    const VoiceModel& Model() const;

    QGroupBox* pcGroup_;
    QGroupBox* controllerGroup_;
    QTableWidget* pcList_;
    QTableWidget* controllerList_;
    UsageDisplay pcUsage_;
    UsageDisplay controllerUsage_;
    QPushButton* fileSelectButton_;
    QPushButton* upButton_;
    QPushButton* downButton_;
    QPushButton* deleteButton_;
    QPushButton* deleteAllButton_;
    QPushButton* pcPlayButton_;
    QPushButton* previewButton_;
    QPushButton* packageButton_;
    QPushButton* sendButton_;
    QComboBox* modelChoice_;
    QPushButton* fileListButton_;
    QPushButton* controllerPlayButton_;
    QPushButton* backupButton_;

    int voiceDataVersion_ = 0;
    int modelIndex_ = 0;
    uint32_t usableFlash_ = 0;
    std::unique_ptr<QTemporaryDir> previewFolder_;
};

}  // namespace skarnel
