#pragma once

#include <QString>

#include <string>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace skarnel {

// One framed path of the tool views: the group box, the path and its "File Browse" button.
struct PathRow {
    QGroupBox* group;
    QLineEdit* edit;
    QPushButton* browse;
};

PathRow MakePathRow(QWidget* parent, const char* title);

// Frames the row at y across the width, its path and button at lineY.
void PlacePathRow(const PathRow& row, int y, int groupHeight, int lineY, int width);
// Sets a control's place and makes it visible.
void Place(QWidget* control, int x, int y, int width, int height);

enum class BrowseKind { Open, Save };
// Asks for a file starting at start; the choice (after rule, when given) goes into edit.
// A cancelled dialog changes nothing.
void BrowseInto(QLineEdit* edit, BrowseKind kind, const char* filter, const QString& start,
                std::string (*rule)(const std::string&) = nullptr);

}  // namespace skarnel
