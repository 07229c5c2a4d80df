#include "shell/list_columns.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace skarnel {
namespace {

// The cell's margins on both sides and the grid line, as the list style draws them.
int CellPadding(const QTableView& list)
{
    return 2 * list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 12;
}

}  // namespace

void MakeOneLineList(QTableView& list)
{
    list.setWordWrap(false);
    list.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list.verticalHeader()->setDefaultSectionSize(list.fontMetrics().height() + 6);
    list.horizontalHeader()->setStretchLastSection(true);
    list.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    FitColumnsToTitles(list);
}

void FitColumnToText(QTableView& list, int column, const QString& text)
{
    if (list.isColumnHidden(column))
        return;
    const int needed = list.fontMetrics().horizontalAdvance(text) + CellPadding(list);
    if (needed > list.columnWidth(column))
        list.setColumnWidth(column, needed);
}

void FitColumnsToTitles(QTableView& list)
{
    if (!list.model())
        return;
    QHeaderView& header = *list.horizontalHeader();
    for (int column = 0; column < list.model()->columnCount(); ++column) {
        if (list.isColumnHidden(column))
            continue;
        header.resizeSection(column, std::max(header.sectionSize(column), header.sectionSizeHint(column)));
    }
}

QTableWidgetItem* TextItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    return item;
}

void SetFittedCell(QTableWidget& list, int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = list.item(row, column)) {
        item->setText(text);
        item->setToolTip(text);
    } else {
        list.setItem(row, column, TextItem(text));
    }
    FitColumnToText(list, column, text);
}

}  // namespace skarnel
