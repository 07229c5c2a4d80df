#include "telemetry/views/log_table_model.h"

#include "telemetry/log_tables.h"

#include <algorithm>
#include <climits>

namespace skarnel {
namespace {

// A list shows at most as many rows as a Qt view counts.
int ShownCount(size_t rows)
{
    return static_cast<int>(std::min(rows, static_cast<size_t>(INT_MAX)));
}

}  // namespace

CLog_Table_Model::CLog_Table_Model(const LogTables& tables, LogList list, QObject* parent)
    : QAbstractTableModel(parent), tables_(tables), list_(list), shownRows_(ShownCount(tables.Table(list).RowCount())),
      columns_(tables.ColumnCount(list))
{
}

void CLog_Table_Model::SetLanguage(int language)
{
    if (language == language_)
        return;
    language_ = language;
    if (columns_ > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

void CLog_Table_Model::EndReset()
{
    shownRows_ = ShownCount(tables_.Table(list_).RowCount());
    columns_ = tables_.ColumnCount(list_);
    endResetModel();
}

void CLog_Table_Model::ShowNewRows()
{
    const int rows = ShownCount(tables_.Table(list_).RowCount());
    if (rows <= shownRows_)
        return;
    beginInsertRows({}, shownRows_, rows - 1);
    shownRows_ = rows;
    endInsertRows();
}

int CLog_Table_Model::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shownRows_;
}

int CLog_Table_Model::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant CLog_Table_Model::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= shownRows_ || index.column() >= columns_)
        return {};
    const auto row = static_cast<size_t>(index.row());
    if (role == Qt::DisplayRole)
        return QString::fromStdString(tables_.CellText(list_, row, index.column()));
    if (role == kTimeRole)
        return tables_.Table(list_).Time(row);
    return {};
}

QVariant CLog_Table_Model::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(ColumnTitle(tables_.Layout(list_), section, language_));
}

}  // namespace skarnel
