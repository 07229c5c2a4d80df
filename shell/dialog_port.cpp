#include "shell/dialog_port.h"

#include "link/port_discovery.h"
#include "shell/message_boxes.h"

#include <QFileSystemWatcher>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace skarnel {
namespace {

constexpr int kPortRole = Qt::UserRole;

}  // namespace

CDialog_Port::CDialog_Port(std::filesystem::path sysfsRoot, const QString& deviceFolder, QWidget* parent,
                           SerialPortId current)
    : QDialog(parent), sysfsRoot_(std::move(sysfsRoot)), current_(std::move(current)),
      list_(new QTableWidget(0, 2, this)), pathEdit_(new QLineEdit(this)), watcher_(new QFileSystemWatcher(this))
{
    setWindowTitle("Port Select");
    list_->setHorizontalHeaderLabels({"Port", "Device Name"});
    list_->setColumnWidth(0, 80);
    list_->setColumnWidth(1, 300);
    list_->verticalHeader()->hide();
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->setMinimumSize(400, 200);
    pathEdit_->setPlaceholderText("/dev/pts/N, /dev/serial/by-id/... or a COM number");

    auto* ok = new QPushButton("Ok", this);
    auto* cancel = new QPushButton("Cancel", this);
    ok->setDefault(true);
    auto* form = new QFormLayout;
    form->addRow("Device path", pathEdit_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CDialog_Port::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this] { OnOk(); });
    // A row picked by hand is what Ok takes, not a path typed earlier.
    connect(list_, &QTableWidget::cellClicked, pathEdit_, &QLineEdit::clear);
    if (!deviceFolder.isEmpty())
        watcher_->addPath(deviceFolder);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { Refill(); });
    Refill();
    if (current_.IsValid() && current_.Number() == 0)
        pathEdit_->setText(QString::fromStdString(current_.DevicePath()));
}

void CDialog_Port::Refill()
{
    list_->setRowCount(0);
    for (const PortEntry& port : ListSerialPorts(sysfsRoot_)) {
        const int row = list_->rowCount();
        list_->insertRow(row);
        auto* name = new QTableWidgetItem(QString::fromStdString(port.portName));
        name->setData(kPortRole, port.portNumber);
        list_->setItem(row, 0, name);
        list_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(port.deviceName)));
    }
    SelectCurrentPort();
}

void CDialog_Port::SelectCurrentPort()
{
    if (list_->rowCount() == 0)
        return;
    int row = 0;
    for (int candidate = 0; candidate < list_->rowCount(); ++candidate) {
        if (current_.Number() > 0 && list_->item(candidate, 0)->data(kPortRole).toInt() == current_.Number())
            row = candidate;
    }
    list_->selectRow(row);
    list_->setCurrentCell(row, 0);
}

void CDialog_Port::OnOk()
{
    const QString typed = pathEdit_->text().trimmed();
    if (!typed.isEmpty()) {
        const std::optional<SerialPortId> port = SerialPortId::Parse(typed.toStdString());
        if (!port) {
            ShowMessageBox(this, "Enter a COM number (1-96) or a device path", "Port Select");
            return;
        }
        chosen_ = *port;
        accept();
        return;
    }
    const QList<QTableWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        reject();
        return;
    }
    const QTableWidgetItem* name = list_->item(selected.first()->row(), 0);
    chosen_ = SerialPortId::FromNumber(name->data(kPortRole).toInt());
    accept();
}

}  // namespace skarnel
