#include "telemetry/telemetry_decode.h"
#include "tests/telemetry/recording_log_rows.h"

#include <gtest/gtest.h>
#include <cstring>
#include <functional>

namespace skarnel {
namespace {

using test::RecordBytes;

std::vector<uint8_t> Le16(std::initializer_list<int> values)
{
    std::vector<uint8_t> bytes;
    for (const int value : values) {
        bytes.push_back(static_cast<uint8_t>(value));
        bytes.push_back(static_cast<uint8_t>(value >> 8));
    }
    return bytes;
}

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> bytes;
    for (const auto& part : parts)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

struct RxsqCase {
    uint8_t byte;
    uint8_t rxsq;
};

TEST(ReceiverRxsq, IsSeventyTwoMinusHalfTheSignedByte)
{
    for (const RxsqCase c : {RxsqCase{0, 72}, {20, 62}, {236, 82}, {128, 136}, {127, 9}, {255, 72}, {1, 72}})
        EXPECT_EQ(ReceiverRxsq(c.byte), c.rxsq) << int(c.byte);
}

TEST(DecodeReceiverData, FillsThePackedRecordWithItsUnalignedFloats)
{
    const std::vector<uint8_t> reply{0x11, 0x22, 0xFB, 0xFF, 0x34, 0x12, 87, 49, 20, 95, 44};
    ReceiverData record;
    ASSERT_TRUE(DecodeReceiverData(reply.data(), reply.size(), record));
    ReceiverData expected;
    expected.reply0 = 0x11;
    expected.reply1 = 0x22;
    expected.recvTemp = 0xFFFB;
    expected.lossPack = 0x1234;
    expected.strength = 87;
    expected.recvVolt = 4.9f;
    expected.rxsq = 62;
    expected.quality = 95;
    expected.lowVolt = 4.4f;
    const std::vector<uint8_t> bytes = RecordBytes(record);
    EXPECT_EQ(bytes, RecordBytes(expected));
    // The floats sit at offsets 7 and 13, little-endian: 4.9f is 0x409CCCCD.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 7, bytes.begin() + 11),
              (std::vector<uint8_t>{0xCD, 0xCC, 0x9C, 0x40}));
}

TEST(DecodeGeneralData, ScalesEveryFieldAsItsUnitSays)
{
    const std::vector<uint8_t> words = Le16({7, 370, 371, 372, 373, 374, 375, 111, 222, -5 & 0xFFFF, 40, 6500,
                                             -12 & 0xFFFF, 125, 118, 1234, 55, -150 & 0xFFFF});
    const std::vector<uint8_t> reply = Concat({words, {0xFE, 33, 65}});
    ASSERT_EQ(reply.size(), 39u);
    GeneralData record;
    ASSERT_TRUE(DecodeGeneralData(reply.data(), reply.size(), record));
    GeneralData expected;
    expected.inverseLocal = 7;
    const float cells[] = {3.7f, 3.71f, 3.72f, 3.73f, 3.74f, 3.75f};
    std::copy(std::begin(cells), std::end(cells), expected.cellVolt);
    expected.battVolt1 = 11.1f;
    expected.battVolt2 = 22.2f;
    expected.temp1 = -5;
    expected.temp2 = 40;
    expected.rpm = 65000;
    expected.altitude = -12;
    expected.current = 12.5f;
    expected.powerV = 11.8f;
    expected.capacity = 12340.0f;
    expected.fuel = 55;
    expected.alt1sec = -1.5f;
    expected.alt3sec = -2;
    expected.oilLevel = 33;
    expected.rxsq = 65;
    EXPECT_EQ(RecordBytes(record), RecordBytes(expected));
}

TEST(DecodeElectricData, PlacesTheCurrentAfterTheUnwrittenField)
{
    std::vector<uint8_t> reply = Le16({300, 401, 402, 403, 404, 405, 406,         407, 408, 409, 410, 411,
                                       412, 413, 414, 252, 126, 45,  -3 & 0xFFFF, 300, 456, 120, 99,  250});
    reply.push_back(5);
    reply.push_back(70);
    ASSERT_EQ(reply.size(), 50u);
    ElectricData record;
    ASSERT_TRUE(DecodeElectricData(reply.data(), reply.size(), record));
    ElectricData expected;
    expected.inverseLocal = 300;
    for (int i = 0; i < 14; ++i)
        expected.cellVolt[i] = static_cast<float>(401 + i) / 100.0f;
    expected.battVolt1 = 25.2f;
    expected.battVolt2 = 12.6f;
    expected.temp1 = 45;
    expected.temp2 = -3;
    expected.altitude = 300;
    expected.current = 45.6f;
    expected.powerV = 12.0f;
    expected.capacity = 990.0f;
    expected.alt1sec = 2.5f;
    expected.alt3sec = 5;
    expected.rxsq = 70;
    EXPECT_EQ(RecordBytes(record), RecordBytes(expected));
}

TEST(DecodeVarioData, TakesSignedAltitudesAndClimbRates)
{
    std::vector<uint8_t> reply = Le16({9, -20 & 0xFFFF, 150, -25 & 0xFFFF, 123, -45 & 0xFFFF, 1000});
    reply.push_back(61);
    VarioData record;
    ASSERT_TRUE(DecodeVarioData(reply.data(), reply.size(), record));
    VarioData expected;
    expected.inverseLocal = 9;
    expected.altitude = -20;
    expected.altMax = 150;
    expected.altMin = -25;
    expected.alt1sec = 1.23f;
    expected.alt3sec = -0.45f;
    expected.alt10sec = 10.0f;
    expected.rxsq = 61;
    EXPECT_EQ(RecordBytes(record), RecordBytes(expected));
}

struct GpsCase {
    int heading;
    uint8_t rxsqByte;
    int direct;
    int rxsq;
};

TEST(DecodeGpsData, ClampsHeadingAndRxsqAndKeepsTheRest)
{
    for (const GpsCase c : {GpsCase{359, 60, 359, 60}, {400, 150, 360, 100}, {360, 100, 360, 100}}) {
        std::vector<uint8_t> reply = Le16({2, 35, 812, -7 & 0xFFFF, 3733, 5000, 12658, 2000, c.heading});
        reply.insert(reply.end(), {1, 0});
        const std::vector<uint8_t> climb = Le16({-250 & 0xFFFF});
        reply.insert(reply.end(), climb.begin(), climb.end());
        reply.insert(reply.end(), {0xFD, c.rxsqByte});
        ASSERT_EQ(reply.size(), 24u);
        GpsData record;
        ASSERT_TRUE(DecodeGpsData(reply.data(), reply.size(), record));
        GpsData expected;
        expected.inverseLocal = 2;
        expected.speed = 35;
        expected.distance = 812;
        expected.altitude = -7;
        expected.nsHigh = 3733;
        expected.nsLow = 5000;
        expected.ewHigh = 12658;
        expected.ewLow = 2000;
        expected.direct = c.direct;
        expected.ns = 1;
        expected.ew = 0;
        expected.alt1sec = -2.5f;
        expected.alt3sec = -3;
        expected.rxsq = c.rxsq;
        EXPECT_EQ(RecordBytes(record), RecordBytes(expected)) << c.heading;
    }
}

enum class Outcome { Refused, Untouched, Filled };
using Decoder = std::function<Outcome(const uint8_t*, size_t)>;

// Decodes into a record full of marker bytes and tells what became of it.
template <typename Record> Decoder Watch(bool (*decode)(const uint8_t*, size_t, Record&))
{
    return [decode](const uint8_t* reply, size_t length) {
        Record record;
        std::memset(static_cast<void*>(&record), 0x5A, sizeof record);
        const std::vector<uint8_t> before = RecordBytes(record);
        if (!decode(reply, length, record))
            return RecordBytes(record) == before ? Outcome::Refused : Outcome::Filled;
        return RecordBytes(record) == before ? Outcome::Untouched : Outcome::Filled;
    };
}

struct SensorCase {
    const char* name;
    size_t length;
    Decoder decode;
};

// A sensor reply whose last byte is 0 is accepted but leaves the record as the caller had it;
// any length but the command's own is refused without touching the record.
TEST(DecodeSensorData, AbsentModuleLeavesTheRecordAndWrongLengthsAreRefused)
{
    const SensorCase cases[] = {
        {"general", 39, Watch(DecodeGeneralData)},
        {"electric", 50, Watch(DecodeElectricData)},
        {"vario", 15, Watch(DecodeVarioData)},
        {"gps", 24, Watch(DecodeGpsData)},
    };
    for (const SensorCase& c : cases) {
        std::vector<uint8_t> reply(c.length + 1, 0x42);
        EXPECT_EQ(c.decode(reply.data(), c.length), Outcome::Filled) << c.name;
        reply[c.length - 1] = 0;
        EXPECT_EQ(c.decode(reply.data(), c.length), Outcome::Untouched) << c.name;
        EXPECT_EQ(c.decode(reply.data(), c.length - 1), Outcome::Refused) << c.name;
        EXPECT_EQ(c.decode(reply.data(), c.length + 1), Outcome::Refused) << c.name;
    }
    const std::vector<uint8_t> bytes(226, 1);
    EXPECT_EQ(Watch(DecodeReceiverData)(bytes.data(), 10), Outcome::Refused);
    EXPECT_EQ(Watch(DecodeReceiverData)(bytes.data(), 12), Outcome::Refused);
    EXPECT_EQ(Watch(DecodeDbmScan)(bytes.data(), 224), Outcome::Refused);
    EXPECT_EQ(Watch(DecodeDbmScan)(bytes.data(), 226), Outcome::Refused);
}

TEST(DecodeDbmScan, CopiesTheThreeArraysUnchanged)
{
    std::vector<uint8_t> reply(225);
    for (size_t i = 0; i < reply.size(); ++i)
        reply[i] = static_cast<uint8_t>(i * 7);
    DbmScan scan;
    ASSERT_TRUE(DecodeDbmScan(reply.data(), reply.size(), scan));
    EXPECT_EQ(RecordBytes(scan), reply);
    EXPECT_EQ(scan.txLevel[0], reply[75]);
    EXPECT_EQ(scan.rxLevel[74], reply[224]);
}

}  // namespace
}  // namespace skarnel
