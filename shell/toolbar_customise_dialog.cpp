#include "shell/toolbar_customise_dialog.h"

#include "shell/commands.h"
#include "shell/icons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include <algorithm>

namespace skarnel {

CToolbar_Customise_Dialog::CToolbar_Customise_Dialog(const std::vector<int>& shown, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8("사용자 지정"));
    auto* layout = new QVBoxLayout(this);
    for (int id : ToolbarCommands()) {
        auto* box = new QCheckBox(CommandText(id), this);
        box->setIcon(CommandIcon(id));
        box->setChecked(std::find(shown.begin(), shown.end(), id) != shown.end());
        layout->addWidget(box);
        boxes_[id] = box;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::vector<int> CToolbar_Customise_Dialog::ChosenButtons() const
{
    return ToolbarCommandsWhere([this](int id) { return boxes_.at(id)->isChecked(); });
}

}  // namespace skarnel
