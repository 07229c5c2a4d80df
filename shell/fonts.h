#pragma once

namespace skarnel {

// The views are laid out for a Tahoma face and an Arial one. Where the system has no such face
// under that name, the metric-compatible ones of the Debian packages fonts-wine (whose files
// fontconfig does not list) and fonts-liberation2 take their place. Runs once.
void LoadMetricCompatibleFonts();

}  // namespace skarnel
