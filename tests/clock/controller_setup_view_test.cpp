#include "clock/views/controller_setup_view.h"
#include "shell/label.h"
#include "tests/support/gui_support.h"
#include "tests/support/pty_frame.h"
#include "tests/support/simulated_frame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

void Type(CController_Setup_View& view, int year, int month, int day, int hour, int minute, int second, int weekday,
          bool summer)
{
    const int values[] = {year, month, day, hour, minute, second};
    for (int index = 0; index < CController_Setup_View::kFieldCount; ++index)
        view.Field(index)->setText(QString::number(values[index]));
    view.WeekdayList()->setCurrentIndex(weekday);
    view.SummerTimeBox()->setChecked(summer);
}

// The time view on a main frame of the given kind.
template <class Frame> struct TimeViewOn {
    TimeViewOn() : view(static_cast<CController_Setup_View*>(fixture.frame->OpenView(kViewControllerTime))) {}

    RecordingMessageBoxes boxes;
    Frame fixture;
    CController_Setup_View* view;
};

// On an in-process simulated controller, which the test reaches as controller().
struct TimeViewFixture : TimeViewOn<SimulatedFrameFixture> {
    SimulatedController& controller() { return fixture.controller; }
};

// On skarnel-sim's PTY.
using EndToEndTimeViewFixture = TimeViewOn<PtyFrameFixture>;

TEST(ControllerTimeView, OpensWithThePcTimeInItsFields)
{
    TimeViewFixture f;
    ASSERT_NE(f.view, nullptr);
    EXPECT_EQ(f.view->WeekdayList()->count(), 7);
    EXPECT_EQ(f.view->WeekdayList()->itemText(0), "Sunday");
    EXPECT_FALSE(f.view->Field(CController_Setup_View::kYear)->text().isEmpty());
    EXPECT_TRUE(f.view->PcTimeLine()->text().startsWith(" 20"));
    EXPECT_EQ(f.view->PcTimeLine()->TextColor(), QColor(255, 255, 0));
    EXPECT_EQ(f.view->SummerTimeBox()->text(), "Summer Time");
}

TEST(ControllerTimeViewEndToEnd, WritesTypedTimeAndReadsItBack)
{
    EndToEndTimeViewFixture f;
    Type(*f.view, 2011, 3, 27, 2, 30, 0, 0, true);
    f.view->InputWriteButton()->click();
    EXPECT_TRUE(f.view->ControllerTimeLine()->text().startsWith(" 2011-03-27 Sunday (02:30:0"))
        << f.view->ControllerTimeLine()->text().toStdString();
    EXPECT_TRUE(f.boxes.Boxes().empty());
    EXPECT_FALSE(f.view->Port().IsConnected());
    EXPECT_EQ(f.view->ReadButton()->text(), "Controller Time Read");
}

TEST(ControllerTimeView, WritesThePcTime)
{
    TimeViewFixture f;
    f.controller().SetClock("2001-01-01 00:00:00");
    Type(*f.view, 1999, 1, 1, 0, 0, 0, 5, false);
    f.view->PcWriteButton()->click();
    const QString year = f.view->Field(CController_Setup_View::kYear)->text();
    EXPECT_NE(year, "1999") << "the fields show the time written";
    EXPECT_TRUE(f.view->ControllerTimeLine()->text().startsWith(" " + year + "-"));
}

TEST(ControllerTimeView, EmptyYearSendsNothingAndReadStillWorks)
{
    TimeViewFixture f;
    f.controller().SetClock("2020-05-06 07:08:09");
    Type(*f.view, 2011, 3, 27, 2, 30, 0, 0, false);
    f.view->Field(CController_Setup_View::kYear)->clear();
    f.view->InputWriteButton()->click();
    EXPECT_TRUE(f.view->ControllerTimeLine()->text().isEmpty());
    f.view->ReadButton()->click();
    EXPECT_TRUE(f.view->ControllerTimeLine()->text().startsWith(" 2020-05-06"));
}

TEST(ControllerTimeView, ShowsReadFailWhenTheControllerIsSilent)
{
    TimeViewFixture f;
    f.controller().AddFault("no-reply,count=1000");
    const int64_t start = f.controller().clock().NowMs();
    f.view->ReadButton()->click();
    const int64_t elapsed = f.controller().clock().NowMs() - start;
    EXPECT_EQ(f.view->ControllerTimeLine()->text(), "Read Fail");
    EXPECT_EQ(f.view->ReadButton()->text(), "Controller Time Read - Start");
    EXPECT_GE(elapsed, 150) << "three attempts of 50 ms";
    EXPECT_LT(elapsed, 3000) << "no 10 s reply wait";
    f.view->ReadButton()->click();
    EXPECT_EQ(f.view->ReadButton()->text(), "Controller Time Read - Start") << "the caption stays";
}

TEST(ControllerTimeView, FailedWriteIsToldAndTheClockReadBack)
{
    TimeViewFixture f;
    f.controller().AddFault("nak,code=0x30");
    f.controller().SetClock("2020-05-06 07:08:09");
    Type(*f.view, 2011, 3, 27, 2, 30, 0, 0, false);
    f.view->InputWriteButton()->click();
    ASSERT_EQ(f.boxes.Texts().size(), 1u);
    EXPECT_EQ(f.boxes.Texts()[0], "RTC Time Write Fail");
    EXPECT_TRUE(f.view->ControllerTimeLine()->text().startsWith(" 2020-05-06"));
}

TEST(ControllerTimeView, PortOpenFailureLeavesReadUsable)
{
    TimeViewFixture f;
    const std::string device = SimulatedController::kDevicePath;
    f.fixture.frame->SetPort(SerialPortId::FromPath("/dev/skarnel-no-such-port"));
    f.view->PcWriteButton()->click();
    ASSERT_EQ(f.boxes.Boxes().size(), 1u);
    EXPECT_EQ(f.boxes.Boxes()[0].text, "Port Open Fail");
    EXPECT_EQ(f.boxes.Boxes()[0].title, "Fail");
    EXPECT_TRUE(f.view->ControllerTimeLine()->text().isEmpty()) << "no read after a failed open";

    f.fixture.frame->SetPort(SerialPortId::FromPath(device));
    f.view->ReadButton()->click();
    EXPECT_TRUE(f.view->ControllerTimeLine()->text().startsWith(" 20"));
}

}  // namespace
}  // namespace skarnel::test
