#include "sim/clock_arithmetic.h"

namespace skarnel::sim {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (month may be out of range).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year += (month - 1) / 12;
    month = (month - 1) % 12 + 1;
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int64_t& year, int64_t& month, int64_t& day)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    year = yearOfEra + era * 400 + (month <= 2);
}

}  // namespace

ClockRecord AdvanceClockRecord(const ClockRecord& record, int64_t seconds)
{
    if (record.month == 0 || record.day == 0)
        return record;
    const int64_t startDays = DaysFromCivil(record.year, record.month, record.day);
    const int64_t total = startDays * 86400 + record.hour * 3600 + record.minute * 60 + record.second + seconds;
    const int64_t days = total / 86400;
    const int64_t secondOfDay = total % 86400;
    int64_t year = 0, month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    ClockRecord advanced = record;
    advanced.year = static_cast<uint16_t>(year);
    advanced.month = static_cast<uint8_t>(month);
    advanced.day = static_cast<uint8_t>(day);
    advanced.hour = static_cast<uint8_t>(secondOfDay / 3600);
    advanced.minute = static_cast<uint8_t>(secondOfDay / 60 % 60);
    advanced.second = static_cast<uint8_t>(secondOfDay % 60);
    if (record.weekday < 7)
        advanced.weekday = static_cast<uint8_t>((record.weekday + (days - startDays) % 7 + 7) % 7);
    return advanced;
}

}  // namespace skarnel::sim
