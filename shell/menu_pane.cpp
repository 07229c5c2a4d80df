#include "shell/menu_pane.h"

#include "shell/fonts.h"

#include "shell/icons.h"
#include "shell/main_frame.h"
#include "shell/menu_tree.h"

#include <QFrame>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
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
    tree_->installEventFilter(this);
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
        item->setToolTip(0, item->text(0));
        item->setData(0, kDataRole, entry.data);
        item->setIcon(0, QIcon(MenuPaneImage(entry.image)));
        if (entry.data < 0) {
            item->setFont(0, BoldFont(tree_->font()));
        }
        parents[entry.level] = item;
        tree_->scrollToItem(item);
    }
    tree_->expandAll();
    // Each item was scrolled into view as it came; the pane opens at its top all the same.
    tree_->scrollToTop();
    FitWidthToLabels();
    UpdateItemStates();
}

void CMenu_Pane::FitWidthToLabels()
{
    const int scrollBar = tree_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tree_);
    tree_->resizeColumnToContents(0);
    tree_->setMinimumWidth(tree_->columnWidth(0) + 2 * tree_->frameWidth() + scrollBar);
}

bool CMenu_Pane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && tree_->currentItem()) {
            OnItemClicked(tree_->currentItem());
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
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
