#pragma once

class QWidget;

namespace skarnel {

// Every one-line label and button below the widget whose text is wider than the control gets a
// smaller font, a pixel at a time, until the text fits (a text is never cut); a control that
// has grown again gets its own font back first. Controls whose tooltip holds their whole text
// (paths, names) are left as they are. A tab bar whose tabs are wider than it shrinks its font
// likewise, so that no tab hides behind its scroll buttons.
void FitTextsToWidth(QWidget& root);

}  // namespace skarnel
