#include "shell/menu_pane.h"

#include "shell/icons.h"
#include "shell/main_frame.h"
#include "shell/menu_tree.h"

#include <QFrame>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace skarnel {
namespace {

constexpr int kMargin = 5;

}  // namespace

CMenu_Pane::CMenu_Pane(CMainFrame& mainFrame, int language)
    : QDockWidget("Controller Menu  ", &mainFrame), mainFrame_(mainFrame), frame_(new QFrame(this)),
      tree_(new QTreeWidget(frame_))
{
    setObjectName("MenuPane");
    setAllowedAreas(Qt::AllDockWidgetAreas);
    frame_->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* layout = new QVBoxLayout(frame_);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(tree_);
    setWidget(frame_);

    QFont font("tahoma");
    font.setPixelSize(18);
    tree_->setFont(font);
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setIconSize(QSize(24, 32));
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { OnItemClicked(item); });
    FillMenuTree(language);
}

QSize CMenu_Pane::sizeHint() const
{
    return {250, 500};
}

void CMenu_Pane::FillMenuTree(int language)
{
    QTreeWidgetItem* parents[3] = {};
    for (const MenuTreeItem& entry : MenuTreeItems()) {
        auto* item = entry.level == 0 ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(parents[entry.level - 1]);
        item->setText(0, QString::fromStdString(MenuText(language, entry.textIndex)));
        item->setData(0, kDataRole, entry.data);
        item->setIcon(0, QIcon(MenuPaneImage(entry.image)));
        if (entry.data < 0) {
            QFont bold = tree_->font();
            bold.setBold(true);
            item->setFont(0, bold);
        }
        parents[entry.level] = item;
        tree_->scrollToItem(item);
    }
    tree_->expandAll();
    UpdateItemStates();
}

void CMenu_Pane::RelabelMenuTree(int language)
{
    tree_->clear();
    FillMenuTree(language);
}

void CMenu_Pane::UpdateItemStates()
{
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        const int request = (*it)->data(0, kDataRole).toInt();
        const bool enabled = request < 0 || mainFrame_.IsRequestAvailable(request);
        (*it)->setDisabled(!enabled);
    }
}

// Posted, as the pane's click reached the main frame as a posted message.
void CMenu_Pane::OnItemClicked(QTreeWidgetItem* item)
{
    const int request = item->data(0, kDataRole).toInt();
    QMetaObject::invokeMethod(
        &mainFrame_, [frame = &mainFrame_, request] { frame->HandleRequest(request); }, Qt::QueuedConnection);
}

}  // namespace skarnel
