#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <span>
#include <string>

namespace skarnel {

// The controller's real-time clock as both clock commands carry it (9 bytes).
struct ClockRecord {
    static constexpr size_t kSize = 9;

    uint16_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t weekday = 0;  // 0 = Sunday .. 6 = Saturday
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
    uint8_t summerTime = 0;

    std::array<uint8_t, kSize> Encode() const;
    static ClockRecord Decode(std::span<const uint8_t, kSize> bytes);
    static ClockRecord FromLocalTime(const std::tm& time, bool summerTime);

    bool operator==(const ClockRecord&) const = default;
};

// "Sunday" .. "Saturday"; empty outside 0..6.
std::string WeekdayName(int weekday);
// " %04d-%02d-%02d %s (%02d:%02d:%02d)"
std::string ClockTimeText(const ClockRecord& record);

}  // namespace skarnel
