#include "tools/views/merge_gang_view.h"

#include "shell/app_settings.h"
#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "shell/settings_keys.h"
#include "shell/view_table.h"
#include "tools/extension_rules.h"
#include "tools/gang_merge.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace skarnel {
namespace {

constexpr const char* kStBootFilter = "ST Bootloader File(*.bin)|*.bin|ALL Filess(*.*)|*.*||";
constexpr const char* kQvBootFilter = "QV Bootloader File(*.bin)|*.bin|ALL Filess(*.*)|*.*||";
constexpr const char* kAppFilter = "Application File(*.bin)|*.bin|ALL Filess(*.*)|*.*||";
constexpr const char* kTargetFilter = "Target File(*.bin)|*.bin|ALL Filess(*.*)|*.*||";

std::string PathOf(const PathRow& row)
{
    return row.edit->text().toStdString();
}

}  // namespace

CMerge_Gang_View::CMerge_Gang_View(CMainFrame& mainFrame)
    : CFunction_View(mainFrame, kViewMergeGang), modelLabel_(new QLabel("Model", this)),
      modelList_(new QComboBox(this)), stBoot_(MakePathRow(this, " [ ST Boot ] ")),
      qvBoot_(MakePathRow(this, " [ QV Boot ] ")), app_(MakePathRow(this, " [ Application ] ")),
      target_(MakePathRow(this, " [ Target ] ")), merge_(new QPushButton("Merge Execute", this))
{
    BuildModelChoice();
    ConnectBrowsing();
    connect(merge_, &QPushButton::clicked, this, &CMerge_Gang_View::MergeExecute);
    LoadPaths();
}

void CMerge_Gang_View::BuildModelChoice()
{
    for (const GangModel& model : kGangModels)
        modelList_->addItem(model.name);
    modelList_->setCurrentIndex(0);
    // Fixed places above the paths; the layout does not move them.
    modelLabel_->setGeometry(20, 40, 60, 27);
    modelList_->setGeometry(80, 40, 160, 27);
}

void CMerge_Gang_View::ConnectBrowsing()
{
    // The three images are looked for where the application is.
    const auto browseImage = [this](const PathRow& row, const char* filter) {
        connect(row.browse, &QPushButton::clicked, this,
                [this, row, filter] { BrowseInto(row.edit, BrowseKind::Open, filter, app_.edit->text()); });
    };
    browseImage(stBoot_, kStBootFilter);
    browseImage(qvBoot_, kQvBootFilter);
    browseImage(app_, kAppFilter);
    connect(target_.browse, &QPushButton::clicked, this, [this] {
        BrowseInto(target_.edit, BrowseKind::Save, kTargetFilter, target_.edit->text(), ApplyTargetExtensionRule);
    });
}

void CMerge_Gang_View::LoadPaths()
{
    const CApp_Settings& settings = MainFrame().Settings();
    stBoot_.edit->setText(settings.ReadText(kKeyGangStBootFileName));
    qvBoot_.edit->setText(settings.ReadText(kKeyGangQvBootFileName));
    app_.edit->setText(settings.ReadText(kKeyGangAppFileName));
    target_.edit->setText(settings.ReadText(kKeyGangTargetFileName));
}

void CMerge_Gang_View::StorePaths()
{
    CApp_Settings& settings = MainFrame().Settings();
    settings.WriteText(kKeyGangStBootFileName, stBoot_.edit->text());
    settings.WriteText(kKeyGangQvBootFileName, qvBoot_.edit->text());
    settings.WriteText(kKeyGangAppFileName, app_.edit->text());
    settings.WriteText(kKeyGangTargetFileName, target_.edit->text());
}

void CMerge_Gang_View::MergeExecute()
{
    GangRequest request;
    request.model = static_cast<size_t>(std::max(modelList_->currentIndex(), 0));
    request.stBootPath = PathOf(stBoot_);
    request.qvBootPath = PathOf(qvBoot_);
    request.appPath = PathOf(app_);
    request.targetPath = PathOf(target_);
    const JobOutcome result = MergeGangFile(request);
    if (result.succeeded)
        StorePaths();
    if (!result.boxText.empty())
        ShowMessageBox(this, QString::fromStdString(result.boxText));
}

void CMerge_Gang_View::resizeEvent(QResizeEvent* event)
{
    CFunction_View::resizeEvent(event);
    const int w = width();
    PlacePathRow(stBoot_, 100, 60, 120, w);
    PlacePathRow(qvBoot_, 190, 80, 210, w);
    PlacePathRow(app_, 280, 60, 300, w);
    PlacePathRow(target_, 370, 60, 390, w);
    Place(merge_, 10, 460, w - 20, 40);
}

}  // namespace skarnel
