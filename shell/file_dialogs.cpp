#include "shell/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

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

QString QtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split('|', Qt::SkipEmptyParts);
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& text = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        // A text that already ends with its patterns in brackets is shown as it is.
        entries << (text.endsWith('(' + parts[i + 1] + ')') ? text : text + " (" + patterns + ')');
    }
    return entries.join(";;");
}

}  // namespace skarnel
