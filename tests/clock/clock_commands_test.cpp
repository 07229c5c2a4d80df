#include "clock/clock_record.h"
#include "base/byte_order.h"
#include "clock/clock_text.h"
#include "tests/support/simulated_link.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

ClockRecord Record(uint16_t year, uint8_t month, uint8_t day, uint8_t weekday, uint8_t hour, uint8_t minute,
                   uint8_t second, uint8_t summer = 0)
{
    return ClockRecord{year, month, day, weekday, hour, minute, second, summer};
}

TEST(ClockRecord, EncodesAsTheControllerExpects)
{
    const auto bytes = Record(2011, 3, 27, 0, 2, 30, 0, 1).Encode();
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()),
              (std::vector<uint8_t>{0xDB, 0x07, 0x03, 0x1B, 0x00, 0x02, 0x1E, 0x00, 0x01}));
    EXPECT_EQ(ClockRecord::Decode(RecordAt<ClockRecord::kSize>(bytes, 0)), Record(2011, 3, 27, 0, 2, 30, 0, 1));
}

TEST(ClockRecord, TimeTextNamesTheWeekdayOrLeavesItEmpty)
{
    EXPECT_EQ(ClockTimeText(Record(2011, 3, 27, 0, 2, 30, 5)), " 2011-03-27 Sunday (02:30:05)");
    EXPECT_EQ(ClockTimeText(Record(2026, 12, 10, 4, 23, 59, 59)), " 2026-12-10 Thursday (23:59:59)");
    EXPECT_EQ(ClockTimeText(Record(99, 1, 2, 7, 0, 0, 0)), " 0099-01-02  (00:00:00)");
}

TEST(ClockText, ParsesTypedTimesAndFindsTheirWeekday)
{
    EXPECT_EQ(ParseClockText("2011-03-27 02:30:00", -1, true), Record(2011, 3, 27, 0, 2, 30, 0, 1));
    EXPECT_EQ(ParseClockText("2024-02-29 10:00:00", 3, false), Record(2024, 2, 29, 3, 10, 0, 0));
    EXPECT_EQ(ParseClockText("2024-13-01 10:00:00", 1, false)->month, 13);
    EXPECT_FALSE(ParseClockText("2024-02-29", -1, false));
    EXPECT_FALSE(ParseClockText("2024-02-29 10:00:00 x", -1, false));
    EXPECT_FALSE(ParseClockText("2024-02-29 10:00:300", -1, false));
}

TEST(ClockCommands, WriteThenReadRoundTripsAndTheClockKeepsTicking)
{
    test::SimulatedLink s;
    s.engine().KeepRequestLog(true);
    const ClockRecord written = Record(2011, 3, 27, 0, 2, 30, 0, 1);
    ASSERT_TRUE(s.link.WriteClock(written));
    EXPECT_EQ(s.engine().RequestLog().at(0).payload,
              (std::vector<uint8_t>{0xDB, 0x07, 0x03, 0x1B, 0x00, 0x02, 0x1E, 0x00, 0x01}));
    s.clock.SleepMs(61'000);
    ClockRecord read;
    ASSERT_TRUE(s.link.ReadClock(read));
    EXPECT_EQ(read, Record(2011, 3, 27, 0, 2, 31, 1, 1));
}

TEST(ClockCommands, ClockRollsOverMidnightAndTheWeekday)
{
    test::SimulatedLink s;
    ASSERT_TRUE(s.link.WriteClock(Record(2024, 2, 28, 3, 23, 59, 58)));
    s.clock.SleepMs(2'000 + 86'400'000);
    ClockRecord read;
    ASSERT_TRUE(s.link.ReadClock(read));
    EXPECT_EQ(read, Record(2024, 3, 1, 5, 0, 0, 0));
}

TEST(ClockCommands, UnansweredReadTakesThreeShortAttempts)
{
    test::SimulatedLink s;
    sim::FaultRule silence;
    silence.kind = sim::FaultKind::NoReply;
    silence.count = 3;
    s.engine().faults().Add(silence);
    const int64_t start = s.clock.NowMs();
    ClockRecord read;
    EXPECT_FALSE(s.link.ReadClock(read));
    EXPECT_EQ(s.clock.NowMs() - start, 3 * (2 + 50));
    EXPECT_EQ(s.engine().RequestCount(), 3u);
    EXPECT_TRUE(s.reporter.Events().empty());
}

TEST(ClockCommands, UnacknowledgedWriteIsOneAttempt)
{
    test::SimulatedLink s;
    sim::FaultRule nak;
    nak.kind = sim::FaultKind::Nak;
    s.engine().faults().Add(nak);
    EXPECT_FALSE(s.link.WriteClock(Record(2011, 3, 27, 0, 2, 30, 0)));
    EXPECT_EQ(s.engine().RequestCount(), 1u);
    EXPECT_EQ(s.reporter.FailedCodes(), std::vector<int>{2});
}

}  // namespace
}  // namespace skarnel
