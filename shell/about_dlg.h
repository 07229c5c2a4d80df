#pragma once

#include <QDialog>

namespace skarnel {

// "Skarnel Info...".
class CAboutDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace skarnel
