#pragma once

#include "firmware/image_kind.h"

#include <string>
#include <vector>

namespace skarnel {

// The texts a download shows on the PC and on the controller's display.

// "Application Firmware Downloading...   %d/%d" and its boot loader and ST boot loader forms.
std::string DownloadStatusText(ImageKind kind, int block, int blocks);
// "Progress : %d / %d      "
std::string ProgressLineText(int block, int blocks);
// The progress arrow of a step 1..10: one "->" per step.
std::string ArrowText(int step);
// The "Firmware Download" banner's lines from line 0 down, by display type (none for others).
std::vector<std::string> FirmwareBannerLines(int displayType);
// "Waiting....  %d%% / %d%%"
std::string BootupWaitText(int elapsedTenths);

}  // namespace skarnel
