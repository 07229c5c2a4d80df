#pragma once

#include <QFont>

namespace skarnel {

// The views are laid out for a Tahoma face and an Arial one. Where the system has no such face
// under that name, the metric-compatible ones of the Debian packages fonts-wine (whose files
// fontconfig does not list) and fonts-liberation2 take their place. Runs once.
void LoadMetricCompatibleFonts();

// The font in bold that reads as bold: the Tahoma-compatible face's bold draws regular strokes
// at bold widths, so a bold text in it takes Arial's stand-in, which has a true bold.
QFont BoldFont(QFont font);

}  // namespace skarnel
