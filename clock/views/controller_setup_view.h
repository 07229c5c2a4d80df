#pragma once

#include "clock/clock_record.h"
#include "shell/work_view.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace skarnel {

class CLabel;

// "Controller Time Setup": the PC's clock ticking, the controller's clock read, and the
// controller's clock set from the PC's time or from typed values. Each exchange is short and
// runs on the user-interface thread: open the port, one command, close the port.
class CController_Setup_View final : public CWork_View {
    Q_OBJECT
public:
    explicit CController_Setup_View(CMainFrame& mainFrame);
    ~CController_Setup_View() override;

    void WritePcTime();
    void ReadControllerTime();
    void WriteInputTime();

    CLabel* PcTimeLine() const { return pcTimeLine_; }
    CLabel* ControllerTimeLine() const { return controllerTimeLine_; }
    QPushButton* PcWriteButton() const { return pcWriteButton_; }
    QPushButton* ReadButton() const { return readButton_; }
    QPushButton* InputWriteButton() const { return inputWriteButton_; }
    QLineEdit* Field(int index) const { return fields_.at(static_cast<size_t>(index)); }
    QComboBox* WeekdayList() const { return weekdayList_; }
    QCheckBox* SummerTimeBox() const { return summerTimeBox_; }

    enum FieldIndex { kYear, kMonth, kDay, kHour, kMinute, kSecond, kFieldCount };

private:
    void BuildControls();
    void ShowRecordInFields(const ClockRecord& record);
    void ShowPcTime();
    // Writes a record on the view's port, then reads the controller's clock back.
    void WriteRecord(const ClockRecord& record, bool showInFields);

    CLabel* pcTimeLine_;
    CLabel* controllerTimeLine_;
    QPushButton* pcWriteButton_;
    QPushButton* readButton_;
    QPushButton* inputWriteButton_;
    std::array<QLineEdit*, kFieldCount> fields_{};
    QComboBox* weekdayList_;
    QCheckBox* summerTimeBox_;
    QTimer* timer_;
    bool writing_ = false;
};

}  // namespace skarnel
