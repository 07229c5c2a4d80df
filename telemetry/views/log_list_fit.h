#pragma once

#include "telemetry/log_columns.h"

#include <cstddef>

class QTableView;

namespace skarnel {

class LogTables;

// The file log viewer's lists hold up to millions of rows, so their columns are not fitted to
// every cell: each starts at its given width, grows to its title and to the widest text its
// field can show, and then to a sample of each batch of rows that arrives.

// Sets the columns of the list's current layout to their given widths and widens them to their
// titles and their fields' widest texts.
void ShowLogColumns(QTableView& view, const LogTables& tables, LogList list);
// Widens the columns to a sample of the rows [from, to), the last one always among them.
void FitLogRows(QTableView& view, const LogTables& tables, LogList list, size_t from, size_t to);

}  // namespace skarnel
