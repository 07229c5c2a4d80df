#include "telemetry/views/log_list_fit.h"

#include "shell/list_columns.h"
#include "telemetry/log_tables.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>
#include <string>
#include <vector>

namespace skarnel {
namespace {

// Rows measured of each batch: enough to meet the wide values of a column whose values vary,
// few enough that a batch of thousands costs nothing.
constexpr size_t kSampledRows = 32;

void FitColumn(QTableView& view, int column, const std::string& text)
{
    if (!text.empty())
        FitColumnToText(view, column, QString::fromStdString(text));
}

}  // namespace

void ShowLogColumns(QTableView& view, const LogTables& tables, LogList list)
{
    const LogLayout& layout = tables.Layout(list);
    for (int column = 0; column < tables.ColumnCount(list); ++column) {
        view.horizontalHeader()->resizeSection(column, ColumnWidth(layout, column));
        if (column >= kLeadingColumns)
            FitColumn(view, column, WidestCellText(layout.columns[static_cast<size_t>(column - kLeadingColumns)]));
    }
    FitColumnsToTitles(view);
}

void FitLogRows(QTableView& view, const LogTables& tables, LogList list, size_t from, size_t to)
{
    if (to <= from)
        return;
    const size_t step = std::max<size_t>(1, (to - from) / kSampledRows);
    const int columns = tables.ColumnCount(list);
    // Only a text longer than the column's longest so far is measured: the digits are as wide
    // as one another, and measuring is what costs.
    std::vector<size_t> longest(static_cast<size_t>(columns), 0);
    const auto fitRow = [&](size_t row) {
        for (int column = 0; column < columns; ++column) {
            const std::string text = tables.CellText(list, row, column);
            size_t& length = longest[static_cast<size_t>(column)];
            if (text.size() > length) {
                length = text.size();
                FitColumn(view, column, text);
            }
        }
    };
    for (size_t row = from; row < to; row += step)
        fitRow(row);
    fitRow(to - 1);
}

}  // namespace skarnel
