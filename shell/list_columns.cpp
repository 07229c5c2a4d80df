#include "shell/list_columns.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>

namespace skarnel {
namespace {

// The cell's margins on both sides and the grid line, as the list style draws them.
int CellPadding(const QTableWidget& list)
{
    return 2 * list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 12;
}

}  // namespace

void MakeOneLineList(QTableWidget& list)
{
    list.setWordWrap(false);
    list.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list.verticalHeader()->setDefaultSectionSize(list.fontMetrics().height() + 6);
    list.horizontalHeader()->setStretchLastSection(true);
    list.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    for (int column = 0; column < list.columnCount(); ++column) {
        if (const QTableWidgetItem* header = list.horizontalHeaderItem(column))
            FitColumnToText(list, column, header->text());
    }
}

void FitColumnToText(QTableWidget& list, int column, const QString& text)
{
    const int needed = list.fontMetrics().horizontalAdvance(text) + CellPadding(list);
    if (needed > list.columnWidth(column))
        list.setColumnWidth(column, needed);
}

QTableWidgetItem* TextItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    return item;
}

}  // namespace skarnel
