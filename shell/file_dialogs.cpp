#include "shell/file_dialogs.h"

#include "shell/folder_browser_dialog.h"

#include <QFileDialog>

namespace skarnel {
namespace {

class QtFileDialogs final : public FileDialogs {
public:
    QString OpenFile(QWidget* parent, const QString& filter, const QString& start) override
    {
        return QFileDialog::getOpenFileName(parent, {}, start, QtFileFilter(filter));
    }

    QString SaveFile(QWidget* parent, const QString& filter, const QString& start) override
    {
        return QFileDialog::getSaveFileName(parent, {}, start, QtFileFilter(filter));
    }

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

QString FileDialogs::OpenFile(QWidget*, const QString&, const QString&)
{
    return {};
}

QString FileDialogs::SaveFile(QWidget*, const QString&, const QString&)
{
    return {};
}

QString FileDialogs::ChooseFolder(QWidget*, const QString&)
{
    return {};
}

QString FileDialogs::ChooseOpenFile(QWidget*, const QString&, const QString&)
{
    return {};
}

QStringList FileDialogs::ChooseOpenFiles(QWidget*, const QString&, const QString&)
{
    return {};
}

FileDialogs& FileDialogs::Current()
{
    return *g_current;
}

void FileDialogs::Install(FileDialogs* dialogs)
{
    g_current = dialogs ? dialogs : &g_default;
}

QString QtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split('|', Qt::SkipEmptyParts);
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i];
        const QString shownPatterns = '(' + parts[i + 1] + ')';
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        // Qt reads a filter's patterns from the brackets at the end of its text, separated by blanks.
        if (text.endsWith(shownPatterns))
            text.chop(shownPatterns.size());
        else
            text += ' ';
        entries << text + '(' + patterns + ')';
    }
    return entries.join(";;");
}

}  // namespace skarnel
