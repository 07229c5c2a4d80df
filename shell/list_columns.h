#pragma once

#include <QString>

class QTableView;
class QTableWidget;
class QTableWidgetItem;

namespace skarnel {

// A list of one-line rows: rows as high as a line of text, no wrapping, each column at least
// its given width (and its title's) and the last one stretched to the list's edge.
void MakeOneLineList(QTableView& list);
// Widens the column, never narrows it, so that the text fits whole. Hidden columns stay so.
void FitColumnToText(QTableView& list, int column, const QString& text);
// Widens every column, never narrows it, to its title as the header measures it (its own font,
// margins and sort mark). Again after a change of language.
void FitColumnsToTitles(QTableView& list);
// The item for a cell whose text may be cut: its whole text is also its tooltip.
QTableWidgetItem* TextItem(const QString& text);
// Sets the cell's text (its tooltip too) and widens its column to it.
void SetFittedCell(QTableWidget& list, int row, int column, const QString& text);

}  // namespace skarnel
