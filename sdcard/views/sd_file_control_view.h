#pragma once

#include "sdcard/sd_procedures.h"
#include "shell/work_view.h"

#include <QStringList>

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

// One row of a file list ("No", "File Name", "Date", "Time", "Size"), each column widened to
// its text.
void SetFileRow(QTableWidget& list, int row, const QStringList& cells);

// "SD Card": a file manager between the PC's "SD_Card_Backup" folder and the controller's SD
// card. The connection stays open from Connect to Disconnect. Every exchange with the card (the
// connect, folder lists, file sizes, new folders, deletes, the transfers) is a job on the worker
// with that connection, so a card that does not answer never holds up the window; questions
// are asked before the job starts.
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
    void JobControlsChanged(bool enabled) override;

private:
    // The card is given this moment before a folder just selected is listed.
    static constexpr int kFolderSelectPauseMs = 300;

    void CreateControls();
    void CreateHiddenCommandButtons();
    void ConnectSignals();
    void LayOut();
    void OpenPcBaseFolder();
    void SelectSdFolder(QTreeWidgetItem* item);
    void SelectPcFolder(QTreeWidgetItem* item);
    void ListPc(const std::filesystem::path& folder, QTreeWidgetItem* item);
    // A job on the held connection; "Thread StartFail" when it cannot start.
    bool StartCardJob(Procedure procedure);
    // From the worker: a box on the user-interface thread, unless the user has stopped the job.
    void Tell(const QString& text, const QString& title = kApplicationTitle);
    void CloseCard();
    // The card's side of Connect and of a failed connect, on the worker.
    JobOutcome ConnectCard(CDownload_Function& link);
    JobOutcome Disconnected();
    bool ReadDiskSpace(CDownload_Function& link);
    void ShowDiskSpace(uint32_t totalKbyte, uint32_t freeKbyte);
    // On the worker: false when the folder cannot be opened.
    bool ListRoot(CDownload_Function& link);
    bool ShowSdFolder(CDownload_Function& link, QTreeWidgetItem* item);
    void ShowSdFiles(const std::vector<SdEntry>& files);
    void ShowSdSizes();
    void AddSdFolders(QTreeWidgetItem* parent, const std::vector<SdEntry>& entries);
    std::string SdPath(const QTreeWidgetItem* item) const;
    // On the worker, after the question: the card changed, then the tree and lists.
    JobOutcome MakeFolder(CDownload_Function& link, QTreeWidgetItem* parent, const QString& name,
                          const std::string& path);
    JobOutcome RemoveFolder(CDownload_Function& link, QTreeWidgetItem* item, const std::string& name,
                            const std::string& path);
    JobOutcome RemoveFile(CDownload_Function& link, int row, const std::string& name, const std::string& path);
    std::vector<std::string> SelectedNames(const QTableWidget* list) const;
    // Connect and Disconnect follow the connection while no job runs; during one neither is usable.
    void SetConnectionButtons(bool idle);
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
