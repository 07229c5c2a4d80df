// The SD card view's changes to the card: a new folder, deleting a folder or a file. The user
// is asked on the user-interface thread; the card is changed by a job on the worker.
#include "sdcard/views/sd_file_control_view.h"

#include "base/format.h"
#include "sdcard/sd_codes.h"
#include "shell/message_boxes.h"
#include "shell/text_questions.h"
#include "shell/ui_call_queue.h"

#include <QSignalBlocker>
#include <QTableWidget>
#include <QTreeWidget>

namespace skarnel {
namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

void RenumberRows(QTableWidget* list)
{
    for (int row = 0; row < list->rowCount(); ++row)
        list->item(row, 0)->setText(QString::number(row + 1));
}

}  // namespace

void CSD_File_Control_View::NewFolder()
{
    QTreeWidgetItem* parent = sdTree_->currentItem();
    if (!Port().IsConnected() || !parent)
        return;
    const std::optional<QString> name = TextQuestions::Current().Ask(this, "New Folder Name", 0);
    if (!name || name->isEmpty())
        return;
    StartCardJob([this, parent, name = *name, path = SdChildPath(currentSdFolder_, name->toStdString())](
                     CDownload_Function& link) { return MakeFolder(link, parent, name, path); });
}

// The new folder becomes the selected one, and is listed.
JobOutcome CSD_File_Control_View::MakeFolder(CDownload_Function& link, QTreeWidgetItem* parent, const QString& name,
                                             const std::string& path)
{
    uint8_t result = kSdResultNone;
    if (!link.SdMakeFolder(path, result)) {
        Tell("Make Folder Fail", "Fail");
        return {};
    }
    QTreeWidgetItem* folder = nullptr;
    Calls().Call([&] {
        folder = new QTreeWidgetItem({name});
        parent->addChild(folder);
        parent->setExpanded(true);
        const QSignalBlocker listedHere(sdTree_);
        sdTree_->setCurrentItem(folder);
    });
    link.Sleep(kFolderSelectPauseMs);
    ShowSdFolder(link, folder);
    return {};
}

void CSD_File_Control_View::DeleteFile()
{
    const int row = sdList_->currentRow();
    if (!Port().IsConnected() || row < 0 || static_cast<size_t>(row) >= sdFiles_.size())
        return;
    const std::string name = sdFiles_[static_cast<size_t>(row)].name;
    if (!AskYesNoBox(this, Text(Format("File Delete - %s   ", name.c_str())), "Delete"))
        return;
    StartCardJob([this, row, name, path = SdChildPath(currentSdFolder_, name)](CDownload_Function& link) {
        return RemoveFile(link, row, name, path);
    });
}

JobOutcome CSD_File_Control_View::RemoveFile(CDownload_Function& link, int row, const std::string& name,
                                             const std::string& path)
{
    uint8_t result = kSdResultNone;
    if (!link.SdDelete(path, result)) {
        Tell(Text(Format("File Delete Fail -%s \r\n %s   ", name.c_str(), FatResultText(result).c_str())));
        return {};
    }
    Calls().Call([&] {
        sdList_->removeRow(row);
        sdFiles_.erase(sdFiles_.begin() + row);
        RenumberRows(sdList_);
    });
    return {};
}

void CSD_File_Control_View::DeleteFolder()
{
    QTreeWidgetItem* item = sdTree_->currentItem();
    if (!Port().IsConnected() || !item || !item->parent())
        return;
    const std::string name = item->text(0).toStdString();
    if (!AskYesNoBox(this, Text(Format("Folder Delete - %s   ", name.c_str())), "Delete"))
        return;
    StartCardJob([this, item, name, path = SdPath(item)](CDownload_Function& link) {
        return RemoveFolder(link, item, name, path);
    });
}

// The parent becomes the selected folder, and is listed.
JobOutcome CSD_File_Control_View::RemoveFolder(CDownload_Function& link, QTreeWidgetItem* item, const std::string& name,
                                               const std::string& path)
{
    uint8_t result = kSdResultNone;
    if (!link.SdDelete(path, result)) {
        Tell(Text(Format("Folder Delete Fail -%s \r\n %s   ", name.c_str(), FatResultText(result).c_str())));
        return {};
    }
    QTreeWidgetItem* parent = nullptr;
    Calls().Call([&] {
        parent = item->parent();
        // The parent becomes current before the item goes: deleting the current item would make
        // the tree choose a neighbour of it.
        const QSignalBlocker listedHere(sdTree_);
        sdTree_->setCurrentItem(parent);
        delete item;
    });
    link.Sleep(kFolderSelectPauseMs);
    ShowSdFolder(link, parent);
    return {};
}

}  // namespace skarnel
