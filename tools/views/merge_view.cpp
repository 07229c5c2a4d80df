#include "tools/views/merge_view.h"

#include "shell/app_settings.h"
#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "shell/settings_keys.h"
#include "shell/view_table.h"
#include "tools/extension_rules.h"
#include "tools/firmware_merge.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace skarnel {
namespace {

constexpr const char* kAppFilter = "Application Firmware File(*.bin)|*.bin|ALL Filess(*.*)|*.*||";
constexpr const char* kBootFilter = "Bootloader Firmware File(*.bin)|*.bin|ALL Filess(*.*)|*.*||";
constexpr const char* kStBootFilter = "ST Bootloader Firmware File(*.bin)|*.bin|ALL Filess(*.*)|*.*||";
constexpr const char* kTargetFilter = "Target File(*.bin)|*.bin|ALL Filess(*.*)|*.*||";

std::string PathOf(const PathRow& row)
{
    return row.edit->text().toStdString();
}

// A "Use" box enables its path and button.
void EnableWith(QCheckBox* box, const PathRow& row)
{
    row.edit->setEnabled(false);
    row.browse->setEnabled(false);
    QObject::connect(box, &QCheckBox::toggled, row.edit, [row](bool checked) {
        row.edit->setEnabled(checked);
        row.browse->setEnabled(checked);
    });
}

void ShowResult(QWidget* view, const JobOutcome& result)
{
    if (!result.boxText.empty())
        ShowMessageBox(view, QString::fromStdString(result.boxText));
}

}  // namespace

CMerge_View::CMerge_View(CMainFrame& mainFrame)
    : CFunction_View(mainFrame, kViewMerge), app_(MakePathRow(this, " [ Application ] ")),
      boot_(MakePathRow(this, " [ Boot Loader ] ")), bootUse_(new QCheckBox("Boot Loader Use", this)),
      stBoot_(MakePathRow(this, " [ ST Boot Loader ] ")), stBootUse_(new QCheckBox("ST Boot Loader Use", this)),
      target_(MakePathRow(this, " [ Target ] ")), merge_(new QPushButton("Merge Execute", this)),
      ymodemSource_(MakePathRow(this, " [ Y-Modem Source ] ")),
      ymodemTarget_(MakePathRow(this, " [ Y-Modem Target ] ")), convert_(new QPushButton("Convert Execute", this))
{
    EnableWith(bootUse_, boot_);
    BuildStBootPart();
    ConnectBrowsing();
    connect(merge_, &QPushButton::clicked, this, &CMerge_View::MergeExecute);
    connect(convert_, &QPushButton::clicked, this, &CMerge_View::ConvertExecute);
    LoadPaths();
}

void CMerge_View::BuildStBootPart()
{
    EnableWith(stBootUse_, stBoot_);
    // Its place below the merge button; the layout leaves it where it is, and hidden.
    stBoot_.group->setGeometry(10, 300, 725, 80);
    stBootUse_->setGeometry(20, 320, 150, 20);
    stBoot_.edit->setGeometry(20, 340, 595, 27);
    stBoot_.browse->setGeometry(625, 340, 100, 27);
    for (QWidget* control : {static_cast<QWidget*>(stBoot_.group), static_cast<QWidget*>(stBootUse_),
                             static_cast<QWidget*>(stBoot_.edit), static_cast<QWidget*>(stBoot_.browse)})
        control->hide();
}

void CMerge_View::ConnectBrowsing()
{
    connect(app_.browse, &QPushButton::clicked, this,
            [this] { BrowseInto(app_.edit, BrowseKind::Open, kAppFilter, app_.edit->text()); });
    connect(boot_.browse, &QPushButton::clicked, this,
            [this] { BrowseInto(boot_.edit, BrowseKind::Open, kBootFilter, app_.edit->text()); });
    connect(stBoot_.browse, &QPushButton::clicked, this,
            [this] { BrowseInto(stBoot_.edit, BrowseKind::Open, kStBootFilter, app_.edit->text()); });
    connect(target_.browse, &QPushButton::clicked, this, [this] {
        BrowseInto(target_.edit, BrowseKind::Save, kTargetFilter, target_.edit->text(), ApplyTargetExtensionRule);
    });
    connect(ymodemSource_.browse, &QPushButton::clicked, this,
            [this] { BrowseInto(ymodemSource_.edit, BrowseKind::Open, kAppFilter, app_.edit->text()); });
    connect(ymodemTarget_.browse, &QPushButton::clicked, this, [this] {
        BrowseInto(ymodemTarget_.edit, BrowseKind::Save, kTargetFilter, target_.edit->text(), ApplyYModemExtensionRule);
    });
}

void CMerge_View::LoadPaths()
{
    const CApp_Settings& settings = MainFrame().Settings();
    app_.edit->setText(settings.ReadText(kKeyAppFileName));
    boot_.edit->setText(settings.ReadText(kKeyBootFileName));
    stBoot_.edit->setText(settings.ReadText(kKeyStBootFileName));
    target_.edit->setText(settings.ReadText(kKeyTargetFileName));
}

void CMerge_View::StorePaths()
{
    CApp_Settings& settings = MainFrame().Settings();
    settings.WriteText(kKeyAppFileName, app_.edit->text());
    settings.WriteText(kKeyBootFileName, boot_.edit->text());
    settings.WriteText(kKeyStBootFileName, stBoot_.edit->text());
    settings.WriteText(kKeyTargetFileName, target_.edit->text());
}

void CMerge_View::MergeExecute()
{
    MergeRequest request;
    request.appPath = PathOf(app_);
    request.bootUse = bootUse_->isChecked();
    request.bootPath = PathOf(boot_);
    request.stBootUse = stBootUse_->isChecked();
    request.stBootPath = PathOf(stBoot_);
    request.targetPath = PathOf(target_);
    const MergeResult result = MergeFirmwareFile(request);
    if (!result.targetPath.empty())
        target_.edit->setText(QString::fromStdString(result.targetPath));
    if (result.succeeded)
        StorePaths();
    ShowResult(this, result);
}

void CMerge_View::ConvertExecute()
{
    ShowResult(this, ConvertYModemFile(PathOf(ymodemSource_), PathOf(ymodemTarget_)));
}

void CMerge_View::resizeEvent(QResizeEvent* event)
{
    CFunction_View::resizeEvent(event);
    const int w = width();
    const int h = height();
    PlacePathRow(app_, 20, 60, 40, w);
    PlacePathRow(boot_, 90, 80, 130, w);
    Place(bootUse_, 20, 110, 150, 20);
    PlacePathRow(target_, 180, 60, 200, w);
    Place(merge_, 10, 250, w - 20, 40);
    PlacePathRow(ymodemSource_, h - 200, 60, h - 180, w);
    PlacePathRow(ymodemTarget_, h - 130, 60, h - 110, w);
    Place(convert_, 10, h - 60, w - 20, 40);
}

}  // namespace skarnel
