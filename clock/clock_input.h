#pragma once

#include "clock/clock_record.h"

#include <optional>
#include <string>

namespace skarnel {

// What the user typed into the time view's fields.
struct ClockFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 0;  // the weekday list's selection index
    bool summerTime = false;
};

// A field's value: its leading signed decimal number; 0 when it is empty or not a number.
int ClockFieldValue(const std::string& text);

// The record to send: the values as typed, cut to the record's field widths. Nothing when
// year, month or day is 0.
std::optional<ClockRecord> ClockRecordFromFields(const ClockFields& fields);

}  // namespace skarnel
