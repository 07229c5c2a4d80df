#include "shell/about_dlg.h"
#include "shell/color_button.h"
#include "shell/dialog_input.h"
#include "shell/folder_browser_dialog.h"
#include "shell/label.h"
#include "shell/smart_slider.h"
#include "shell/splash_wnd.h"
#include "tests/support/gui_support.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

QString Typed(int maxLength, const QString& keys)
{
    CDialog_Input dialog;
    dialog.SetMaxLength(maxLength);
    QTest::keyClicks(dialog.Edit(), keys);
    return dialog.Edit()->text();
}

TEST(DialogInput, LimitsTheLengthOnlyWhenAsked)
{
    EXPECT_EQ(Typed(0, "a-long-folder-name"), "a-long-folder-name");
    EXPECT_EQ(Typed(8, "a-long-folder-name"), "a-long-f");
}

TEST(DialogInput, ShowsItsPromptAndKeepsTheTextOnOk)
{
    CDialog_Input dialog;
    EXPECT_EQ(dialog.windowTitle(), "Input");
    EXPECT_EQ(dialog.Prompt()->text(), "Directory Name");
    dialog.SetPrompt("");
    EXPECT_EQ(dialog.Prompt()->text(), "Directory Name");
    dialog.SetPrompt("Folder");
    EXPECT_EQ(dialog.Prompt()->text(), "Folder");
    dialog.Edit()->setText("Models");
    QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(dialog.Edit(), Qt::Key_Return); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result(), "Models");
}

TEST(FolderBrowser, CancelGivesZeroAndAnEmptyPath)
{
    SKIP_WHERE_QT_STARTS_THREADS();
    TempFolder start;
    QWidget owner;
    CFolder_Browser_Dialog chooser(&owner, QString::fromStdString(start.path()));
    EXPECT_EQ(chooser.Dialog()->windowTitle(), "Target Directory");
    QTimer::singleShot(0, chooser.Dialog(), [&chooser] { chooser.Dialog()->reject(); });
    QString path = "left over";
    EXPECT_EQ(chooser.Run(path), 0);
    EXPECT_TRUE(path.isEmpty());
}

TEST(FolderBrowser, OkGivesOneAndTheFolder)
{
    SKIP_WHERE_QT_STARTS_THREADS();
    TempFolder start;
    QWidget owner;
    const QString folder = QString::fromStdString(start.path());
    CFolder_Browser_Dialog chooser(&owner, folder);
    QTimer::singleShot(0, chooser.Dialog(), [&chooser, folder] {
        chooser.Dialog()->selectFile(folder);
        static_cast<QDialog*>(chooser.Dialog())->accept();
    });
    QString path;
    EXPECT_EQ(chooser.Run(path), 1);
    EXPECT_EQ(path, folder);
}

int CountPixels(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

TEST(ColorButton, DisabledShowsTheDisabledBackgroundAndAnEngravedCaption)
{
    CColorButton button("Write");
    button.resize(120, 30);
    button.SetBackgroundColor(QColor(0, 0, 200));
    button.SetDisabledBackgroundColor(QColor(200, 200, 0));
    button.SetTextColor(QColor(255, 0, 0));
    button.setEnabled(false);
    const QImage disabled = button.grab().toImage();
    EXPECT_EQ(disabled.pixelColor(60, 5), QColor(200, 200, 0));
    EXPECT_GT(CountPixels(disabled, CColorButton::EngravedShadowColor()), 0);
    EXPECT_GT(CountPixels(disabled, CColorButton::EngravedTextColor()), 0);
    EXPECT_EQ(CountPixels(disabled, QColor(255, 0, 0)), 0);

    button.setEnabled(true);
    const QImage enabled = button.grab().toImage();
    EXPECT_EQ(enabled.pixelColor(60, 5), QColor(0, 0, 200));
    EXPECT_GT(CountPixels(enabled, QColor(255, 0, 0)), 0);
}

TEST(ColorButton, RightClickTellsItsValue)
{
    CColorButton button("Play");
    button.SetRightClickValue(17);
    QSignalSpy spy(&button, &CColorButton::RightClicked);
    QTest::mouseClick(&button, Qt::RightButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 17);
}

TEST(SmartSlider, IsDraggingWhileTheLeftButtonIsDown)
{
    CSmart_SliderCtrl slider;
    slider.resize(200, 20);
    slider.setRange(0, 100);
    slider.setValue(50);
    int seenWhileTracking = -1;
    QObject::connect(&slider, &QSlider::sliderPressed, [&] { seenWhileTracking = slider.dragging; });
    const QPoint handle = slider.rect().center();
    QTest::mousePress(&slider, Qt::LeftButton, {}, handle);
    EXPECT_EQ(slider.dragging, 1);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, handle);
    EXPECT_EQ(slider.dragging, 0);
    EXPECT_EQ(seenWhileTracking, 1);
}

TEST(Label, PaintsItsColoursAndBlinks)
{
    CLabel label("Read Fail");
    label.resize(200, 30);
    label.SetViewStyle(20);
    EXPECT_EQ(label.font().family(), "Tahoma");
    EXPECT_EQ(label.font().pixelSize(), 20);
    EXPECT_TRUE(label.font().bold());
    const QImage image = label.grab().toImage();
    EXPECT_EQ(image.pixelColor(199, 0), QColor(Qt::black));
    EXPECT_GT(CountPixels(image, QColor(255, 255, 0)), 0);

    label.SetBlink(CLabel::kBlinkText, 10);
    ASSERT_TRUE(WaitUntil([&] { return !label.IsTextShown(); }));
    EXPECT_EQ(CountPixels(label.grab().toImage(), QColor(255, 255, 0)), 0);
    label.SetBlink(CLabel::kNoBlink);
    EXPECT_TRUE(label.IsTextShown());
}

TEST(Splash, ClosesItselfAfterItsTime)
{
    QPointer<CSplashWnd> splash = CSplashWnd::ShowFor(20);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(WaitUntil([&] { return splash.isNull(); }));
}

TEST(AboutBox, NamesTheProductAndVersion)
{
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "Skarnel Info...");
    QStringList texts;
    for (QLabel* label : about.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("Skarnel"));
    EXPECT_TRUE(texts.contains("Version-S3.5"));
}

}  // namespace
}  // namespace skarnel::test
