#pragma once

#include "model/model_file_conversion.h"
#include "shell/work_view.h"

#include <atomic>
#include <cstdint>

class QComboBox;
class QPushButton;
class QTableWidget;

namespace skarnel {

// "Model Data Conversion ": .mdl files chosen on the PC, converted to the layout of the
// connected controller. The conversion runs on the user-interface thread; the port is held
// only while the controller's product information is read.
class CModel_Conversion_View final : public CWork_View {
    Q_OBJECT
public:
    explicit CModel_Conversion_View(CMainFrame& mainFrame);

    void SelectFiles();
    void DeleteSource();
    void Convert();

    bool IsConverting() const { return busy_.load() != 0; }

    QTableWidget* SourceList() const { return sourceList_; }
    QTableWidget* TargetList() const { return targetList_; }
    QPushButton* FileSelectButton() const { return fileSelectButton_; }
    QPushButton* DeleteButton() const { return deleteButton_; }
    QPushButton* ConversionButton() const { return conversionButton_; }
    QComboBox* TargetChoice() const { return targetChoice_; }

private:
    void AddSourceRow(const ModelFileSource& source);
    void AddTargetRow(const ModelFileOutcome& outcome, const ConversionTarget& target);
    std::vector<ModelFileSource> SourcesOfRows() const;
    bool ReadControllerTarget(ConversionTarget& target);
    void ConvertInto(const ConversionTarget& target);
    void BuildLayout();

    QTableWidget* sourceList_;
    QTableWidget* targetList_;
    QPushButton* fileSelectButton_;
    QPushButton* deleteButton_;
    QPushButton* conversionButton_;
    QComboBox* targetChoice_;
    // 1 while a conversion runs: a message box's event loop must not start a second one.
    std::atomic<int32_t> busy_{0};
};

}  // namespace skarnel
