#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace skarnel {

// "Target Directory": a folder chooser owned by the main window, starting in the
// application's folder and accepting only folders.
class CFolder_Browser_Dialog final {
public:
    CFolder_Browser_Dialog(QWidget* owner, const QString& startFolder);
    ~CFolder_Browser_Dialog();

    // 1 and the chosen folder, or 0 and an empty path.
    int Run(QString& path);
    QFileDialog* Dialog() const { return dialog_; }

private:
    QFileDialog* dialog_;
};

}  // namespace skarnel
