#include "shell/message_boxes.h"

#include <QMessageBox>

namespace skarnel {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

class QtMessageBoxes final : public MessageBoxes {
public:
    void Show(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override
    {
        QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Ok, parent);
        box.exec();
    }

    bool Ask(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override
    {
        QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
        return box.exec() == QMessageBox::Yes;
    }
};

QtMessageBoxes g_default;
MessageBoxes* g_current = &g_default;

}  // namespace

MessageBoxes& MessageBoxes::Current()
{
    return *g_current;
}

void MessageBoxes::Install(MessageBoxes* boxes)
{
    g_current = boxes ? boxes : &g_default;
}

void ShowMessageBox(QWidget* parent, const QString& text, const QString& title, MessageIcon icon)
{
    MessageBoxes::Current().Show(parent, text, title, icon);
}

bool AskYesNoBox(QWidget* parent, const QString& text, const QString& title, MessageIcon icon)
{
    return MessageBoxes::Current().Ask(parent, text, title, icon);
}

}  // namespace skarnel
