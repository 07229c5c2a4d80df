#include "shell/dialog_port.h"
#include "tests/support/gui_support.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>

#include <fstream>
#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

QStringList Column(QTableWidget* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts << list->item(row, column)->text();
    return texts;
}

TEST(DialogPort, ListsPortsByNameWithTheFirstRowSelected)
{
    SysfsFixture sysfs;
    sysfs.AddUart(1);
    sysfs.AddUart(9);
    sysfs.AddUart(2);
    sysfs.AddUsbPort(0, "Silicon Labs", "CP210x USB to UART Bridge");
    CDialog_Port dialog(sysfs.Root(), {});
    EXPECT_EQ(dialog.windowTitle(), "Port Select");
    EXPECT_EQ(Column(dialog.List(), 0), (QStringList{"COM10", "COM2", "COM3", "COM33"}));
    EXPECT_EQ(dialog.List()->item(3, 1)->text(), "Silicon Labs CP210x USB to UART Bridge (COM33)");
    EXPECT_EQ(dialog.List()->horizontalHeaderItem(1)->text(), "Device Name");
    EXPECT_EQ(dialog.List()->currentRow(), 0);
    EXPECT_EQ(dialog.List()->selectedItems().size(), 2);
}

// Enter keeps a working connection: the port in use is pre-selected, or typed in when it is a
// path of no listed port; the first row only when the port in use is not present.
TEST(DialogPort, ThePortInUseIsWhatOkTakesUntouched)
{
    SysfsFixture sysfs;
    sysfs.AddUart(0);
    sysfs.AddUsbPort(0, "Silicon Labs", "CP210x USB to UART Bridge");
    sysfs.AddUart(2);
    const struct {
        SerialPortId current;
        int selectedRow;
        std::string chosen;
    } cases[] = {
        {SerialPortId::FromNumber(33), 2, "/dev/ttyUSB0"},
        {SerialPortId::FromPath("/dev/ttyUSB0"), 2, "/dev/ttyUSB0"},
        {SerialPortId::FromNumber(3), 1, "/dev/ttyS2"},
        {SerialPortId::FromNumber(40), 0, "/dev/ttyS0"},
        {SerialPortId::FromPath("/dev/pts/7"), 0, "/dev/pts/7"},
    };
    for (const auto& c : cases) {
        CDialog_Port dialog(sysfs.Root(), {}, nullptr, c.current);
        EXPECT_EQ(dialog.List()->currentRow(), c.selectedRow) << c.current.DevicePath();
        dialog.OnOk();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.ChosenPort().DevicePath(), c.chosen);
    }
}

TEST(DialogPort, OkWithoutASelectionIsCancel)
{
    SysfsFixture sysfs;
    sysfs.AddUart(0);
    CDialog_Port dialog(sysfs.Root(), {});
    dialog.List()->clearSelection();
    dialog.OnOk();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    SysfsFixture empty;
    CDialog_Port none(empty.Root(), {});
    none.OnOk();
    EXPECT_EQ(none.result(), QDialog::Rejected);
}

TEST(DialogPort, DoubleClickIsOk)
{
    SysfsFixture sysfs;
    sysfs.AddUart(0);
    sysfs.AddUart(4);
    CDialog_Port dialog(sysfs.Root(), {});
    dialog.List()->selectRow(1);
    emit dialog.List()->cellDoubleClicked(1, 0);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenPort().Number(), 5);
}

TEST(DialogPort, TakesATypedDevicePath)
{
    RecordingMessageBoxes boxes;
    SysfsFixture sysfs;
    sysfs.AddUart(0);
    CDialog_Port dialog(sysfs.Root(), {});
    dialog.PathEdit()->setText("COM99");
    dialog.OnOk();
    EXPECT_EQ(dialog.result(), 0) << "not a port: the dialog stays";
    EXPECT_EQ(boxes.Texts().size(), 1u);
    dialog.PathEdit()->setText(" /dev/pts/4 ");
    dialog.OnOk();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenPort().DevicePath(), "/dev/pts/4");
}

TEST(DialogPort, RefreshesWhenADeviceComesOrGoes)
{
    SysfsFixture sysfs;
    TempFolder dev;
    sysfs.AddUart(0);
    CDialog_Port dialog(sysfs.Root(), QString::fromStdString(dev.path()));
    ASSERT_EQ(dialog.List()->rowCount(), 1);

    sysfs.AddUsbPort(2, "Silicon Labs", "CP210x USB to UART Bridge");
    std::ofstream(dev.Path("ttyUSB2")) << "";
    ASSERT_TRUE(WaitUntil([&] { return dialog.List()->rowCount() == 2; }));
    EXPECT_EQ(dialog.List()->item(1, 0)->text(), "COM35");

    sysfs.Remove("ttyUSB2");
    std::filesystem::remove(dev.Path("ttyUSB2"));
    ASSERT_TRUE(WaitUntil([&] { return dialog.List()->rowCount() == 1; }));
}

}  // namespace
}  // namespace skarnel::test
