#pragma once

#include <QStringList>

#include <initializer_list>
#include <utility>

class QTableWidget;
class QWidget;

namespace skarnel {

// A list of the model views: the named columns at their widths, full-row selection, grid lines.
QTableWidget* CreateModelListTable(QWidget* parent, std::initializer_list<std::pair<const char*, int>> columns);
// Adds a row with the next number in the first column and the texts after it.
void AddNumberedRow(QTableWidget* list, const QStringList& texts);

}  // namespace skarnel
