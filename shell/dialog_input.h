#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace skarnel {

// "Input": one line of text under a prompt (by default "Directory Name").
class CDialog_Input final : public QDialog {
    Q_OBJECT
public:
    explicit CDialog_Input(QWidget* parent = nullptr);

    // Applied when above 0.
    void SetMaxLength(int length);
    // Shown when not empty.
    void SetPrompt(const QString& prompt);
    // The text taken with Ok.
    const QString& Result() const { return result_; }
    QLineEdit* Edit() const { return edit_; }
    QLabel* Prompt() const { return prompt_; }

private:
    QLabel* prompt_;
    QLineEdit* edit_;
    QString result_;
};

}  // namespace skarnel
