#pragma once

#include "shell/function_view.h"
#include "tools/views/path_row.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace skarnel {

// "Gang File": builds the controller's plain flash image for a production programmer from
// the ST boot loader, the QV boot loader and the application, for the chosen model.
class CMerge_Gang_View final : public CFunction_View {
    Q_OBJECT
public:
    explicit CMerge_Gang_View(CMainFrame& mainFrame);

    void MergeExecute();

    QComboBox* ModelList() const { return modelList_; }
    const PathRow& StBootRow() const { return stBoot_; }
    const PathRow& QvBootRow() const { return qvBoot_; }
    const PathRow& AppRow() const { return app_; }
    const PathRow& TargetRow() const { return target_; }
    QPushButton* MergeButton() const { return merge_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildModelChoice();
    void ConnectBrowsing();
    void LoadPaths();
    void StorePaths();

    QLabel* modelLabel_;
    QComboBox* modelList_;
    PathRow stBoot_;
    PathRow qvBoot_;
    PathRow app_;
    PathRow target_;
    QPushButton* merge_;
};

}  // namespace skarnel
