#include "telemetry/views/gps_map_view.h"

#include "shell/app_settings.h"
#include "shell/explorer.h"
#include "shell/main_frame.h"
#include "shell/settings_keys.h"
#include "shell/view_table.h"
#include "telemetry/views/live_telemetry_hub.h"

#include <QComboBox>
#include <QPushButton>

#include <algorithm>
#include <fstream>

namespace skarnel {
namespace {

constexpr int kMargin = 5;
constexpr int kBrowserTop = 50;
constexpr int kButtonWidth = 140;
constexpr int kButtonHeight = 40;
constexpr int kChooserWidth = 120;
constexpr int kChooserHeight = 24;

// The chooser's entries.
constexpr struct {
    const char* text;
    MapPageKind kind;
} kPageChoices[] = {{"Street Map", MapPageKind::Street}, {"Google Map", MapPageKind::Provider}};

int ChoiceIndex(MapPageKind kind)
{
    return kind == MapPageKind::Provider ? 1 : 0;
}

bool CanBeRead(const std::filesystem::path& page)
{
    return !page.empty() && std::filesystem::is_regular_file(page) && std::ifstream(page).is_open();
}

void Place(QWidget* control, int x, int y, int width, int height)
{
    control->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
}

}  // namespace

CGPS_Map_View::CGPS_Map_View(CMainFrame& mainFrame)
    : CFunction_View(mainFrame, kViewGpsMap), load_(new QPushButton("Load Latest Path", this)),
      chooser_(new QComboBox(this)), browser_(new CExplorer(this))
{
    for (const auto& choice : kPageChoices)
        chooser_->addItem(choice.text);
    chooser_->setCurrentIndex(ChoiceIndex(PageKind()));
    connect(load_, &QPushButton::clicked, this, &CGPS_Map_View::LoadLatestPath);
    connect(chooser_, &QComboBox::activated, this, [this](int index) {
        SetPageKind(kPageChoices[std::clamp(index, 0, 1)].kind);
        LoadLatestPath();
    });
    connect(&mainFrame.LiveData(), &CLive_Telemetry_Hub::NewData, this, &CGPS_Map_View::OnNewData);
}

MapPageKind CGPS_Map_View::PageKind() const
{
    return MapPageKindFromSetting(MainFrame().Settings().ReadText(kKeyMapProvider).toStdString());
}

void CGPS_Map_View::SetPageKind(MapPageKind kind)
{
    const std::string_view setting = MapPageSetting(kind);
    MainFrame().Settings().WriteText(kKeyMapProvider, QString::fromUtf8(setting.data(), qsizetype(setting.size())));
    chooser_->setCurrentIndex(ChoiceIndex(kind));
}

std::filesystem::path CGPS_Map_View::PageFile() const
{
    const std::filesystem::path& folder = MainFrame().ApplicationFolder();
    return folder.empty() ? std::filesystem::path() : MapPageFile(folder, PageKind());
}

void CGPS_Map_View::LoadLatestPath()
{
    const std::filesystem::path page = PageFile();
    if (!CanBeRead(page))
        return;
    browser_->Navigate(QString::fromStdString(page.string()));
}

void CGPS_Map_View::OnNewData(int view)
{
    if (view == kViewGpsMap)
        LoadLatestPath();
}

void CGPS_Map_View::resizeEvent(QResizeEvent*)
{
    Place(load_, kMargin, kMargin, kButtonWidth, kButtonHeight);
    Place(chooser_, width() - kMargin - kChooserWidth, kMargin + (kButtonHeight - kChooserHeight) / 2, kChooserWidth,
          kChooserHeight);
    Place(browser_, kMargin, kBrowserTop, width() - 2 * kMargin, height() - kBrowserTop - kMargin);
}

}  // namespace skarnel
