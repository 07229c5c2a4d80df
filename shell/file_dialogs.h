#pragma once

#include <QString>

class QWidget;

namespace skarnel {

// Where the application's file-open and file-save dialogs come from. The default shows
// QFileDialog; tests install one that records and answers. A filter is written as the views
// word it: "Text(*.bin)|*.bin|ALL Filess(*.*)|*.*||".
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path; empty when the user cancelled.
    virtual QString OpenFile(QWidget* parent, const QString& filter, const QString& start) = 0;
    virtual QString SaveFile(QWidget* parent, const QString& filter, const QString& start) = 0;

    static FileDialogs& Current();
    // Replaces the dialogs (nullptr restores the default); the caller keeps ownership.
    static void Install(FileDialogs* dialogs);
};

// The filter in Qt's form: "Text(*.bin);;ALL Filess(*.*)".
QString QtFileFilter(const QString& filter);

}  // namespace skarnel
