#pragma once

#include "clock/clock_record.h"

#include <cstdint>

namespace skarnel::sim {

// The record moved on by whole seconds. Out-of-range fields roll over into the next larger
// one, as a clock chip would; the weekday advances with the days when it was valid.
ClockRecord AdvanceClockRecord(const ClockRecord& record, int64_t seconds);

}  // namespace skarnel::sim
