#include "voice/views/dialog_voice_version.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace skarnel {
namespace {

constexpr int kMaxVersionLength = 4;

}  // namespace

CDialog_Voice_Version::CDialog_Voice_Version(int version, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(QString::number(version), this)),
      okButton_(new QPushButton(QString::fromUtf8("확인"), this)),
      cancelButton_(new QPushButton(QString::fromUtf8("취소"), this))
{
    setWindowTitle("Voice Version");
    edit_->setMaxLength(kMaxVersionLength);
    okButton_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addLayout(buttons);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

int CDialog_Voice_Version::Version() const
{
    return edit_->text().trimmed().toInt();
}

std::optional<int> CDialog_Voice_Version::Ask(QWidget* parent, int version)
{
    CDialog_Voice_Version dialog(version, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Version();
}

}  // namespace skarnel
