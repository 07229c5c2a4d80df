#pragma once

#include <QDockWidget>

class QFrame;
class QTreeWidget;
class QTreeWidgetItem;

namespace skarnel {

class CMainFrame;

// The docking pane "Controller Menu  ": the functions as a tree. A click asks the main frame
// for the item's view or request; items whose function is not built are disabled.
class CMenu_Pane final : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kDataRole = Qt::UserRole;

    CMenu_Pane(CMainFrame& mainFrame, int language);

    void FillMenuTree(int language);
    void RelabelMenuTree(int language);
    // Enables the items whose request the main frame can take now.
    void UpdateItemStates();
    QTreeWidget* Tree() const { return tree_; }
    QSize sizeHint() const override;

protected:
    // Enter and Space on an item open it, as a click does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnItemClicked(QTreeWidgetItem* item);
    // The tree is never narrower than its longest label.
    void FitWidthToLabels();

    CMainFrame& mainFrame_;
    QFrame* frame_;
    QTreeWidget* tree_;
};

}  // namespace skarnel
