#include "model/views/model_list_table.h"

#include "shell/list_columns.h"

#include <QHeaderView>
#include <QTableWidget>

namespace skarnel {

QTableWidget* CreateModelListTable(QWidget* parent, std::initializer_list<std::pair<const char*, int>> columns)
{
    auto* list = new QTableWidget(0, static_cast<int>(columns.size()), parent);
    int column = 0;
    for (const auto& [title, width] : columns) {
        list->setHorizontalHeaderItem(column, new QTableWidgetItem(title));
        list->setColumnWidth(column++, width);
    }
    list->verticalHeader()->hide();
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(true);
    MakeOneLineList(*list);
    return list;
}

void AddNumberedRow(QTableWidget* list, const QStringList& texts)
{
    const int row = list->rowCount();
    list->insertRow(row);
    SetFittedCell(*list, row, 0, QString::number(row + 1));
    for (int column = 0; column < texts.size(); ++column)
        SetFittedCell(*list, row, column + 1, texts[column]);
}

}  // namespace skarnel
