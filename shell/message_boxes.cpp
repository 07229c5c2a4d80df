#include "shell/message_boxes.h"

#include <QGridLayout>
#include <QPointer>
#include <QScreen>
#include <QSpacerItem>

#include <algorithm>

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
void KeepWideEnough(QMessageBox& box)
{
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(kMinimumMessageBoxWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

// Qt centres a dialog over its parent's top-level window; a box asked by a view belongs over
// that view, which may sit anywhere in the main window. The box takes its final size only as
// it is shown, so it is placed then, before it reaches the screen.
class PlacedMessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (QWidget* view = parentWidget())
            move(CentredOver(*view));
    }

private:
    QPoint CentredOver(const QWidget& view) const
    {
        const QRect area(view.mapToGlobal(QPoint(0, 0)), view.size());
        QRect placed(QPoint(0, 0), frameGeometry().size());
        placed.moveCenter(area.center());
        if (const QScreen* screen = view.screen()) {
            const QRect available = screen->availableGeometry();
            placed.moveLeft(std::clamp(placed.left(), available.left(), available.right() - placed.width() + 1));
            placed.moveTop(std::clamp(placed.top(), available.top(), available.bottom() - placed.height() + 1));
        }
        return placed.topLeft() + (pos() - frameGeometry().topLeft());
    }
};

// The box is its parent's child: a view closed while the box waits takes the box with it, and
// the answer is then "no".
int Run(MessageIcon icon, QWidget* parent, const QString& text, const QString& explanation, const QString& title,
        QMessageBox::StandardButtons buttons)
{
    const QPointer<QMessageBox> box = MakeMessageBox(parent, text, explanation, title, icon, buttons).release();
    const int answer = box->exec();
    delete box.data();
    return answer;
}

class QtMessageBoxes final : public MessageBoxes {
public:
    void Show(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override
    {
        Run(icon, parent, text, {}, title, QMessageBox::Ok);
    }

    void ShowExplained(QWidget* parent, const QString& text, const QString& explanation, const QString& title,
                       MessageIcon icon) override
    {
        Run(icon, parent, text, explanation, title, QMessageBox::Ok);
    }

    bool Ask(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override
    {
        return Run(icon, parent, text, {}, title, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
};

QtMessageBoxes g_default;
MessageBoxes* g_current = &g_default;

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text, const QString& explanation,
                                            const QString& title, MessageIcon icon,
                                            QMessageBox::StandardButtons buttons)
{
    auto box = std::make_unique<PlacedMessageBox>(BoxIcon(icon), title, text, buttons, parent);
    box->setInformativeText(explanation);
    KeepWideEnough(*box);
    return box;
}

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
