#pragma once

#include "model/model_data_lists.h"
#include "shell/work_view.h"

#include <filesystem>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace skarnel {

// "Model Data": backs every used model up into its own .mdl file and lists the controller's
// models. The restore of a chosen .mif file has its controls, hidden: the firmware upgrade
// writes backups back itself. A job neither disables the buttons nor can be stopped; a second
// click is ignored because the port is open.
class CMenu_View final : public CWork_View, private ModelDataLists {
    Q_OBJECT
public:
    explicit CMenu_View(CMainFrame& mainFrame);

    void BackupModels();
    void ListModels();
    void ChooseMenuFile();
    void WriteMenuFile();

    QPushButton* BackupButton() const { return backupButton_; }
    QPushButton* ModelListButton() const { return modelListButton_; }
    QTableWidget* PcList() const { return pcList_; }
    QTableWidget* ControllerList() const { return controllerList_; }
    QPushButton* MenuFileButton() const { return menuFileButton_; }
    QLineEdit* MenuFileLine() const { return menuFileLine_; }
    QPushButton* MenuWriteButton() const { return menuWriteButton_; }
    const std::filesystem::path& BackupFolder() const { return backupFolder_; }
    const std::filesystem::path& MenuFile() const { return menuFile_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    std::string StopLine() const override;

private:
    void AddPcFile(const std::string& path) override;
    void AddControllerModel(const std::string& text) override;
    void LayOut();

    QPushButton* backupButton_;
    QPushButton* modelListButton_;
    QGroupBox* pcGroup_;
    QGroupBox* controllerGroup_;
    QTableWidget* pcList_;
    QTableWidget* controllerList_;
    QPushButton* menuFileButton_;
    QLineEdit* menuFileLine_;
    QPushButton* menuWriteButton_;
    // Kept apart so that a backup's folder is never taken for a file to restore.
    std::filesystem::path backupFolder_;
    std::filesystem::path menuFile_;
};

}  // namespace skarnel
