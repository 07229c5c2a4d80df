#pragma once

#include "telemetry/log_columns.h"

#include <QAbstractTableModel>

namespace skarnel {

class LogTables;

// One list of the file log viewer over the loaded rows: each cell's text is made when the
// view asks for it. The rows live in the tables; the model only tells its views how many of
// them it shows, and that count changes only between Qt's begin and end notifications.
class CLog_Table_Model final : public QAbstractTableModel {
    Q_OBJECT
public:
    // The row's time stamp (hundredths of a second) as its item data.
    static constexpr int kTimeRole = Qt::UserRole;

    CLog_Table_Model(const LogTables& tables, LogList list, QObject* parent = nullptr);

    LogList List() const { return list_; }
    int Language() const { return language_; }
    void SetLanguage(int language);
    // The tables were emptied (and may have another format): shows no rows and the new columns.
    void BeginReset() { beginResetModel(); }
    void EndReset();
    // Shows the rows the tables gained.
    void ShowNewRows();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const LogTables& tables_;
    LogList list_;
    int language_ = 0;
    int shownRows_ = 0;
    int columns_ = 0;
};

}  // namespace skarnel
