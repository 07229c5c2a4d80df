#pragma once

#include "shell/work_view.h"
#include "voice/views/voice_lists.h"
#include "voice/voice_bundle.h"

#include <cstdint>
#include <filesystem>

class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace skarnel {

struct VoiceFlashInfo;

// "Voice Data": downloads a ready-made voice bundle into the controller's voice flash, lists
// the controller's sounds and makes it play one. The flash geometry and the voice data
// version come from the controller; a bundle of another version is refused.
class CAdpcm_Bundle_View final : public CWork_View {
    Q_OBJECT
public:
    explicit CAdpcm_Bundle_View(CMainFrame& mainFrame);
    ~CAdpcm_Bundle_View() override;

    enum PcColumn : int { kPcNo = 0, kPcName, kPcSize, kPcSampleRate, kPcStatus };

    void SelectFile();
    void ReadMemoryInfo();
    void Send();
    void ListFiles();
    void PlayOnController();

    QTableWidget* PcList() const { return pcList_; }
    QTableWidget* ControllerList() const { return controllerList_; }
    const UsageDisplay& PcUsage() const { return pcUsage_; }
    const UsageDisplay& ControllerUsage() const { return controllerUsage_; }
    QPushButton* FileSelectButton() const { return fileSelectButton_; }
    QPushButton* MemoryInfoButton() const { return memoryInfoButton_; }
    QPushButton* SendButton() const { return sendButton_; }
    QPushButton* FileListButton() const { return fileListButton_; }
    QPushButton* ControllerPlayButton() const { return controllerPlayButton_; }
    QLabel* BundleLine() const { return bundleLine_; }
    const std::filesystem::path& ChosenBundle() const { return chosenBundle_; }
    uint32_t UsableFlash() const { return usableFlash_; }
    uint32_t ControllerVersion() const { return controllerVersion_; }

protected:
    QString FinishTitle() const override { return "Download"; }

private:
    void CreateControls();
    void LayOut();
    // The flash information read: stored, both usage displays recomputed.
    void TakeFlashInfo(const VoiceFlashInfo& flash);
    void ForgetBundle();
    void ShowBundle(const std::filesystem::path& path, const VoiceBundle& bundle);
    void ShowUsage();

    QGroupBox* pcGroup_;
    QGroupBox* controllerGroup_;
    QTableWidget* pcList_;
    QTableWidget* controllerList_;
    UsageDisplay pcUsage_;
    UsageDisplay controllerUsage_;
    QPushButton* fileSelectButton_;
    QPushButton* memoryInfoButton_;
    QPushButton* sendButton_;
    QLabel* bundleLine_;
    QPushButton* fileListButton_;
    QPushButton* controllerPlayButton_;
    QPushButton* backupButton_;

    uint32_t flashSize_ = 0;
    uint32_t usableFlash_ = 0;
    uint32_t controllerVersion_ = 0;
    std::filesystem::path chosenBundle_;
};

}  // namespace skarnel
