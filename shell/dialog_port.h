#pragma once

#include "link/serial_port_id.h"

#include <QDialog>

#include <filesystem>

class QFileSystemWatcher;
class QLineEdit;
class QTableWidget;

namespace skarnel {

// "Port Select": the serial ports present, refreshed whenever a device node comes or goes,
// and a line to type a device path (a PTY, a /dev/serial/by-id link). Ok with neither a row
// nor a typed path ends as Cancel.
class CDialog_Port final : public QDialog {
    Q_OBJECT
public:
    // The port in use is pre-selected (or, a path that is no listed port, typed in); without
    // one, or when it is not present, the first row.
    CDialog_Port(std::filesystem::path sysfsRoot, const QString& deviceFolder, QWidget* parent = nullptr,
                 SerialPortId current = {});

    // The port chosen with Ok.
    const SerialPortId& ChosenPort() const { return chosen_; }
    QTableWidget* List() const { return list_; }
    QLineEdit* PathEdit() const { return pathEdit_; }
    // Fills the list anew from the present ports.
    void Refill();
    void OnOk();

private:
    void SelectCurrentPort();

    std::filesystem::path sysfsRoot_;
    SerialPortId current_;
    QTableWidget* list_;
    QLineEdit* pathEdit_;
    QFileSystemWatcher* watcher_;
    SerialPortId chosen_;
};

}  // namespace skarnel
