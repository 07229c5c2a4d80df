#pragma once

#include <ctime>
#include <string>

namespace skarnel {

// The "No" and "Time" cells of a log row.
std::string LogNumberText(int number);
std::string LogCalendarTimeText(std::time_t time);

}  // namespace skarnel
