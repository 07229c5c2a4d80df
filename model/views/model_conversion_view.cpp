#include "model/views/model_conversion_view.h"

#include "link/download_function.h"
#include "model/views/model_list_table.h"
#include "shell/file_dialogs.h"
#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "shell/view_table.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace skarnel {
namespace {

constexpr const char* kModelFileFilter = "Model Data File(*.mdl;*.mdl)|*.mdl;*.mdl|";
constexpr const char* kTargetChoices[] = {"Convert to KT20. MemVer : 1000", "Convert to KT20. MemVer : 1001",
                                          "Convert to KT40. MemVer : 1000", "Convert to KT40. MemVer : 1001"};

enum SourceColumn { kNumberColumn, kNameColumn, kProductColumn, kVersionColumn, kPathColumn };

QTableWidget* CreateFileList(QWidget* parent, const char* fileColumn)
{
    return CreateModelListTable(parent,
                                {{"No", 30}, {fileColumn, 150}, {"Product", 70}, {"Version", 70}, {"Path", 600}});
}

QGroupBox* FrameList(QWidget* parent, const char* title, QTableWidget* list)
{
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(list);
    return group;
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

CModel_Conversion_View::CModel_Conversion_View(CMainFrame& mainFrame)
    : CWork_View(mainFrame, kViewModelConversion), sourceList_(CreateFileList(this, "Source File")),
      targetList_(CreateFileList(this, "Target File")), fileSelectButton_(new QPushButton("File Select", this)),
      deleteButton_(new QPushButton("Delete", this)), conversionButton_(new QPushButton("Conversion", this)),
      targetChoice_(new QComboBox(this))
{
    for (const char* choice : kTargetChoices)
        targetChoice_->addItem(choice);
    targetChoice_->setCurrentIndex(0);
    targetChoice_->hide();
    BuildLayout();
    connect(fileSelectButton_, &QPushButton::clicked, this, &CModel_Conversion_View::SelectFiles);
    connect(deleteButton_, &QPushButton::clicked, this, &CModel_Conversion_View::DeleteSource);
    connect(conversionButton_, &QPushButton::clicked, this, &CModel_Conversion_View::Convert);
}

void CModel_Conversion_View::BuildLayout()
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(targetChoice_);
    buttons->addWidget(fileSelectButton_);
    buttons->addWidget(deleteButton_);
    buttons->addWidget(conversionButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FrameList(this, " [ Source ] ", sourceList_), 1);
    layout->addLayout(buttons);
    layout->addWidget(FrameList(this, " [ Target ]", targetList_), 1);
}

void CModel_Conversion_View::SelectFiles()
{
    // The application's own folder holds the backups; the executable's folder is no place to look.
    const QString start = QString::fromStdString(MainFrame().ApplicationFolder().string());
    const QStringList files = FileDialogs::Current().ChooseOpenFiles(this, start.isEmpty() ? QDir::homePath() : start,
                                                                     QtFileFilter(kModelFileFilter));
    for (const QString& file : files) {
        ModelFileSource source;
        const SourceCheck check = ReadModelFileSource(file.toStdString(), ViewReporter(), source);
        if (check == SourceCheck::OpenFailed)
            return;
        if (check == SourceCheck::Accepted)
            AddSourceRow(source);
    }
}

void CModel_Conversion_View::AddSourceRow(const ModelFileSource& source)
{
    AddNumberedRow(sourceList_, {Text(source.name), Text(ProductShownName(source.productCode)),
                                 QString::number(source.memoryVersion), Text(source.path.string())});
    sourceList_->item(sourceList_->rowCount() - 1, kProductColumn)->setData(Qt::UserRole, source.productCode);
}

void CModel_Conversion_View::DeleteSource()
{
    const QList<QTableWidgetItem*> selected = sourceList_->selectedItems();
    if (selected.isEmpty())
        return;
    sourceList_->removeRow(selected.first()->row());
    for (int row = 0; row < sourceList_->rowCount(); ++row)
        sourceList_->item(row, kNumberColumn)->setText(QString::number(row + 1));
}

std::vector<ModelFileSource> CModel_Conversion_View::SourcesOfRows() const
{
    std::vector<ModelFileSource> sources;
    for (int row = 0; row < sourceList_->rowCount(); ++row) {
        ModelFileSource source;
        source.name = sourceList_->item(row, kNameColumn)->text().toStdString();
        source.path = sourceList_->item(row, kPathColumn)->text().toStdString();
        source.productCode = sourceList_->item(row, kProductColumn)->data(Qt::UserRole).toUInt();
        source.memoryVersion = sourceList_->item(row, kVersionColumn)->text().toUInt();
        sources.push_back(source);
    }
    return sources;
}

void CModel_Conversion_View::Convert()
{
    if (busy_.load() != 0 || sourceList_->rowCount() == 0)
        return;
    ConversionTarget target;
    if (!ReadControllerTarget(target)) {
        ShowMessageBox(this, "Product info read fail");
        return;
    }
    if (!CheckConversionTarget(target, ViewReporter()))
        return;
    busy_ = 1;
    ConvertInto(target);
    busy_ = 0;
}

bool CModel_Conversion_View::ReadControllerTarget(ConversionTarget& target)
{
    if (!OpenExchangePort())
        return false;
    ProductInfo product;
    const bool read = Link().ReadProductInfo(product);
    Port().ClosePort();
    target = {static_cast<uint32_t>(product.AppPCode), static_cast<uint32_t>(product.MemVer)};
    return read;
}

void CModel_Conversion_View::ConvertInto(const ConversionTarget& target)
{
    const QString folder =
        FileDialogs::Current().ChooseFolder(this, QString::fromStdString(MainFrame().ApplicationFolder().string()));
    if (folder.isEmpty())
        return;
    ConvertModelFiles(SourcesOfRows(), target, folder.toStdString(), ViewReporter(),
                      [this, &target](const ModelFileOutcome& outcome) {
                          if (outcome.result == ModelFileOutcome::Result::Converted)
                              AddTargetRow(outcome, target);
                      });
}

void CModel_Conversion_View::AddTargetRow(const ModelFileOutcome& outcome, const ConversionTarget& target)
{
    AddNumberedRow(targetList_, {Text(outcome.source->name), Text(ProductShownName(target.productCode)),
                                 QString::number(target.memoryVersion), Text(outcome.targetPath.string())});
}

}  // namespace skarnel
