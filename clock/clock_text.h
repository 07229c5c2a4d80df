#pragma once

#include "clock/clock_record.h"

#include <optional>
#include <string>

namespace skarnel {

// Reads "YYYY-MM-DD HH:MM:SS". A weekday of -1 means: the one the date falls on.
std::optional<ClockRecord> ParseClockText(const std::string& text, int weekday, bool summerTime);

}  // namespace skarnel
