// The card side of the SD card view: connecting, folders, and deleting; all on the
// user-interface thread with the view's own protocol object.
#include "sdcard/sd_file_control_view.h"

#include "link/format.h"
#include "sdcard/sd_codes.h"
#include "shell/message_boxes.h"
#include "shell/text_questions.h"
#include "shell/ui_call_queue.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTreeWidget>

namespace skarnel {
namespace {

constexpr int kFolderSelectPauseMs = 300;

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

void RenumberRows(QTableWidget* list)
{
    for (int row = 0; row < list->rowCount(); ++row)
        list->item(row, 0)->setText(QString::number(row + 1));
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
    uint32_t total = 0;
    uint32_t free = 0;
    const std::string failure = StartSdCard(Link(), total, free);
    if (!failure.empty()) {
        ShowMessageBox(this, Text(failure));
        Disconnect();
        return;
    }
    ShowDiskSpace(total, free);
    if (!ListRoot()) {
        Disconnect();
        return;
    }
    SetConnectedControls(true);
}

void CSD_File_Control_View::Disconnect()
{
    if (!Port().IsConnected())
        return;
    Port().ClosePort();
    sdList_->setRowCount(0);
    sdFiles_.clear();
    sdTree_->clear();
    sdTree_->addTopLevelItem(new QTreeWidgetItem({"/"}));
    currentSdFolder_ = "/";
    SetConnectedControls(false);
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

// A fresh tree whose root is the current folder, listed; false when the root cannot be opened.
bool CSD_File_Control_View::ListRoot()
{
    auto* root = new QTreeWidgetItem({"/"});
    {
        const QSignalBlocker listedHere(sdTree_);
        sdTree_->clear();
        sdTree_->addTopLevelItem(root);
        sdTree_->setCurrentItem(root);
    }
    return ShowSdFolder(root);
}

void CSD_File_Control_View::ShowSdFiles(const std::vector<SdEntry>& files)
{
    sdFiles_ = files;
    sdList_->setRowCount(0);
    for (const SdEntry& file : files) {
        const int row = sdList_->rowCount();
        sdList_->insertRow(row);
        const QStringList cells{QString::number(row + 1), Text(file.name), Text(file.date), Text(file.time), {}};
        for (int column = 0; column < cells.size(); ++column)
            sdList_->setItem(row, column, new QTableWidgetItem(cells[column]));
        sdList_->item(row, 4)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
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

// Mouse and keyboard select a folder alike: through the tree's current item.
void CSD_File_Control_View::SelectSdFolder(QTreeWidgetItem* item)
{
    if (!item || !Port().IsConnected())
        return;
    Link().Sleep(kFolderSelectPauseMs);
    ShowSdFolder(item);
}

// The folder becomes the one whose files are listed, and the one every delete and copy works
// in; nothing of the folder shown before stays. False when the folder cannot be opened.
bool CSD_File_Control_View::ShowSdFolder(QTreeWidgetItem* item)
{
    currentSdFolder_ = SdPath(item);
    ShowSdFiles({});
    const bool root = !item->parent();
    std::vector<SdEntry> entries;
    uint8_t result = kSdResultNone;
    const SdListing listing = ListSdFolder(Link(), currentSdFolder_, entries, result);
    if (listing == SdListing::OpenFailed) {
        ShowMessageBox(this, root ? "SD Root Directory Open Fail" : "SD Directory Open Fail");
        return false;
    }
    AddSdFolders(item, entries);
    ShowSdFiles(SdFileRows(currentSdFolder_, entries));
    if (listing == SdListing::ReadFailed)
        ShowMessageBox(this, root ? ListReadFailText(result) : QString("File List Read Fail"));
    if (sdList_->rowCount() > 0)
        sdList_->selectRow(0);
    item->setExpanded(item->childCount() > 0);
    ReadSdFileSizes(Link(), currentSdFolder_, sdFiles_);
    ShowSdSizes();
    return true;
}

void CSD_File_Control_View::ShowSdSizes()
{
    for (int row = 0; row < sdList_->rowCount(); ++row) {
        const std::optional<uint32_t>& size = sdFiles_[static_cast<size_t>(row)].size;
        sdList_->item(row, 4)->setText(size ? Text(GroupedSizeText(*size)) : QString());
    }
}

void CSD_File_Control_View::NewFolder()
{
    if (!Port().IsConnected() || !sdTree_->currentItem())
        return;
    const std::optional<QString> name = TextQuestions::Current().Ask(this, "New Folder Name", 0);
    if (!name || name->isEmpty())
        return;
    uint8_t result = kSdResultNone;
    if (!Link().SdMakeFolder(SdChildPath(currentSdFolder_, name->toStdString()), result)) {
        FailBox("Make Folder Fail");
        return;
    }
    QTreeWidgetItem* parent = sdTree_->currentItem();
    auto* folder = new QTreeWidgetItem({*name});
    parent->addChild(folder);
    parent->setExpanded(true);
    sdTree_->setCurrentItem(folder);
}

void CSD_File_Control_View::DeleteFile()
{
    const int row = sdList_->currentRow();
    if (!Port().IsConnected() || row < 0 || static_cast<size_t>(row) >= sdFiles_.size())
        return;
    const std::string name = sdFiles_[static_cast<size_t>(row)].name;
    if (!AskYesNoBox(this, Text(Format("File Delete - %s   ", name.c_str())), "Delete"))
        return;
    uint8_t result = kSdResultNone;
    if (!Link().SdDelete(SdChildPath(currentSdFolder_, name), result)) {
        ShowMessageBox(this, Text(Format("File Delete Fail -%s \r\n %s   ", name.c_str(),
                                         FatResultText(result).c_str())));
        return;
    }
    sdList_->removeRow(row);
    sdFiles_.erase(sdFiles_.begin() + row);
    RenumberRows(sdList_);
}

void CSD_File_Control_View::DeleteFolder()
{
    QTreeWidgetItem* item = sdTree_->currentItem();
    if (!Port().IsConnected() || !item || !item->parent())
        return;
    const std::string name = item->text(0).toStdString();
    if (!AskYesNoBox(this, Text(Format("Folder Delete - %s   ", name.c_str())), "Delete"))
        return;
    uint8_t result = kSdResultNone;
    if (!Link().SdDelete(SdPath(item), result)) {
        ShowMessageBox(this, Text(Format("Folder Delete Fail -%s \r\n %s   ", name.c_str(),
                                         FatResultText(result).c_str())));
        return;
    }
    // The parent becomes current, and is listed, before the item goes: deleting the current
    // item would make the tree choose a neighbour of it.
    sdTree_->setCurrentItem(item->parent());
    delete item;
}

// The commands one by one, for service work; their buttons are hidden.
void CSD_File_Control_View::CreateHiddenCommandButtons()
{
    const auto add = [this](const char* title, std::function<void()> run) {
        auto* button = new QPushButton(title, this);
        button->hide();
        connect(button, &QPushButton::clicked, this, [this, run = std::move(run)] {
            if (Port().IsConnected())
                run();
        });
        hiddenCommandButtons_.push_back(button);
    };
    add("log stop", [this] {
        if (!Link().SdLogStop())
            ShowMessageBox(this, "SD Log Stop Fail");
    });
    add("Init", [this] {
        if (!Link().SdInit())
            ShowMessageBox(this, "SD Init Fail");
    });
    add("Space", [this] {
        if (!ReadDiskSpace(Link()))
            ShowMessageBox(this, "SD Size Read Fail");
    });
    add("Open Dir", [this] {
        uint8_t result = kSdResultNone;
        if (!Link().SdOpenDirectory(currentSdFolder_, result))
            ShowMessageBox(this, ListReadFailText(result));
    });
    add("File List", [this] {
        std::string entry;
        uint8_t result = kSdResultNone;
        if (Link().SdNextEntry(entry, result))
            AppendLogLine(entry);
        else
            ShowMessageBox(this, ListReadFailText(result));
    });
}

}  // namespace skarnel
