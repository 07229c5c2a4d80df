#pragma once

#include "firmware/image_kind.h"

namespace skarnel::sim {

class ControllerEngine;

// The controller's receiving side of a firmware download: the download start, the file
// information and the data blocks of the three images, the erase of the application area,
// and the start of the application after a complete application image.
void InstallFirmwareDownload(ControllerEngine& engine);

// The name under which skarnel-sim --received-images keeps an image of that kind.
const char* ReceivedImageFileName(ImageKind kind);

}  // namespace skarnel::sim
