#pragma once

#include <QString>

class QTableWidget;
class QTableWidgetItem;

namespace skarnel {

// A list of one-line rows: rows as high as a line of text, no wrapping, each column at least
// its given width and the last one stretched to the list's edge.
void MakeOneLineList(QTableWidget& list);
// Widens the column, never narrows it, so that the text fits whole.
void FitColumnToText(QTableWidget& list, int column, const QString& text);
// The item for a cell whose text may be cut: its whole text is also its tooltip.
QTableWidgetItem* TextItem(const QString& text);

}  // namespace skarnel
