#include "shell/dialog_input.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace skarnel {

CDialog_Input::CDialog_Input(QWidget* parent)
    : QDialog(parent), prompt_(new QLabel("Directory Name", this)), edit_(new QLineEdit(this))
{
    setWindowTitle("Input");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(new QPushButton("Ok", buttons), QDialogButtonBox::AcceptRole);
    buttons->addButton(new QPushButton("Cancel", buttons), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        result_ = edit_->text();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
}

void CDialog_Input::SetMaxLength(int length)
{
    if (length > 0)
        edit_->setMaxLength(length);
}

void CDialog_Input::SetPrompt(const QString& prompt)
{
    if (!prompt.isEmpty())
        prompt_->setText(prompt);
}

}  // namespace skarnel
