#pragma once

#include "firmware/product_lines.h"
#include "shell/work_view.h"

#include <array>
#include <cstdint>
#include <filesystem>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace skarnel {

class CLabel;
struct ProductInfo;

// "Firmware Upgrade": chooses an upgrade file, reads the controller's product information and
// runs the upgrade as a job. While it runs the three buttons make way for two warnings; the
// job cannot be stopped. The Module Firmware view is the same with another file and job.
class CFirmware_View : public CWork_View, private ProductLines {
    Q_OBJECT
public:
    explicit CFirmware_View(CMainFrame& mainFrame);

    void FileBrowse();
    virtual void DownloadStart();
    void ProductInfoRead();

    QLineEdit* PathBox() const { return pathBox_; }
    QGroupBox* ProductGroup() const { return productGroup_; }
    QLabel* ProductLine(size_t index) const { return productLines_.at(index); }
    QPushButton* ProductInfoButton() const { return productInfoButton_; }
    QPushButton* DownloadButton() const { return downloadButton_; }
    QPushButton* BrowseButton() const { return browseButton_; }
    CLabel* CableLabel() const { return cableLabel_; }
    CLabel* DownloadLabel() const { return downloadLabel_; }
    const QString& FullPath() const { return fullPath_; }
    const QString& FileName() const { return fileName_; }
    uint32_t BootIncluded() const { return bootIncluded_; }
    std::filesystem::path BackupPath() const;

protected:
    CFirmware_View(CMainFrame& mainFrame, int viewIndex);

    void resizeEvent(QResizeEvent* event) override;
    QString FinishTitle() const override;
    std::string StopLine() const override;
    void JobControlsChanged(bool enabled) override;
    // What the sibling views do differently: the file they take, how they log the product.
    virtual const char* FileFilter() const;
    virtual bool AcceptFile(const QString& path);
    virtual void LogProduct(const ProductInfo& info);
    void SetProductLines(const ProductLineTexts& texts);
    void RememberFile();
    void LayOut();

    // Room kept free below the log list.
    int bottomReserve_ = 0;

private:
    void ShowProductLines(const ProductInfo& info) override;
    void ChooseFile(const QString& path);

    QLineEdit* pathBox_;
    QGroupBox* productGroup_;
    std::array<QLabel*, 5> productLines_;
    QPushButton* productInfoButton_;
    QPushButton* downloadButton_;
    QPushButton* browseButton_;
    CLabel* cableLabel_;
    CLabel* downloadLabel_;
    QString fullPath_;
    QString fileName_;
    uint32_t bootIncluded_ = 0;
    bool labelsReady_ = false;
};

}  // namespace skarnel
