#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace skarnel {

// Where the views' folder and file choosers come from. The default shows the dialogs; tests
// install one that answers what they need (every chooser a test leaves alone answers as
// cancelled). Each call gives an empty answer when the user cancels.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // A filter written as the views word it: "Text(*.bin)|*.bin|ALL Filess(*.*)|*.*||".
    virtual QString OpenFile(QWidget* parent, const QString& filter, const QString& start);
    virtual QString SaveFile(QWidget* parent, const QString& filter, const QString& start);
    // "Target Directory", starting in startFolder.
    virtual QString ChooseFolder(QWidget* parent, const QString& startFolder);
    // A filter in Qt's form.
    virtual QString ChooseOpenFile(QWidget* parent, const QString& startFolder, const QString& filter);
    virtual QStringList ChooseOpenFiles(QWidget* parent, const QString& startFolder, const QString& filter);

    static FileDialogs& Current();
    // Replaces the dialogs (nullptr restores the default); the caller keeps ownership.
    static void Install(FileDialogs* dialogs);
};

// The filter in Qt's form: "Text(*.bin);;ALL Filess(*.*)".
QString QtFileFilter(const QString& filter);

}  // namespace skarnel
