#include "model/views/menu_view.h"

#include "model/model_files.h"
#include "model/model_jobs.h"
#include "model/views/model_list_table.h"
#include "model/model_procedures.h"
#include "shell/file_dialogs.h"
#include "shell/main_frame.h"
#include "shell/ui_call_queue.h"
#include "shell/view_table.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace skarnel {
namespace {

constexpr int kLogColumnWidth = 370;
constexpr const char* kMenuFileFilter = "Menu Info File(*.mif)|*.mif|ALL Filess(*.*)|*.*||";

QString PathText(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

}  // namespace

CMenu_View::CMenu_View(CMainFrame& mainFrame)
    : CWork_View(mainFrame, kViewModelData, ReplyTextTable::ModelData),
      backupButton_(new QPushButton("Model Data Backup", this)), modelListButton_(new QPushButton("Model List", this)),
      pcGroup_(new QGroupBox(" [ PC ] ", this)), controllerGroup_(new QGroupBox(" [ Controller ] ", this)),
      pcList_(CreateModelListTable(this, {{"No", 50}, {"File Name", 150}, {"File Path", 600}})),
      controllerList_(CreateModelListTable(this, {{"No", 50}, {"Model Name", 300}})),
      menuFileButton_(new QPushButton("Menu Info File", this)), menuFileLine_(new QLineEdit(this)),
      menuWriteButton_(new QPushButton("Menu Data Write", this))
{
    CreateLogList(kLogColumnWidth);
    menuFileButton_->hide();
    menuFileLine_->hide();
    menuFileLine_->setReadOnly(true);
    menuWriteButton_->hide();
    connect(backupButton_, &QPushButton::clicked, this, &CMenu_View::BackupModels);
    connect(modelListButton_, &QPushButton::clicked, this, &CMenu_View::ListModels);
    connect(menuFileButton_, &QPushButton::clicked, this, &CMenu_View::ChooseMenuFile);
    connect(menuWriteButton_, &QPushButton::clicked, this, &CMenu_View::WriteMenuFile);
    LayOut();
}

void CMenu_View::BackupModels()
{
    if (Port().IsConnected())
        return;
    const QString folder = FileDialogs::Current().ChooseFolder(this, PathText(MainFrame().ApplicationFolder()));
    backupFolder_ = folder.toStdString();
    if (folder.isEmpty())
        return;
    StartJob([this, path = backupFolder_](CDownload_Function& link) { return ModelBackupJob(link, path, *this); });
}

// Runs on the user-interface thread, as the list is short.
void CMenu_View::ListModels()
{
    controllerList_->setRowCount(0);
    if (Port().IsConnected() || !OpenExchangePort())
        return;
    ListControllerModels(Link(), *this);
    Port().ClosePort();
}

void CMenu_View::ChooseMenuFile()
{
    const QString file = FileDialogs::Current().ChooseOpenFile(this, PathText(MainFrame().ApplicationFolder()),
                                                               QtFileFilter(kMenuFileFilter));
    if (file.isEmpty())
        return;
    LogList()->setRowCount(0);
    if (CheckMenuFile(file.toStdString(), ViewReporter()) != MenuFileCheck::Accepted)
        return;
    menuFile_ = file.toStdString();
    menuFileLine_->setText(file);
}

void CMenu_View::WriteMenuFile()
{
    if (Port().IsConnected() || menuFile_.empty())
        return;
    StartJob([path = menuFile_](CDownload_Function& link) { return MenuRestoreJob(link, path); });
}

std::string CMenu_View::StopLine() const
{
    return kModelJobStop;
}

void CMenu_View::AddPcFile(const std::string& path)
{
    const QString name = QString::fromStdString(std::filesystem::path(path).filename().string());
    Calls().Call([&] { AddNumberedRow(pcList_, {name, QString::fromStdString(path)}); });
}

void CMenu_View::AddControllerModel(const std::string& text)
{
    Calls().Call([&] { AddNumberedRow(controllerList_, {QString::fromStdString(text)}); });
}

void CMenu_View::resizeEvent(QResizeEvent* event)
{
    CWork_View::resizeEvent(event);
    LayOut();
}

// The buttons share the right half; the two lists take two fifths of the height each, the
// log the last fifth.
void CMenu_View::LayOut()
{
    const int w = width();
    const int h = height();
    const int q = (h - 55) / 5;
    const int r = (w / 2 - 10) / 2;
    backupButton_->setGeometry(w / 2, 5, r, 30);
    modelListButton_->setGeometry(w / 2 + r + 3, 5, r, 30);
    pcGroup_->setGeometry(5, 40, w - 10, 2 * q);
    controllerGroup_->setGeometry(5, 2 * q + 45, w - 10, 2 * q);
    pcList_->setGeometry(10, 55, w - 20, 2 * q - 20);
    controllerList_->setGeometry(10, 2 * q + 60, w - 20, 2 * q - 20);
    LogList()->setGeometry(5, 4 * q + 50, w - 10, q);
}

}  // namespace skarnel
