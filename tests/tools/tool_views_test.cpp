#include "shell/settings_keys.h"
#include "shell/view_frame.h"
#include "tests/support/gui_support.h"
#include "tests/support/temp_folder.h"
#include "tools/firmware_merge.h"
#include "tools/views/merge_gang_view.h"
#include "tools/views/merge_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

template <typename View> View* Open(FrameFixture& f, int index)
{
    return dynamic_cast<View*>(f.frame->OpenView(index));
}

TEST(MergeView, WritesTheCoresUpgradeFileAndKeepsThePaths)
{
    RecordingMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    TempFolder files;
    const std::string app = files.Write("app.bin", PatternBytes(1000, 1));
    const std::string boot = files.Write("boot.bin", PatternBytes(300, 2));
    FrameFixture f(TestFrameOptions());
    auto* view = Open<CMerge_View>(f, kViewMerge);
    ASSERT_NE(view, nullptr);
    view->AppRow().edit->setText(Q(app));
    view->BootUseBox()->setChecked(true);
    EXPECT_TRUE(view->BootRow().edit->isEnabled());
    view->BootRow().edit->setText(Q(boot));
    dialogs.answer = Q(files.Path("out"));
    view->TargetRow().browse->click();
    EXPECT_EQ(view->TargetRow().edit->text(), Q(files.Path("out.bin")));
    EXPECT_EQ(dialogs.filters.back(), "Target File(*.bin)|*.bin|ALL Filess(*.*)|*.*||");
    view->MergeButton()->click();
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{"File Merge Complete"});

    MergeRequest request{app, true, boot, false, {}, files.Path("core.bin")};
    ASSERT_TRUE(MergeFirmwareFile(request).succeeded);
    EXPECT_EQ(files.Read("out.bin"), files.Read("core.bin"));
    EXPECT_EQ(f.settings->ReadText(kKeyAppFileName), Q(app));
    EXPECT_EQ(f.settings->ReadText(kKeyTargetFileName), Q(files.Path("out.bin")));

    f.frame->FindFrame(kViewMerge)->close();
    ASSERT_TRUE(WaitUntil([&] { return f.frame->FindFrame(kViewMerge) == nullptr; }));
    auto* reopened = Open<CMerge_View>(f, kViewMerge);
    EXPECT_EQ(reopened->AppRow().edit->text(), Q(app));
    EXPECT_EQ(reopened->BootRow().edit->text(), Q(boot));
    EXPECT_EQ(reopened->TargetRow().edit->text(), Q(files.Path("out.bin")));
}

TEST(MergeView, ShowsTheCoresRefusalsAndHidesTheStPart)
{
    RecordingMessageBoxes boxes;
    FrameFixture f(TestFrameOptions());
    f.frame->show();
    auto* view = Open<CMerge_View>(f, kViewMerge);
    ASSERT_NE(view, nullptr);
    f.frame->FindFrame(kViewMerge)->resize(800, 700);
    EXPECT_FALSE(view->StBootRow().group->isVisible());
    EXPECT_FALSE(view->StBootUseBox()->isVisible());
    EXPECT_FALSE(view->StBootUseBox()->isChecked());
    EXPECT_TRUE(view->AppRow().group->isVisible());
    view->MergeButton()->click();
    view->AppRow().edit->setText("/nonexistent/app.bin");
    view->BootUseBox()->setChecked(true);
    view->MergeButton()->click();
    view->BootUseBox()->setChecked(false);
    view->TargetRow().edit->setText("x");
    view->MergeButton()->click();
    EXPECT_EQ(boxes.Texts(),
              (std::vector<QString>{"App File Not Selected", "Boot File Not Selected", "App File Open Fail"}));
    view->ConvertButton()->click();
    EXPECT_EQ(boxes.Texts().size(), 3u) << "the convert says nothing";
}

TEST(MergeView, LayoutFollowsTheSize)
{
    FrameFixture f(TestFrameOptions());
    f.frame->show();
    auto* view = Open<CMerge_View>(f, kViewMerge);
    ASSERT_NE(view, nullptr);
    view->resize(700, 600);
    EXPECT_EQ(view->AppRow().edit->geometry(), QRect(20, 40, 550, 27));
    EXPECT_EQ(view->AppRow().browse->geometry(), QRect(580, 40, 100, 27));
    EXPECT_EQ(view->MergeButton()->geometry(), QRect(10, 250, 680, 40));
    EXPECT_EQ(view->YModemSourceRow().group->geometry(), QRect(10, 400, 680, 60));
    EXPECT_EQ(view->ConvertButton()->geometry(), QRect(10, 540, 680, 40));
    const QRect stPlace = view->StBootRow().edit->geometry();
    view->resize(900, 800);
    EXPECT_EQ(view->YModemTargetRow().edit->geometry(), QRect(20, 690, 750, 27));
    EXPECT_EQ(view->StBootRow().edit->geometry(), stPlace);
}

TEST(MergeView, ConvertTwiceGivesTheSourceBack)
{
    ScriptedFileDialogs dialogs;
    TempFolder files;
    const std::string source = files.Write("plain.bin", PatternBytes(5000, 3));
    FrameFixture f(TestFrameOptions());
    auto* view = Open<CMerge_View>(f, kViewMerge);
    ASSERT_NE(view, nullptr);
    dialogs.answer = Q(source);
    view->YModemSourceRow().browse->click();
    dialogs.answer = Q(files.Path("stored.BiN"));
    view->YModemTargetRow().browse->click();
    EXPECT_EQ(view->YModemTargetRow().edit->text(), Q(files.Path("stored.BiN")));
    view->ConvertButton()->click();
    view->YModemSourceRow().edit->setText(Q(files.Path("stored.BiN")));
    view->YModemTargetRow().edit->setText(Q(files.Path("again.bin")));
    view->ConvertButton()->click();
    EXPECT_EQ(files.Read("again.bin"), files.Read("plain.bin"));
    EXPECT_NE(files.Read("stored.BiN"), files.Read("plain.bin"));
}

TEST(MergeGangView, BuildsTheImageAndKeepsThePaths)
{
    RecordingMessageBoxes boxes;
    TempFolder files;
    FrameFixture f(TestFrameOptions());
    auto* view = Open<CMerge_Gang_View>(f, kViewMergeGang);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->ModelList()->currentText(), "KT-40");
    view->StBootRow().edit->setText(Q(files.Write("st.bin", PatternBytes(6000, 1))));
    view->QvBootRow().edit->setText(Q(files.Write("qv.bin", PatternBytes(12288, 2))));
    view->AppRow().edit->setText(Q(files.Write("app.bin", PatternBytes(241665, 3))));
    view->TargetRow().edit->setText(Q(files.Path("gang.bin")));
    view->MergeButton()->click();
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_TRUE(boxes.Texts()[0].startsWith("Application Size Overflow"));
    EXPECT_TRUE(f.settings->ReadText(kKeyGangAppFileName).isEmpty());
    view->ModelList()->setCurrentIndex(1);
    view->MergeButton()->click();
    EXPECT_EQ(boxes.Texts().back(), "Gang File Create Success");
    EXPECT_EQ(files.Read("gang.bin").size(), 20480u + 241665u);
    EXPECT_EQ(f.settings->ReadText(kKeyGangTargetFileName), Q(files.Path("gang.bin")));
    EXPECT_EQ(f.settings->ReadText(kKeyGangQvBootFileName), Q(files.Path("qv.bin")));
}

TEST(MergeGangView, LayoutFollowsTheWidth)
{
    FrameFixture f(TestFrameOptions());
    f.frame->show();
    auto* view = Open<CMerge_Gang_View>(f, kViewMergeGang);
    ASSERT_NE(view, nullptr);
    view->resize(640, 560);
    EXPECT_EQ(view->QvBootRow().group->geometry(), QRect(10, 190, 620, 80));
    EXPECT_EQ(view->QvBootRow().edit->geometry(), QRect(20, 210, 490, 27));
    EXPECT_EQ(view->TargetRow().browse->geometry(), QRect(520, 390, 100, 27));
    EXPECT_EQ(view->MergeButton()->geometry(), QRect(10, 460, 620, 40));
}

}  // namespace
}  // namespace skarnel::test
