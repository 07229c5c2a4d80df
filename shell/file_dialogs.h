#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace skarnel {

// Where the views' folder and file choosers come from. The default shows the dialogs; tests
// install one that answers. Each call gives an empty answer when the user cancels.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // "Target Directory", starting in startFolder.
    virtual QString ChooseFolder(QWidget* parent, const QString& startFolder) = 0;
    virtual QString ChooseOpenFile(QWidget* parent, const QString& startFolder, const QString& filter) = 0;
    virtual QStringList ChooseOpenFiles(QWidget* parent, const QString& startFolder, const QString& filter) = 0;

    static FileDialogs& Current();
    // Replaces the dialogs (nullptr restores the default); the caller keeps ownership.
    static void Install(FileDialogs* dialogs);
};

}  // namespace skarnel
