// The card side of the SD card view: connecting and listing folders. The exchanges run as jobs
// on the worker with the held connection; the tree and lists change on the user-interface thread.
#include "sdcard/views/sd_file_control_view.h"

#include "base/format.h"
#include "sdcard/sd_codes.h"
#include "shell/list_columns.h"
#include "shell/ui_call_queue.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTreeWidget>

namespace skarnel {
namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString ListReadFailText(uint8_t result)
{
    return Text(Format("File List Read Fail - %s", FatResultText(result).c_str()));
}

QTreeWidgetItem* ChildNamed(QTreeWidgetItem* parent, const QString& name)
{
    for (int child = 0; child < parent->childCount(); ++child)
        if (parent->child(child)->text(0) == name)
            return parent->child(child);
    return nullptr;
}

}  // namespace

void CSD_File_Control_View::Connect()
{
    if (Port().IsConnected()) {
        FailBox("Connect");
        return;
    }
    if (!OpenExchangePort())
        return;
    if (!StartCardJob([this](CDownload_Function& link) { return ConnectCard(link); })) {
        CloseCard();
        SetConnectionButtons(true);
    }
}

// A connect the user stopped ends disconnected, without a box.
JobOutcome CSD_File_Control_View::ConnectCard(CDownload_Function& link)
{
    uint32_t total = 0;
    uint32_t free = 0;
    const std::string failure = StartSdCard(link, total, free);
    if (!failure.empty()) {
        Tell(Text(failure));
        return Disconnected();
    }
    Calls().Call([&] { ShowDiskSpace(total, free); });
    if (StopRequested() || !ListRoot(link))
        return Disconnected();
    return {};
}

// The buttons follow at the job's end.
JobOutcome CSD_File_Control_View::Disconnected()
{
    Calls().Call([this] { CloseCard(); });
    return {};
}

void CSD_File_Control_View::Disconnect()
{
    if (!Port().IsConnected() || IsBusy())
        return;
    CloseCard();
    SetConnectionButtons(true);
}

void CSD_File_Control_View::CloseCard()
{
    Port().ClosePort();
    sdList_->setRowCount(0);
    sdFiles_.clear();
    sdTree_->clear();
    sdTree_->addTopLevelItem(new QTreeWidgetItem({"/"}));
    currentSdFolder_ = "/";
}

bool CSD_File_Control_View::ReadDiskSpace(CDownload_Function& link)
{
    uint32_t total = 0;
    uint32_t free = 0;
    if (!link.SdDiskSpace(total, free))
        return false;
    Calls().Call([&] { ShowDiskSpace(total, free); });
    return true;
}

void CSD_File_Control_View::ShowDiskSpace(uint32_t totalKbyte, uint32_t freeKbyte)
{
    diskSpaceLine_->setText(Text(DiskSpaceText(totalKbyte, freeKbyte)));
    diskBar_->setValue(UsedPercent(totalKbyte, freeKbyte));
}

// A fresh tree whose root is the current folder, listed.
bool CSD_File_Control_View::ListRoot(CDownload_Function& link)
{
    QTreeWidgetItem* root = nullptr;
    Calls().Call([&] {
        root = new QTreeWidgetItem({"/"});
        const QSignalBlocker listedHere(sdTree_);
        sdTree_->clear();
        sdTree_->addTopLevelItem(root);
        sdTree_->setCurrentItem(root);
    });
    return ShowSdFolder(link, root);
}

void CSD_File_Control_View::ShowSdFiles(const std::vector<SdEntry>& files)
{
    sdFiles_ = files;
    sdList_->setRowCount(0);
    for (const SdEntry& file : files) {
        const int row = sdList_->rowCount();
        sdList_->insertRow(row);
        SetFileRow(*sdList_, row, {QString::number(row + 1), Text(file.name), Text(file.date), Text(file.time), {}});
    }
    ShowSdSizes();
}

void CSD_File_Control_View::AddSdFolders(QTreeWidgetItem* parent, const std::vector<SdEntry>& entries)
{
    for (const SdEntry& entry : entries)
        if (entry.IsFolder() && !ChildNamed(parent, Text(entry.name)))
            parent->addChild(new QTreeWidgetItem({Text(entry.name)}));
}

std::string CSD_File_Control_View::SdPath(const QTreeWidgetItem* item) const
{
    std::string path;
    for (const QTreeWidgetItem* at = item; at && at->parent(); at = at->parent())
        path = "/" + at->text(0).toStdString() + path;
    return path.empty() ? "/" : path;
}

// Mouse and keyboard select a folder alike: through the tree's current item. The tree waits
// while a job runs, so the item lives until the job has listed it.
void CSD_File_Control_View::SelectSdFolder(QTreeWidgetItem* item)
{
    if (!item || !Port().IsConnected())
        return;
    StartCardJob([this, item](CDownload_Function& link) {
        link.Sleep(kFolderSelectPauseMs);
        ShowSdFolder(link, item);
        return JobOutcome{};
    });
}

// The folder becomes the one whose files are listed, and the one every delete and copy works
// in; nothing of the folder shown before stays. A stop leaves the sizes unread.
bool CSD_File_Control_View::ShowSdFolder(CDownload_Function& link, QTreeWidgetItem* item)
{
    std::string folder;
    bool root = false;
    Calls().Call([&] {
        currentSdFolder_ = SdPath(item);
        folder = currentSdFolder_;
        root = !item->parent();
        ShowSdFiles({});
    });
    std::vector<SdEntry> entries;
    uint8_t result = kSdResultNone;
    const SdListing listing = ListSdFolder(link, folder, entries, result);
    if (listing == SdListing::OpenFailed) {
        Tell(root ? "SD Root Directory Open Fail" : "SD Directory Open Fail");
        return false;
    }
    std::vector<SdEntry> files = SdFileRows(folder, entries);
    Calls().Call([&] {
        AddSdFolders(item, entries);
        ShowSdFiles(files);
    });
    if (listing == SdListing::ReadFailed)
        Tell(root ? ListReadFailText(result) : QString("File List Read Fail"));
    Calls().Call([&] {
        if (sdList_->rowCount() > 0)
            sdList_->selectRow(0);
        item->setExpanded(item->childCount() > 0);
    });
    if (StopRequested())
        return true;
    ReadSdFileSizes(link, folder, files);
    Calls().Call([&] {
        sdFiles_ = files;
        ShowSdSizes();
    });
    return true;
}

void CSD_File_Control_View::ShowSdSizes()
{
    for (int row = 0; row < sdList_->rowCount(); ++row) {
        const std::optional<uint32_t>& size = sdFiles_[static_cast<size_t>(row)].size;
        const QString text = size ? Text(GroupedSizeText(*size)) : QString();
        sdList_->item(row, 4)->setText(text);
        sdList_->item(row, 4)->setToolTip(text);
        FitColumnToText(*sdList_, 4, text);
    }
}

}  // namespace skarnel
