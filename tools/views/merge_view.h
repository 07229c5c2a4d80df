#pragma once

#include "shell/function_view.h"
#include "tools/views/path_row.h"

class QCheckBox;
class QPushButton;

namespace skarnel {

// "Firmware File Merge": builds an upgrade file from its image files, and converts one file
// between its plain and its stored form for a Y-Modem transfer. Nothing talks to the
// controller. The ST boot loader part is built but stays hidden, so merged files carry none.
class CMerge_View final : public CFunction_View {
    Q_OBJECT
public:
    explicit CMerge_View(CMainFrame& mainFrame);

    void MergeExecute();
    void ConvertExecute();

    const PathRow& AppRow() const { return app_; }
    const PathRow& BootRow() const { return boot_; }
    const PathRow& StBootRow() const { return stBoot_; }
    const PathRow& TargetRow() const { return target_; }
    const PathRow& YModemSourceRow() const { return ymodemSource_; }
    const PathRow& YModemTargetRow() const { return ymodemTarget_; }
    QCheckBox* BootUseBox() const { return bootUse_; }
    QCheckBox* StBootUseBox() const { return stBootUse_; }
    QPushButton* MergeButton() const { return merge_; }
    QPushButton* ConvertButton() const { return convert_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildStBootPart();
    void ConnectBrowsing();
    void LoadPaths();
    void StorePaths();

    PathRow app_;
    PathRow boot_;
    QCheckBox* bootUse_;
    PathRow stBoot_;
    QCheckBox* stBootUse_;
    PathRow target_;
    QPushButton* merge_;
    PathRow ymodemSource_;
    PathRow ymodemTarget_;
    QPushButton* convert_;
};

}  // namespace skarnel
