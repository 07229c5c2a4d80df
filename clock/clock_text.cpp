#include "clock/clock_text.h"

#include <cstdio>
#include <ctime>

namespace skarnel {

std::optional<ClockRecord> ParseClockText(const std::string& text, int weekday, bool summerTime)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &year, &month, &day, &hour, &minute, &second, &tail) != 6)
        return std::nullopt;
    if (year < 0 || year > 0xFFFF || month < 0 || month > 255 || day < 0 || day > 255 || hour < 0 || hour > 255 ||
        minute < 0 || minute > 255 || second < 0 || second > 255)
        return std::nullopt;
    std::tm date{};
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    date.tm_hour = 12;
    const std::time_t noon = timegm(&date);
    std::tm normalised{};
    gmtime_r(&noon, &normalised);
    ClockRecord record;
    record.year = static_cast<uint16_t>(year);
    record.month = static_cast<uint8_t>(month);
    record.day = static_cast<uint8_t>(day);
    record.hour = static_cast<uint8_t>(hour);
    record.minute = static_cast<uint8_t>(minute);
    record.second = static_cast<uint8_t>(second);
    record.weekday = static_cast<uint8_t>(weekday >= 0 ? weekday : normalised.tm_wday);
    record.summerTime = summerTime ? 1 : 0;
    return record;
}

}  // namespace skarnel
