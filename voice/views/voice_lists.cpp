#include "voice/views/voice_lists.h"

#include "voice/sound_file.h"
#include "shell/list_columns.h"
#include "shell/work_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QProgressBar>
#include <QTableWidget>

namespace skarnel {
namespace {

constexpr int kStreamSizeRole = Qt::UserRole;

}  // namespace

QTableWidget* CreateVoiceList(QWidget* parent, std::initializer_list<std::pair<const char*, int>> columns)
{
    auto* list = new QTableWidget(0, static_cast<int>(columns.size()), parent);
    int column = 0;
    QStringList labels;
    for (const auto& [label, width] : columns) {
        labels << label;
        list->setColumnWidth(column, width);
        list->setColumnHidden(column, width == 0);
        ++column;
    }
    list->setHorizontalHeaderLabels(labels);
    list->verticalHeader()->hide();
    list->setShowGrid(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MakeOneLineList(*list);
    return list;
}

QTableWidget* CreateControllerVoiceList(QWidget* parent)
{
    return CreateVoiceList(parent, {{"No", 30},
                                    {"Name", 250},
                                    {"Size", 60},
                                    {"Time(s)", 50},
                                    {"Addr", 60},
                                    {"Index", 0},
                                    {"Status", 50},
                                    {"Sample_Rate", 80}});
}

void SetCellText(QTableWidget* list, int row, int column, const QString& text)
{
    SetFittedCell(*list, row, column, text);
}

void AppendVoiceRow(QTableWidget* list, const QStringList& texts, uint32_t streamSize)
{
    const int row = list->rowCount();
    list->insertRow(row);
    SetCellText(list, row, 0, QString::number(row + 1));
    for (int column = 1; column < list->columnCount(); ++column)
        SetCellText(list, row, column, column - 1 < texts.size() ? texts[column - 1] : QString());
    list->item(row, 0)->setData(kStreamSizeRole, streamSize);
    list->selectRow(row);
    list->scrollToItem(list->item(row, 0));
}

void AppendControllerRow(QTableWidget* list, const VoiceFileInfo& record, const QString& name)
{
    AppendVoiceRow(list,
                   {name, QString::number(record.size),
                    QString::fromStdString(PlayTimeText(StoredPlayTime(record.size))), QString::number(record.address),
                    QString::number(record.index), QString(), QString::number(record.sampleRate)},
                   record.size);
}

void AppendControllerRow(QTableWidget* list, const VoiceFileInfo& record)
{
    AppendControllerRow(list, record, QString::fromStdString(record.Name()));
}

uint64_t ListStreamSum(const QTableWidget* list)
{
    uint64_t sum = 0;
    for (int row = 0; row < list->rowCount(); ++row)
        sum += list->item(row, 0)->data(kStreamSizeRole).toULongLong();
    return sum;
}

UsageDisplay UsageDisplay::Create(QWidget* parent)
{
    UsageDisplay display{new QProgressBar(parent), new QLabel("0 / 0", parent), new QLabel("(0 %)", parent)};
    display.bar->setRange(0, 100);
    display.bar->setValue(0);
    display.bar->setTextVisible(false);
    return display;
}

void UsageDisplay::Show(const FlashUsage& usage) const
{
    const uint64_t percent = usage.Percent();
    const UsageColour colour = UsageColourFor(usage);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Highlight, QColor(colour.red, colour.green, colour.blue));
    bar->setPalette(palette);
    bar->setValue(static_cast<int>(std::min<uint64_t>(percent, 100)));
    sizeText->setText(QString::fromStdString(usage.SizeText()));
    percentText->setText(QString::fromStdString(usage.PercentText()));
}

void PlaySelectedOnController(CWork_View& view, QTableWidget* controllerList)
{
    if (controllerList->rowCount() == 0 || view.IsBusy() || view.Port().IsConnected())
        return;
    const int row = controllerList->currentRow();
    if (row < 0 || !controllerList->item(row, kCtlIndex))
        return;
    const int index = controllerList->item(row, kCtlIndex)->text().toInt();
    if (!view.OpenJobPort())
        return;
    const bool played = view.Link().PlayVoiceFile(index);
    view.AppendLogLine(played ? "ADPCM Play Command Send" : "ADPCM Play Command Send Fail");
    view.Port().ClosePort();
}

}  // namespace skarnel
