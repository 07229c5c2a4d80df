#include "clock/clock_input.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

TEST(ClockInput, ReadsFieldsAsSignedNumbers)
{
    EXPECT_EQ(ClockFieldValue(""), 0);
    EXPECT_EQ(ClockFieldValue("abc"), 0);
    EXPECT_EQ(ClockFieldValue("2011"), 2011);
    EXPECT_EQ(ClockFieldValue("-3"), -3);
    EXPECT_EQ(ClockFieldValue("12x"), 12);
}

TEST(ClockInput, BuildsTheRecordAsTyped)
{
    ClockFields fields{2011, 3, 27, 2, 30, 0, 0, true};
    const std::optional<ClockRecord> record = ClockRecordFromFields(fields);
    ASSERT_TRUE(record);
    const std::array<uint8_t, 9> expected{0xDB, 0x07, 0x03, 0x1B, 0x00, 0x02, 0x1E, 0x00, 0x01};
    EXPECT_EQ(record->Encode(), expected);

    fields.month = 13;
    fields.year = 70000;
    EXPECT_EQ(ClockRecordFromFields(fields)->month, 13) << "the controller decides";
    EXPECT_EQ(ClockRecordFromFields(fields)->year, static_cast<uint16_t>(70000));
}

TEST(ClockInput, SendsNothingWithoutYearMonthOrDay)
{
    for (int zero = 0; zero < 3; ++zero) {
        ClockFields fields{2011, 3, 27, 2, 30, 0, 0, false};
        int* parts[] = {&fields.year, &fields.month, &fields.day};
        *parts[zero] = 0;
        EXPECT_FALSE(ClockRecordFromFields(fields)) << zero;
    }
}

}  // namespace
}  // namespace skarnel
