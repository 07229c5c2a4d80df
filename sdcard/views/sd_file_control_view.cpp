#include "sdcard/views/sd_file_control_view.h"

#include "base/format.h"
#include "sdcard/pc_folder.h"
#include "sdcard/sd_codes.h"
#include "shell/list_columns.h"
#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "shell/ui_call_queue.h"
#include "shell/view_table.h"

#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QUrl>

#include <algorithm>

namespace skarnel {
namespace {

constexpr int kLogColumnWidth = 400;
constexpr int kLogTimeColumnWidth = 130;
constexpr int kSizeColumn = 4;

QTableWidget* CreateFileList(QWidget* parent)
{
    auto* list = new QTableWidget(0, 5, parent);
    list->setHorizontalHeaderLabels({"No", "File Name", "Date", "Time", "Size"});
    const int widths[] = {30, 150, 70, 50, 70};
    for (int column = 0; column < 5; ++column)
        list->setColumnWidth(column, widths[column]);
    list->verticalHeader()->hide();
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MakeOneLineList(*list);
    return list;
}

}  // namespace

// The size column is right-aligned; every column grows to its longest text.
void SetFileRow(QTableWidget& list, int row, const QStringList& cells)
{
    for (int column = 0; column < cells.size(); ++column) {
        list.setItem(row, column, TextItem(cells[column]));
        FitColumnToText(list, column, cells[column]);
    }
    list.item(row, kSizeColumn)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

namespace {

QTreeWidget* CreateFolderTree(QWidget* parent)
{
    auto* tree = new QTreeWidget(parent);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    return tree;
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

CSD_File_Control_View::CSD_File_Control_View(CMainFrame& mainFrame)
    : CWork_View(mainFrame, kViewSdFileControl), connectButton_(new QPushButton("Connect", this)),
      disconnectButton_(new QPushButton("Disconnect", this)), sdToPcButton_(new QPushButton("SD -> PC", this)),
      pcToSdButton_(new QPushButton("PC -> SD", this)), newFolderButton_(new QPushButton("New Folder", this)),
      deleteFolderButton_(new QPushButton("Delete Folder", this)),
      deleteFileButton_(new QPushButton("Delete File", this)), browseButton_(new QPushButton("Browse", this)),
      sdTree_(CreateFolderTree(this)), sdList_(CreateFileList(this)), pcTree_(CreateFolderTree(this)),
      pcList_(CreateFileList(this)), diskSpaceLine_(new QLabel(Text(DiskSpaceText(0, 0)), this)),
      diskBar_(new QProgressBar(this)), pcPathLine_(new QLabel(this))
{
    CreateControls();
    CreateHiddenCommandButtons();
    ConnectSignals();
    sdTree_->addTopLevelItem(new QTreeWidgetItem({"/"}));
    OpenPcBaseFolder();
    SetConnectionButtons(true);
    LayOut();
}

// A job still running is stopped and waited for here, while the state its reports reach lives.
CSD_File_Control_View::~CSD_File_Control_View()
{
    if (IsBusy()) {
        RequestStop();
        WaitForJobEnd();
    }
    Disconnect();
}

void CSD_File_Control_View::CreateControls()
{
    CreateLogList(kLogColumnWidth)->setColumnWidth(1, kLogTimeColumnWidth);
    CreateProgressBar();
    CreateStatusLine()->setText("Transfer");
    CreateStopButton()->setText("Process Stop");
    diskBar_->setRange(0, 100);
    diskBar_->setValue(0);
    for (QPushButton* button :
         {disconnectButton_, sdToPcButton_, pcToSdButton_, newFolderButton_, deleteFolderButton_, deleteFileButton_})
        AddJobButton(button);
}

void CSD_File_Control_View::ConnectSignals()
{
    connect(connectButton_, &QPushButton::clicked, this, &CSD_File_Control_View::Connect);
    connect(disconnectButton_, &QPushButton::clicked, this, &CSD_File_Control_View::Disconnect);
    connect(sdToPcButton_, &QPushButton::clicked, this, &CSD_File_Control_View::CopySdToPc);
    connect(pcToSdButton_, &QPushButton::clicked, this, &CSD_File_Control_View::CopyPcToSd);
    connect(newFolderButton_, &QPushButton::clicked, this, &CSD_File_Control_View::NewFolder);
    connect(deleteFolderButton_, &QPushButton::clicked, this, &CSD_File_Control_View::DeleteFolder);
    connect(deleteFileButton_, &QPushButton::clicked, this, &CSD_File_Control_View::DeleteFile);
    connect(browseButton_, &QPushButton::clicked, this, &CSD_File_Control_View::Browse);
    connect(sdTree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { SelectSdFolder(item); });
    connect(pcTree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { SelectPcFolder(item); });
}

// The PC side works without a controller: the backup folder is listed when the view opens.
void CSD_File_Control_View::OpenPcBaseFolder()
{
    std::string error;
    const auto base = EnsureSdBackupFolder(MainFrame().ApplicationFolder(), error);
    if (!base) {
        ShowMessageBox(this, Text(error), "Fail");
        return;
    }
    pcBaseFolder_ = *base;
    auto* root = new QTreeWidgetItem({Text(pcBaseFolder_.filename().string())});
    pcTree_->addTopLevelItem(root);
    pcTree_->setCurrentItem(root);
}

// Mouse and keyboard select a folder alike: through the tree's current item.
void CSD_File_Control_View::SelectPcFolder(QTreeWidgetItem* item)
{
    if (!item || pcBaseFolder_.empty())
        return;
    std::vector<std::string> names;
    for (const QTreeWidgetItem* at = item; at->parent(); at = at->parent())
        names.insert(names.begin(), at->text(0).toStdString());
    currentPcFolder_ = pcBaseFolder_;
    for (const std::string& name : names)
        currentPcFolder_ /= name;
    ListPc(currentPcFolder_, item);
    pcPathLine_->setText(Text(currentPcFolder_.string()));
    pcPathLine_->setToolTip(pcPathLine_->text());
}

void CSD_File_Control_View::ListPc(const std::filesystem::path& folder, QTreeWidgetItem* item)
{
    pcList_->setRowCount(0);
    const PcListing listing = ListPcFolder(folder);
    for (const PcFileRow& file : listing.files) {
        const int row = pcList_->rowCount();
        pcList_->insertRow(row);
        SetFileRow(*pcList_, row,
                   {QString::number(row + 1), Text(file.name), Text(file.date), Text(file.time),
                    Text(GroupedSizeText(file.size))});
    }
    for (const std::string& name : listing.folders) {
        bool known = false;
        for (int child = 0; child < item->childCount() && !known; ++child)
            known = item->child(child)->text(0) == Text(name);
        if (!known)
            item->addChild(new QTreeWidgetItem({Text(name)}));
    }
}

void CSD_File_Control_View::Browse()
{
    if (currentPcFolder_.empty())
        return;
    const QString folder = Text(currentPcFolder_.string());
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        ShowMessageBox(this, folder, "Browse");
}

std::vector<std::string> CSD_File_Control_View::SelectedNames(const QTableWidget* list) const
{
    std::vector<std::string> names;
    for (int row = 0; row < list->rowCount() && names.size() < kMaxTransferFiles; ++row)
        if (list->item(row, 1) && list->item(row, 1)->isSelected())
            names.push_back(list->item(row, 1)->text().toStdString());
    return names;
}

void CSD_File_Control_View::SetConnectionButtons(bool idle)
{
    connectButton_->setEnabled(idle && !Port().IsConnected());
    disconnectButton_->setEnabled(idle && Port().IsConnected());
}

// The trees choose the folders a job works in, so they wait for it too.
void CSD_File_Control_View::JobControlsChanged(bool enabled)
{
    SetTreesEnabled(enabled);
    SetConnectionButtons(enabled);
}

void CSD_File_Control_View::SetTreesEnabled(bool enabled)
{
    sdTree_->setEnabled(enabled);
    pcTree_->setEnabled(enabled);
}

void CSD_File_Control_View::FailBox(const QString& text)
{
    ShowMessageBox(this, text, "Fail");
}

bool CSD_File_Control_View::StartCardJob(Procedure procedure)
{
    if (StartJobOnOpenPort(std::move(procedure)))
        return true;
    FailBox("Thread StartFail");
    return false;
}

// A job the user stopped ends without a box.
void CSD_File_Control_View::Tell(const QString& text, const QString& title)
{
    if (!StopRequested())
        Calls().Call([&] { ShowMessageBox(this, text, title); });
}

void CSD_File_Control_View::resizeEvent(QResizeEvent* event)
{
    CWork_View::resizeEvent(event);
    LayOut();
}

// The card on the left, the PC on the right, the transfer buttons and lines between them and
// the log; the log takes the last quarter of the height.
void CSD_File_Control_View::LayOut()
{
    const int w = width();
    const int h = height();
    const int half = (w - 15) / 2;
    const int right = half + 10;
    const int paneTop = 70;
    const int logTop = h - h / 4;
    const int paneHeight = logTop - paneTop - 105;
    const int treeHeight = paneHeight / 3;

    connectButton_->setGeometry(5, 5, 90, 25);
    disconnectButton_->setGeometry(100, 5, 90, 25);
    diskSpaceLine_->setGeometry(200, 5, w - 205, 15);
    diskBar_->setGeometry(200, 22, w - 205, 10);
    newFolderButton_->setGeometry(5, 38, 90, 25);
    deleteFolderButton_->setGeometry(100, 38, 90, 25);
    deleteFileButton_->setGeometry(195, 38, 90, 25);
    // On a narrow view the PC side's Browse moves right so as not to cover "Delete File".
    const int browseLeft = std::max(right, 290);
    browseButton_->setGeometry(browseLeft, 38, 90, 25);
    pcPathLine_->setGeometry(browseLeft + 95, 38, w - browseLeft - 100, 25);

    sdTree_->setGeometry(5, paneTop, half, treeHeight);
    sdList_->setGeometry(5, paneTop + treeHeight + 5, half, paneHeight - treeHeight - 5);
    pcTree_->setGeometry(right, paneTop, half, treeHeight);
    pcList_->setGeometry(right, paneTop + treeHeight + 5, half, paneHeight - treeHeight - 5);

    const int transferTop = paneTop + paneHeight + 10;
    sdToPcButton_->setGeometry(5, transferTop, 90, 25);
    pcToSdButton_->setGeometry(100, transferTop, 90, 25);
    StopButton()->setGeometry(195, transferTop, 90, 25);
    StatusLine()->setGeometry(5, transferTop + 35, w - 10, 15);
    ProgressBar()->setGeometry(5, transferTop + 55, w - 10, 15);
    LogList()->setGeometry(5, logTop, w - 10, h / 4 - 5);
}

}  // namespace skarnel
