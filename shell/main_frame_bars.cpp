#include "shell/app_settings.h"
#include "shell/commands.h"
#include "shell/icons.h"
#include "shell/main_frame.h"
#include "shell/menu_mnemonics.h"
#include "shell/settings_keys.h"
#include "shell/status_texts.h"
#include "shell/toolbar_customise_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QShortcut>
#include <QToolBar>

#include <algorithm>

namespace skarnel {
namespace {

constexpr int kPaneWidths[3] = {100, 130, 300};
constexpr QSize kToolbarButtonSize(36, 19);
const QString kCustomiseText = QString::fromUtf8("사용자 지정...");

std::vector<std::string> EntryTexts(const std::vector<MenuEntry>& entries)
{
    std::vector<std::string> texts;
    for (const MenuEntry& entry : entries) {
        if (!entry.separator)
            texts.emplace_back(entry.text);
    }
    return texts;
}

void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries,
                const std::function<QAction*(int, QObject*)>& makeAction)
{
    const std::vector<std::string> marked = WithMnemonics(EntryTexts(entries));
    size_t next = 0;
    for (const MenuEntry& entry : entries) {
        if (entry.separator) {
            menu->addSeparator();
            continue;
        }
        const QString text = QString::fromStdString(marked[next++]);
        if (entry.commandId == 0) {
            AddEntries(menu->addMenu(text), entry.items, makeAction);
        } else {
            QAction* action = makeAction(entry.commandId, menu);
            action->setText(text);
            menu->addAction(action);
        }
    }
}

}  // namespace

QAction* CMainFrame::MakeCommandAction(int commandId, QObject* parent)
{
    auto* action = new QAction(CommandText(commandId), parent);
    connect(action, &QAction::triggered, this, [this, commandId] { RunCommand(commandId); });
    return action;
}

void CMainFrame::CreateMenus()
{
    const auto makeAction = [this](int commandId, QObject* parent) {
        QAction* action = MakeCommandAction(commandId, parent);
        menuActions_[commandId] = action;
        return action;
    };
    const std::vector<std::string> titles = WithMnemonics(EntryTexts(MainMenu()));
    for (size_t i = 0; i < titles.size(); ++i)
        AddEntries(menuBar()->addMenu(QString::fromStdString(titles[i])), MainMenu()[i].items, makeAction);
    // F10 reaches the menu bar from the keyboard, as desktops expect.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [this] {
        if (!menuBar()->actions().isEmpty())
            menuBar()->setActiveAction(menuBar()->actions().first());
    });
}

void CMainFrame::CreateToolBar()
{
    toolBar_ = new QToolBar(QString::fromUtf8("표준"), this);
    toolBar_->setObjectName("StandardToolBar");
    toolBar_->setIconSize(kToolbarButtonSize);
    for (int commandId : ToolbarCommands()) {
        QAction* action = MakeCommandAction(commandId, toolBar_);
        action->setIcon(CommandIcon(commandId));
        action->setToolTip(QString::fromStdString(WithoutMnemonic(CommandText(commandId))));
        toolBar_->addAction(action);
        toolbarActions_[commandId] = action;
        toolbarSeparators_[commandId] = toolBar_->addSeparator();
    }
    QAction* customise = toolBar_->addAction(kCustomiseText);
    customise->setIconText(kCustomiseText);  // a tool button would drop the dots
    connect(customise, &QAction::triggered, this, &CMainFrame::CustomiseToolbar);
    toolBar_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(toolBar_, &QToolBar::customContextMenuRequested, this, [this, customise](const QPoint& at) {
        QMenu menu;
        menu.addAction(customise);
        menu.exec(toolBar_->mapToGlobal(at));
    });
    addToolBar(Qt::TopToolBarArea, toolBar_);
    LoadToolbarButtons();
}

void CMainFrame::LoadToolbarButtons()
{
    const QString stored = settings_.ReadText(kKeyToolbarButtons);
    if (stored.isNull())
        return;
    std::vector<int> ids;
    for (const QString& part : stored.split(',', Qt::SkipEmptyParts))
        ids.push_back(part.toInt());
    SetToolbarButtons(ids);
}

void CMainFrame::SetToolbarButtons(const std::vector<int>& commandIds)
{
    for (auto& [id, action] : toolbarActions_) {
        const bool shown = std::find(commandIds.begin(), commandIds.end(), id) != commandIds.end();
        action->setVisible(shown);
        toolbarSeparators_[id]->setVisible(shown);
    }
    QStringList stored;
    for (int id : ToolbarButtons())
        stored << QString::number(id);
    settings_.WriteText(kKeyToolbarButtons, stored.join(','));
}

std::vector<int> CMainFrame::ToolbarButtons() const
{
    return ToolbarCommandsWhere([this](int id) { return toolbarActions_.at(id)->isVisible(); });
}

void CMainFrame::CustomiseToolbar()
{
    CToolbar_Customise_Dialog dialog(ToolbarButtons(), this);
    if (dialog.exec() == QDialog::Accepted)
        SetToolbarButtons(dialog.ChosenButtons());
}

void CMainFrame::CreateStatusBar()
{
    for (size_t pane = 0; pane < statusPanes_.size(); ++pane) {
        auto* label = new QLabel(" ", statusBar());
        label->setMinimumWidth(kPaneWidths[pane]);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addWidget(label);
        statusPanes_[pane] = label;
    }
    statusPanes_[0]->setStyleSheet("color: rgb(255, 0, 0);");
    statusPanes_[1]->setText(QString::fromStdString(BaudPaneText(kBaudRate)));

    // The live log's picture and time text sit in the third pane, at x 250 and 280 of the bar
    // with the panes at their usual widths, and stay inside it when a long port name widens the
    // first pane. The text is as wide as a day-long recording's time needs.
    QLabel* pane = statusPanes_[2];
    liveLogPicture_ = new QLabel(pane);
    liveLogPicture_->setGeometry(10, 1, 20, 17);
    liveLogText_ = new QLabel(pane);
    QFont font("Tahoma");
    font.setPixelSize(15);
    font.setBold(true);
    liveLogText_->setFont(font);
    const QFontMetrics metrics(font);
    const int width = std::max(220, metrics.horizontalAdvance(" 00:00:00.00    (+86399.99)") + 2);
    const int height = std::max(17, metrics.height());
    liveLogText_->setGeometry(40, 1, width, height);
    pane->setMinimumSize(std::max(kPaneWidths[2], 40 + width), height + 2);
}

}  // namespace skarnel
