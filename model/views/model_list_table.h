#pragma once

#include <QStringList>

#include <initializer_list>
#include <utility>

class QTableWidget;
class QWidget;

namespace skarnel {

// A list of the model views: one-line rows, the named columns at least at their widths, full-row
// selection, grid lines.
QTableWidget* CreateModelListTable(QWidget* parent, std::initializer_list<std::pair<const char*, int>> columns);
// Adds a row with the next number in the first column and the texts after it; each column grows
// to its longest text.
void AddNumberedRow(QTableWidget* list, const QStringList& texts);

}  // namespace skarnel
