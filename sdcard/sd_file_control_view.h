#pragma once

#include "sdcard/sd_procedures.h"
#include "shell/work_view.h"

#include <filesystem>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace skarnel {

// "SD Card": a file manager between the PC's "SD_Card_Backup" folder and the controller's SD
// card. The connection stays open from Connect to Disconnect; folder work runs on the
// user-interface thread, the two file transfers on the worker.
class CSD_File_Control_View final : public CWork_View {
    Q_OBJECT
public:
    explicit CSD_File_Control_View(CMainFrame& mainFrame);
    ~CSD_File_Control_View() override;

    void Connect();
    void Disconnect();
    void NewFolder();
    void DeleteFolder();
    void DeleteFile();
    void Browse();
    void CopySdToPc();
    void CopyPcToSd();

    QPushButton* ConnectButton() const { return connectButton_; }
    QPushButton* DisconnectButton() const { return disconnectButton_; }
    QPushButton* SdToPcButton() const { return sdToPcButton_; }
    QPushButton* PcToSdButton() const { return pcToSdButton_; }
    QPushButton* NewFolderButton() const { return newFolderButton_; }
    QPushButton* DeleteFolderButton() const { return deleteFolderButton_; }
    QPushButton* DeleteFileButton() const { return deleteFileButton_; }
    QTreeWidget* SdTree() const { return sdTree_; }
    QTableWidget* SdList() const { return sdList_; }
    QTreeWidget* PcTree() const { return pcTree_; }
    QTableWidget* PcList() const { return pcList_; }
    QLabel* DiskSpaceLine() const { return diskSpaceLine_; }
    QProgressBar* DiskBar() const { return diskBar_; }
    QLabel* PcPathLine() const { return pcPathLine_; }
    const std::string& CurrentSdFolder() const { return currentSdFolder_; }
    const std::filesystem::path& CurrentPcFolder() const { return currentPcFolder_; }
    const std::filesystem::path& PcBaseFolder() const { return pcBaseFolder_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    std::string StopLine() const override { return {}; }

private:
    void CreateControls();
    void CreateHiddenCommandButtons();
    void ConnectSignals();
    void LayOut();
    void OpenPcBaseFolder();
    void SelectSdFolder(QTreeWidgetItem* item);
    void SelectPcFolder(QTreeWidgetItem* item);
    void ListPc(const std::filesystem::path& folder, QTreeWidgetItem* item);
    bool ReadDiskSpace(CDownload_Function& link);
    void ShowDiskSpace(uint32_t totalKbyte, uint32_t freeKbyte);
    bool ListRoot();
    bool ShowSdFolder(QTreeWidgetItem* item);
    void ShowSdFiles(const std::vector<SdEntry>& files);
    void ShowSdSizes();
    void AddSdFolders(QTreeWidgetItem* parent, const std::vector<SdEntry>& entries);
    std::string SdPath(const QTreeWidgetItem* item) const;
    std::vector<std::string> SelectedNames(const QTableWidget* list) const;
    void SetConnectedControls(bool connected);
    void SetTreesEnabled(bool enabled);
    void FailBox(const QString& text);
    JobOutcome FinishSdToPc(const JobOutcome& outcome);
    JobOutcome FinishPcToSd(CDownload_Function& link, const JobOutcome& outcome, const std::string& sdFolder);

    QPushButton* connectButton_;
    QPushButton* disconnectButton_;
    QPushButton* sdToPcButton_;
    QPushButton* pcToSdButton_;
    QPushButton* newFolderButton_;
    QPushButton* deleteFolderButton_;
    QPushButton* deleteFileButton_;
    QPushButton* browseButton_;
    std::vector<QPushButton*> hiddenCommandButtons_;
    QTreeWidget* sdTree_;
    QTableWidget* sdList_;
    QTreeWidget* pcTree_;
    QTableWidget* pcList_;
    QLabel* diskSpaceLine_;
    QProgressBar* diskBar_;
    QLabel* pcPathLine_;

    std::string currentSdFolder_ = "/";
    std::vector<SdEntry> sdFiles_;
    std::filesystem::path pcBaseFolder_;
    std::filesystem::path currentPcFolder_;
};

}  // namespace skarnel
