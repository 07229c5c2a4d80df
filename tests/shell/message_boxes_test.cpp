#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "tests/shell/test_job_view.h"
#include "tests/support/gui_support.h"
#include "tests/support/simulated_frame.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

struct IconCase {
    MessageIcon asked;
    QMessageBox::Icon shown;
    QMessageBox::StandardButtons buttons;
};

const IconCase kIconCases[] = {
    {MessageIcon::None, QMessageBox::NoIcon, QMessageBox::Ok},
    {MessageIcon::Information, QMessageBox::Information, QMessageBox::Ok},
    {MessageIcon::Warning, QMessageBox::Warning, QMessageBox::Ok},
    {MessageIcon::Error, QMessageBox::Critical, QMessageBox::Ok},
    {MessageIcon::Question, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No},
};

// A window with a view away from its middle, as an MDI child often is.
struct ViewInWindow {
    ViewInWindow()
    {
        window.setGeometry(0, 0, 780, 560);
        view->setGeometry(420, 300, 300, 200);
        window.show();
    }
    QRect ViewOnScreen() const { return {view->mapToGlobal(QPoint(0, 0)), view->size()}; }

    QWidget window;
    QWidget* view = new QWidget(&window);
};

TEST(MessageBoxes, EachBoxShowsTheIconAskedForAndSitsOverTheViewThatAsks)
{
    for (const IconCase& c : kIconCases) {
        SCOPED_TRACE(static_cast<int>(c.asked));
        ViewInWindow w;
        auto box = MakeMessageBox(w.view, "Fail", {}, "Fail", c.asked, c.buttons);
        EXPECT_EQ(box->icon(), c.shown);
        EXPECT_EQ(box->iconPixmap().isNull(), c.asked == MessageIcon::None);
        EXPECT_EQ(box->parentWidget(), w.view);
        EXPECT_EQ(box->standardButtons(), c.buttons);
        box->show();
        EXPECT_GE(box->width(), kMinimumMessageBoxWidth) << "a short text keeps a readable box";
        const QPoint offset = box->frameGeometry().center() - w.ViewOnScreen().center();
        EXPECT_LE(offset.manhattanLength(), 2) << "centred over the view, not the window or the screen";
        box->close();
    }
}

TEST(MessageBoxes, ALongTextWidensTheBoxAndTheExplanationFollowsIt)
{
    ViewInWindow w;
    const QString text = "Firmware file can't be read. Please recheck the downloaded file.";
    auto box =
        MakeMessageBox(w.view, text, "/dev/ttyUSB0: no such device", "Error", MessageIcon::Error, QMessageBox::Ok);
    box->show();
    EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(text));
    EXPECT_EQ(box->informativeText(), "/dev/ttyUSB0: no such device");
    box->close();
}

TEST(MessageBoxes, AViewClosedWhileItsBoxWaitsTakesTheBoxAlongAndTheAnswerIsNo)
{
    ViewInWindow w;
    QTimer::singleShot(50, &w.window, [&w] { delete w.view; });
    EXPECT_FALSE(AskYesNoBox(w.view, "Continue?", "RF Off", MessageIcon::Question));
}

TEST(MessageBoxes, AJobsBoxesBelongToItsView)
{
    RecordingMessageBoxes boxes;
    MainFrameOptions options = TestFrameOptions();
    options.registerViews = RegisterTestViews({kViewFirmware});
    SimulatedFrameFixture f({}, options);
    auto* view = static_cast<TestJobView*>(f.frame->OpenView(kViewFirmware));
    view->job = [](CDownload_Function& link, TestJobView&) {
        link.Window().AskYesNo("Continue?", "RF Off", MessageIcon::Question);
        return std::string("Done");
    };
    ASSERT_TRUE(view->Start());
    ASSERT_TRUE(RunUntilJobEnds(*view));
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 2u);
    for (const auto& box : shown)
        EXPECT_EQ(box.parent, view) << box.text.toStdString();
    EXPECT_EQ(shown[0].icon, MessageIcon::Question);
}

}  // namespace
}  // namespace skarnel::test
