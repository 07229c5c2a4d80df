#pragma once

#include "telemetry/live_log_sink.h"

#include <QPixmap>

namespace skarnel {

// The live log's status picture (20 × 17 pixels): a lamp, grey when idle, amber while a pass
// starts, green after a good reply and red after a failed one.
QPixmap LiveLogLightPicture(LiveLogLight light);

}  // namespace skarnel
