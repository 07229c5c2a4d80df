#include "link/frame.h"

#include <gtest/gtest.h>
#include <string>

namespace skarnel {
namespace {

TEST(Crc16, MatchesTheXmodemCheckValue)
{
    const std::string digits = "123456789";
    EXPECT_EQ(ComputeCrc16(reinterpret_cast<const uint8_t*>(digits.data()), digits.size()), 0x31C3);
    EXPECT_EQ(ComputeCrc16(nullptr, 0), 0);
}

TEST(Frame, EmptyPayloadIsNineBytesWithTheCrcOfLengthGroupAndCode)
{
    const std::vector<uint8_t> frame = EncodeFrame(1, 0x00, 0x11, {});
    EXPECT_EQ(frame, (std::vector<uint8_t>{0x00, 0x01, 0xFE, 0x00, 0x00, 0x00, 0x11, 0x10, 0x02}));
    const uint8_t covered[] = {0x00, 0x00, 0x00, 0x11};
    EXPECT_EQ(ComputeCrc16(covered, 4), 0x0210);
}

TEST(Frame, PayloadAndLengthAreLittleEndian)
{
    std::vector<uint8_t> payload(0x102, 0xAB);
    const std::vector<uint8_t> frame = EncodeFrame(250, 5, 0x33, payload);
    ASSERT_EQ(frame.size(), 9u + 0x102);
    EXPECT_EQ(frame[1], 250);
    EXPECT_EQ(frame[2], 5);
    EXPECT_EQ(frame[3], 0x02);
    EXPECT_EQ(frame[4], 0x01);
    const uint16_t crc = ComputeCrc16(frame.data() + 3, 4 + payload.size());
    EXPECT_EQ(frame[frame.size() - 2], crc & 0xFF);
    EXPECT_EQ(frame[frame.size() - 1], crc >> 8);
}

}  // namespace
}  // namespace skarnel
