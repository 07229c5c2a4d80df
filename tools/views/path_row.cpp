#include "tools/views/path_row.h"

#include "shell/file_dialogs.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <string>

namespace skarnel {
namespace {

constexpr int kPathHeight = 27;
constexpr int kButtonWidth = 100;

}  // namespace

PathRow MakePathRow(QWidget* parent, const char* title)
{
    // The group first, so that the path and button lie above it.
    auto* group = new QGroupBox(title, parent);
    return {group, new QLineEdit(parent), new QPushButton("File Browse", parent)};
}

void Place(QWidget* control, int x, int y, int width, int height)
{
    control->setGeometry(x, y, width, height);
    control->show();
}

void PlacePathRow(const PathRow& row, int y, int groupHeight, int lineY, int width)
{
    Place(row.group, 10, y, width - 20, groupHeight);
    Place(row.edit, 20, lineY, width - 150, kPathHeight);
    Place(row.browse, width - 120, lineY, kButtonWidth, kPathHeight);
}

void BrowseInto(QLineEdit* edit, BrowseKind kind, const char* filter, const QString& start,
                std::string (*rule)(const std::string&))
{
    FileDialogs& dialogs = FileDialogs::Current();
    QWidget* owner = edit->window();
    const QString chosen =
        kind == BrowseKind::Open ? dialogs.OpenFile(owner, filter, start) : dialogs.SaveFile(owner, filter, start);
    if (chosen.isEmpty())
        return;
    edit->setText(rule ? QString::fromStdString(rule(chosen.toStdString())) : chosen);
}

}  // namespace skarnel
