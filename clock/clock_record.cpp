#include "clock/clock_record.h"

#include "base/byte_order.h"
#include "base/format.h"

namespace skarnel {

std::array<uint8_t, ClockRecord::kSize> ClockRecord::Encode() const
{
    std::array<uint8_t, kSize> bytes{};
    WriteLe16(bytes.data(), year);
    bytes[2] = month;
    bytes[3] = day;
    bytes[4] = weekday;
    bytes[5] = hour;
    bytes[6] = minute;
    bytes[7] = second;
    bytes[8] = summerTime;
    return bytes;
}

ClockRecord ClockRecord::Decode(std::span<const uint8_t, kSize> bytes)
{
    ClockRecord record;
    record.year = ReadLe16(bytes.data());
    record.month = bytes[2];
    record.day = bytes[3];
    record.weekday = bytes[4];
    record.hour = bytes[5];
    record.minute = bytes[6];
    record.second = bytes[7];
    record.summerTime = bytes[8];
    return record;
}

ClockRecord ClockRecord::FromLocalTime(const std::tm& time, bool summer)
{
    ClockRecord record;
    record.year = static_cast<uint16_t>(time.tm_year + 1900);
    record.month = static_cast<uint8_t>(time.tm_mon + 1);
    record.day = static_cast<uint8_t>(time.tm_mday);
    record.weekday = static_cast<uint8_t>(time.tm_wday);
    record.hour = static_cast<uint8_t>(time.tm_hour);
    record.minute = static_cast<uint8_t>(time.tm_min);
    record.second = static_cast<uint8_t>(time.tm_sec);
    record.summerTime = summer ? 1 : 0;
    return record;
}

std::string WeekdayName(int weekday)
{
    static constexpr const char* kNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
    return weekday >= 0 && weekday < 7 ? kNames[weekday] : "";
}

std::string ClockTimeText(const ClockRecord& record)
{
    return Format(" %04d-%02d-%02d %s (%02d:%02d:%02d)", record.year, record.month, record.day,
                  WeekdayName(record.weekday).c_str(), record.hour, record.minute, record.second);
}

}  // namespace skarnel
