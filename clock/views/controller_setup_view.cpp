#include "clock/views/controller_setup_view.h"

#include "clock/clock_input.h"
#include "shell/label.h"
#include "shell/message_boxes.h"
#include "shell/view_table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>

#include <ctime>

namespace skarnel {
namespace {

constexpr int kTickMs = 1000;
constexpr int kLineFontHeight = 20;
constexpr const char* kReadFailCaption = "Controller Time Read - Start";

std::tm LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

CLabel* MakeTimeLine(QWidget* parent)
{
    auto* line = new CLabel({}, parent);
    line->SetViewStyle(kLineFontHeight);
    line->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    line->setMinimumHeight(32);
    return line;
}

}  // namespace

CController_Setup_View::CController_Setup_View(CMainFrame& mainFrame)
    : CWork_View(mainFrame, kViewControllerTime), pcTimeLine_(MakeTimeLine(this)),
      controllerTimeLine_(MakeTimeLine(this)), pcWriteButton_(new QPushButton("PC Current Time Write", this)),
      readButton_(new QPushButton("Controller Time Read", this)),
      inputWriteButton_(new QPushButton("Input Time Write", this)), weekdayList_(new QComboBox(this)),
      summerTimeBox_(new QCheckBox("Summer Time", this)), timer_(new QTimer(this))
{
    BuildControls();
    for (int day = 0; day < 7; ++day)
        weekdayList_->addItem(QString::fromStdString(WeekdayName(day)));
    weekdayList_->setCurrentIndex(0);
    ShowRecordInFields(ClockRecord::FromLocalTime(LocalNow(), false));
    ShowPcTime();
    connect(timer_, &QTimer::timeout, this, &CController_Setup_View::ShowPcTime);
    timer_->start(kTickMs);
    connect(pcWriteButton_, &QPushButton::clicked, this, &CController_Setup_View::WritePcTime);
    connect(readButton_, &QPushButton::clicked, this, &CController_Setup_View::ReadControllerTime);
    connect(inputWriteButton_, &QPushButton::clicked, this, &CController_Setup_View::WriteInputTime);
}

CController_Setup_View::~CController_Setup_View()
{
    timer_->stop();
}

void CController_Setup_View::BuildControls()
{
    auto* group = new QGroupBox(" [ Time ] ", this);
    auto* fieldGrid = new QGridLayout(group);
    static constexpr const char* kFieldNames[kFieldCount] = {"Year", "Month", "Day", "Hour", "Min", "Sec"};
    auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);
    for (int index = 0; index < kFieldCount; ++index) {
        auto* field = new QLineEdit(group);
        field->setValidator(digits);
        field->setMaxLength(index == kYear ? 4 : 2);
        fields_[static_cast<size_t>(index)] = field;
        fieldGrid->addWidget(new QLabel(kFieldNames[index], group), 0, index);
        fieldGrid->addWidget(field, 1, index);
    }
    fieldGrid->addWidget(weekdayList_, 2, 0, 1, 3);
    fieldGrid->addWidget(summerTimeBox_, 2, 3, 1, 3);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("PC Time", this), 0, 0);
    grid->addWidget(pcTimeLine_, 0, 1);
    grid->addWidget(new QLabel("Controller Time", this), 1, 0);
    grid->addWidget(controllerTimeLine_, 1, 1);
    grid->addWidget(pcWriteButton_, 2, 0, 1, 2);
    grid->addWidget(readButton_, 3, 0, 1, 2);
    grid->addWidget(group, 4, 0, 1, 2);
    grid->addWidget(inputWriteButton_, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
}

void CController_Setup_View::ShowPcTime()
{
    pcTimeLine_->setText(QString::fromStdString(ClockTimeText(ClockRecord::FromLocalTime(LocalNow(), false))));
}

void CController_Setup_View::ShowRecordInFields(const ClockRecord& record)
{
    const int values[kFieldCount] = {record.year, record.month, record.day, record.hour, record.minute, record.second};
    for (int index = 0; index < kFieldCount; ++index)
        fields_[static_cast<size_t>(index)]->setText(QString::number(values[index]));
    weekdayList_->setCurrentIndex(record.weekday);
}

void CController_Setup_View::WritePcTime()
{
    writing_ = true;
    WriteRecord(ClockRecord::FromLocalTime(LocalNow(), summerTimeBox_->isChecked()), true);
}

void CController_Setup_View::WriteInputTime()
{
    writing_ = true;
    ClockFields typed;
    int* values[kFieldCount] = {&typed.year, &typed.month, &typed.day, &typed.hour, &typed.minute, &typed.second};
    for (int index = 0; index < kFieldCount; ++index)
        *values[index] = ClockFieldValue(fields_[static_cast<size_t>(index)]->text().toStdString());
    typed.weekday = weekdayList_->currentIndex();
    typed.summerTime = summerTimeBox_->isChecked();
    const std::optional<ClockRecord> record = ClockRecordFromFields(typed);
    if (!record) {
        writing_ = false;
        return;
    }
    WriteRecord(*record, false);
}

void CController_Setup_View::WriteRecord(const ClockRecord& record, bool showInFields)
{
    if (!OpenExchangePort()) {
        writing_ = false;
        return;
    }
    if (Link().WriteClock(record)) {
        if (showInFields)
            ShowRecordInFields(record);
    } else {
        ShowMessageBox(this, "RTC Time Write Fail");
    }
    writing_ = false;
    Port().ClosePort();
    ReadControllerTime();
}

void CController_Setup_View::ReadControllerTime()
{
    if (writing_)
        return;
    if (!OpenExchangePort()) {
        readButton_->setText(kReadFailCaption);
        return;
    }
    ClockRecord record;
    const bool read = Link().ReadClock(record);
    Port().ClosePort();
    if (read) {
        controllerTimeLine_->setText(QString::fromStdString(ClockTimeText(record)));
        return;
    }
    controllerTimeLine_->setText("Read Fail");
    readButton_->setText(kReadFailCaption);
}

}  // namespace skarnel
