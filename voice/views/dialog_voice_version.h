#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;

namespace skarnel {

// "Voice Version": the voice data version a set is made with, at most 4 characters.
class CDialog_Voice_Version final : public QDialog {
    Q_OBJECT
public:
    CDialog_Voice_Version(int version, QWidget* parent = nullptr);

    // The number typed (text that is no number gives 0).
    int Version() const;

    QLineEdit* VersionEdit() const { return edit_; }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }

    // Opens the dialog modally: the version taken with OK, nothing after Cancel.
    static std::optional<int> Ask(QWidget* parent, int version);

private:
    QLineEdit* edit_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace skarnel
