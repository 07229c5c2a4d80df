#include "shell/folder_browser_dialog.h"

#include <QFileDialog>

namespace skarnel {

CFolder_Browser_Dialog::CFolder_Browser_Dialog(QWidget* owner, const QString& startFolder)
    : dialog_(new QFileDialog(owner, "Target Directory", startFolder))
{
    dialog_->setFileMode(QFileDialog::Directory);
    dialog_->setOption(QFileDialog::ShowDirsOnly);
    dialog_->setOption(QFileDialog::DontUseNativeDialog);
}

CFolder_Browser_Dialog::~CFolder_Browser_Dialog()
{
    delete dialog_;
}

int CFolder_Browser_Dialog::Run(QString& path)
{
    path.clear();
    if (dialog_->exec() != QDialog::Accepted || dialog_->selectedFiles().isEmpty())
        return 0;
    path = dialog_->selectedFiles().first();
    return 1;
}

}  // namespace skarnel
