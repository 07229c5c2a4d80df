#include "shell/message_boxes.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

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

// Short texts such as "Fail" would otherwise give a box narrower than its title.
constexpr int kMinimumBoxWidth = 320;

void KeepWideEnough(QMessageBox& box)
{
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(kMinimumBoxWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
}

int Run(QMessageBox::Icon icon, QWidget* parent, const QString& text, const QString& explanation, const QString& title,
        QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setInformativeText(explanation);
    KeepWideEnough(box);
    return box.exec();
}

class QtMessageBoxes final : public MessageBoxes {
public:
    void Show(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override
    {
        Run(BoxIcon(icon), parent, text, {}, title, QMessageBox::Ok);
    }

    void ShowExplained(QWidget* parent, const QString& text, const QString& explanation, const QString& title,
                       MessageIcon icon) override
    {
        Run(BoxIcon(icon), parent, text, explanation, title, QMessageBox::Ok);
    }

    bool Ask(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override
    {
        return Run(BoxIcon(icon), parent, text, {}, title, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
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

void ShowExplainedBox(QWidget* parent, const QString& text, const QString& explanation, const QString& title,
                      MessageIcon icon)
{
    MessageBoxes::Current().ShowExplained(parent, text, explanation, title, icon);
}

bool AskYesNoBox(QWidget* parent, const QString& text, const QString& title, MessageIcon icon)
{
    return MessageBoxes::Current().Ask(parent, text, title, icon);
}

}  // namespace skarnel
