#include "link/reply_codes.h"
#include "shell/main_frame.h"
#include "shell/ui_call_queue.h"
#include "shell/view_frame.h"
#include "tests/shell/test_job_view.h"
#include "tests/support/gui_support.h"
#include "tests/support/pty_frame.h"
#include "tests/support/simulated_frame.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

// A main frame of the given kind, with test job views at indices 0 and 3.
template <class Frame> struct JobFixtureOn {
    JobFixtureOn() : fixture({}, Options()) {}

    static MainFrameOptions Options()
    {
        MainFrameOptions options = TestFrameOptions();
        options.registerViews = RegisterTestViews({kViewFirmware, kViewMergeGang});
        return options;
    }

    TestJobView* Open(int index) { return static_cast<TestJobView*>(fixture.frame->OpenView(index)); }

    RecordingMessageBoxes boxes;
    Frame fixture;
};

// On an in-process simulated controller.
using JobFixture = JobFixtureOn<SimulatedFrameFixture>;
// On skarnel-sim's PTY.
using EndToEndJobFixture = JobFixtureOn<PtyFrameFixture>;

std::string ReadProductName(CDownload_Function& link, TestJobView&)
{
    ProductInfo info;
    if (!link.ReadProductInfo(info))
        return "Product Information Read Fail";
    link.Window().ReportProgressRange(10, 5);
    link.Window().ReportProgress(7, "Reading");
    link.Window().ReportLogLine("Product Name : " + info.productName);
    return "Product Information Read - Ok";
}

TEST(WorkView, EndsAJobWithTheFinalTextAndProcessStop)
{
    JobFixture f;
    TestJobView* view = f.Open(kViewFirmware);
    view->job = ReadProductName;
    view->StartButton()->click();
    EXPECT_FALSE(view->StartButton()->isEnabled());
    EXPECT_FALSE(view->StopButton()->isHidden());
    ASSERT_TRUE(RunUntilJobEnds(*view));

    const std::vector<std::string> log = LogTexts(*view);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[log.size() - 3], "Product Name : KT-40");
    EXPECT_EQ(log[log.size() - 2], "Product Information Read - Ok");
    EXPECT_EQ(log.back(), "Process Stop");
    EXPECT_EQ(view->LogList()->item(0, 0)->text(), "1");
    EXPECT_EQ(view->LogList()->currentRow(), static_cast<int>(log.size()) - 1);
    EXPECT_TRUE(view->StopButton()->isHidden());
    EXPECT_TRUE(view->StartButton()->isEnabled());
    EXPECT_FALSE(view->Port().IsConnected());
    EXPECT_EQ(view->ProgressBar()->maximum(), 10);
    EXPECT_EQ(view->ProgressBar()->value(), 7);
    EXPECT_EQ(view->StatusLine()->text(), "Product Information Read - Ok") << "a good job ends on its end text";
    const auto boxes = f.boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Product Information Read - Ok");
    EXPECT_TRUE(boxes[0].onUiThread);
}

TEST(WorkView, AFailedJobKeepsTheStepItStoppedAtAndTheNextJobStartsClear)
{
    JobFixture f;
    TestJobView* view = f.Open(kViewFirmware);
    view->job = [](CDownload_Function& link, TestJobView&) {
        link.Window().ReportProgressRange(10, 0);
        link.Window().ReportProgress(3, "Download 3/10");
        return std::string("Data Download Fail");
    };
    view->jobSucceeds = false;
    ASSERT_TRUE(view->Start());
    ASSERT_TRUE(RunUntilJobEnds(*view));
    EXPECT_EQ(view->StatusLine()->text(), "Download 3/10");
    EXPECT_EQ(view->ProgressBar()->value(), 3);

    view->job = RunUntilStopped;
    view->jobSucceeds = true;
    ASSERT_TRUE(view->Start());
    EXPECT_EQ(view->StatusLine()->text(), "");
    EXPECT_EQ(view->ProgressBar()->value(), view->ProgressBar()->minimum());
    view->StopButton()->click();
    ASSERT_TRUE(RunUntilJobEnds(*view));
}

TEST(WorkView, EndsAStoppedJobTheSameWay)
{
    JobFixture f;
    TestJobView* view = f.Open(kViewFirmware);
    view->StartButton()->click();
    ASSERT_TRUE(WaitUntil([view] { return view->jobEntered.load(); }));
    EXPECT_FALSE(view->Start()) << "a second start while a job runs does nothing";
    view->StopButton()->click();
    ASSERT_TRUE(RunUntilJobEnds(*view));
    EXPECT_EQ(LogTexts(*view), (std::vector<std::string>{"Thread Stop Flag Set", "Job Stopped", "Process Stop"}));
    EXPECT_TRUE(view->StopButton()->isHidden());
    EXPECT_FALSE(view->Port().IsConnected());

    view->job = ReadProductName;
    ASSERT_TRUE(view->Start()) << "the view takes the next job";
    ASSERT_TRUE(RunUntilJobEnds(*view));
    EXPECT_EQ(view->LogList()->item(0, 0)->text(), "1") << "each job starts a new log";
}

TEST(WorkView, RefusesAJobWhenThePortCannotBeOpened)
{
    JobFixture f;
    f.fixture.frame->SetPort(SerialPortId::FromPath("/dev/skarnel-no-such-port"));
    TestJobView* view = f.Open(kViewFirmware);
    EXPECT_FALSE(view->Start());
    EXPECT_FALSE(view->IsBusy());
    EXPECT_TRUE(view->StartButton()->isEnabled());
    const auto boxes = f.boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Port Open Fail");
    EXPECT_EQ(boxes[0].title, "Fail");
}

TEST(WorkViewEndToEnd, TwoViewsOnOnePortCannotRunTogether)
{
    EndToEndJobFixture f;
    TestJobView* first = f.Open(kViewFirmware);
    TestJobView* second = f.Open(kViewMergeGang);
    ASSERT_TRUE(first->Start());
    ASSERT_TRUE(WaitUntil([first] { return first->jobEntered.load(); }));
    EXPECT_FALSE(second->Start());
    EXPECT_EQ(f.boxes.Texts().back(), "Port Open Fail");
    first->RequestStop();
    ASSERT_TRUE(RunUntilJobEnds(*first));
}

TEST(WorkView, AsksWorkerQuestionsOnTheUserInterfaceThread)
{
    JobFixture f;
    f.boxes.AnswerWith(false);
    TestJobView* view = f.Open(kViewFirmware);
    view->job = [](CDownload_Function& link, TestJobView&) {
        const bool yes = link.Window().AskYesNo("Continue?", "Question", MessageIcon::Question);
        return std::string(yes ? "Yes" : "No");
    };
    ASSERT_TRUE(view->Start());
    ASSERT_TRUE(RunUntilJobEnds(*view));
    const auto boxes = f.boxes.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Continue?");
    EXPECT_TRUE(boxes[0].onUiThread);
    EXPECT_EQ(boxes[1].text, "No");
}

TEST(WorkView, WorkerWaitsUntilTheUserInterfaceHandledACall)
{
    JobFixture f;
    TestJobView* view = f.Open(kViewFirmware);
    std::atomic<int> seenByWorker{-1};
    view->job = [&seenByWorker](CDownload_Function&, TestJobView& v) {
        int handled = 0;
        v.Calls().Call([&handled] {
            EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
            handled = 42;
        });
        seenByWorker = handled;
        return std::string("Done");
    };
    ASSERT_TRUE(view->Start());
    ASSERT_TRUE(RunUntilJobEnds(*view));
    EXPECT_EQ(seenByWorker.load(), 42);
}

struct ReplyTextCase {
    ReplyTextTable table;
    int code;
    uint32_t value;
    std::string text;
};

TEST(WorkView, LogsFailedExchangesWithItsReplyTable)
{
    const ReplyTextCase cases[] = {
        {ReplyTextTable::Standard, kReplyTimeout, 0, "Error - Packet Response TimeOut"},
        {ReplyTextTable::Firmware, kReplyTimeout, 0, "Packet Response TimeOut"},
        {ReplyTextTable::Standard, kReplyError, 0x1F00, "Error Return. \n\rAddress : 1F00"},
        {ReplyTextTable::ModelData, kReplyBusy, 0x20, "Error Return. \n\rAddress : 20"},
        {ReplyTextTable::Standard, 77, 0, ""},
    };
    RecordingMessageBoxes boxes;
    FrameFixture fixture(TestFrameOptions());
    for (const ReplyTextCase& c : cases) {
        TestJobView view(*fixture.frame, kViewFirmware, c.table);
        view.ViewReporter().ReportFailedExchange(c.value, c.code);
        ASSERT_EQ(LogTexts(view).size(), 1u);
        EXPECT_EQ(LogTexts(view)[0], c.text);
    }
}

TEST(WorkView, ClosingAViewWhileItsJobRunsStopsTheJobFirst)
{
    JobFixture f;
    TestJobView* view = f.Open(kViewFirmware);
    QPointer<CView_Frame> frame = f.fixture.frame->FindFrame(kViewFirmware);
    ASSERT_TRUE(view->Start());
    ASSERT_TRUE(WaitUntil([view] { return view->jobEntered.load(); }));

    frame->close();
    EXPECT_TRUE(frame) << "the frame stays while the worker runs";
    EXPECT_TRUE(frame->IsClosePending());
    EXPECT_TRUE(view->StopRequested());
    ASSERT_TRUE(WaitUntil([&frame] { return frame.isNull(); }));
    EXPECT_EQ(f.fixture.frame->FindView(kViewFirmware), nullptr);
    EXPECT_EQ(f.boxes.Texts().back(), "Job Stopped");
}

TEST(WorkView, ClosingTheMainWindowWhileAJobRunsWaitsForIt)
{
    JobFixture f;
    CMainFrame& frame = *f.fixture.frame;
    TestJobView* view = f.Open(kViewFirmware);
    ASSERT_TRUE(view->Start());
    ASSERT_TRUE(WaitUntil([view] { return view->jobEntered.load(); }));

    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.IsClosePending());
    EXPECT_TRUE(view->StopRequested());
    ASSERT_TRUE(WaitUntil([&frame] { return !frame.IsClosePending(); })) << "closed once the job ended";
    EXPECT_FALSE(view->IsBusy());
    EXPECT_FALSE(view->Port().IsConnected());
}

TEST(WorkView, TearingDownWithAJobRunningWaitsForTheWorker)
{
    JobFixture f;
    TestJobView* view = f.Open(kViewFirmware);
    ASSERT_TRUE(view->Start());
    ASSERT_TRUE(WaitUntil([view] { return view->jobEntered.load(); }));
    f.fixture.frame.reset();
    EXPECT_EQ(f.boxes.Texts().back(), "Job Stopped");
}

}  // namespace
}  // namespace skarnel::test
