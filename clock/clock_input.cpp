#include "clock/clock_input.h"

#include <cstdlib>

namespace skarnel {

int ClockFieldValue(const std::string& text)
{
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

std::optional<ClockRecord> ClockRecordFromFields(const ClockFields& fields)
{
    if (fields.year == 0 || fields.month == 0 || fields.day == 0)
        return std::nullopt;
    ClockRecord record;
    record.year = static_cast<uint16_t>(fields.year);
    record.month = static_cast<uint8_t>(fields.month);
    record.day = static_cast<uint8_t>(fields.day);
    record.weekday = static_cast<uint8_t>(fields.weekday);
    record.hour = static_cast<uint8_t>(fields.hour);
    record.minute = static_cast<uint8_t>(fields.minute);
    record.second = static_cast<uint8_t>(fields.second);
    record.summerTime = fields.summerTime ? 1 : 0;
    return record;
}

}  // namespace skarnel
