#include "shell/file_dialogs.h"

#include "shell/folder_browser_dialog.h"

#include <QFileDialog>

namespace skarnel {
namespace {

class QtFileDialogs final : public FileDialogs {
public:
    QString ChooseFolder(QWidget* parent, const QString& startFolder) override
    {
        CFolder_Browser_Dialog chooser(parent, startFolder);
        QString folder;
        chooser.Run(folder);
        return folder;
    }

    QString ChooseOpenFile(QWidget* parent, const QString& startFolder, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, {}, startFolder, filter);
    }

    QStringList ChooseOpenFiles(QWidget* parent, const QString& startFolder, const QString& filter) override
    {
        return QFileDialog::getOpenFileNames(parent, {}, startFolder, filter);
    }
};

QtFileDialogs g_default;
FileDialogs* g_current = &g_default;

}  // namespace

FileDialogs& FileDialogs::Current()
{
    return *g_current;
}

void FileDialogs::Install(FileDialogs* dialogs)
{
    g_current = dialogs ? dialogs : &g_default;
}

}  // namespace skarnel
