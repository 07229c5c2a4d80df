#include "base/byte_order.h"
#include "base/reporter.h"
#include "telemetry/log_loader.h"
#include "telemetry/log_process_function.h"
#include "telemetry/telemetry_text.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_folder.h"
#include "tests/telemetry/recording_log_rows.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using test::RecordBytes;
using test::RecordingLogRows;
using Bytes = std::vector<uint8_t>;
using Record = std::array<uint8_t, 64>;

struct RecordFields {
    uint8_t kind = 3;
    uint8_t channel = 7;
    uint8_t tx = 40;
    uint8_t rx = 50;
    uint8_t slot = 0xFF;
    uint8_t sensorType = 0xFF;
    uint8_t part = 0;
    Bytes payload = Bytes(10, 0);
};

Record MakeRecord(const RecordFields& f)
{
    Record r{};
    r[1] = f.channel;
    r[2] = f.kind;
    r[3] = f.tx;
    r[4] = f.rx;
    r[5] = f.slot;
    r[7] = f.sensorType;
    r[35] = f.part;
    std::copy(f.payload.begin(), f.payload.end(), r.begin() + 36);
    return r;
}

// The four records that carry a 40-byte sensor frame.
std::vector<Record> FrameRecords(uint8_t sensorType, const Bytes& frame)
{
    std::vector<Record> records;
    for (uint8_t part = 1; part <= 4; ++part) {
        RecordFields f;
        f.sensorType = sensorType;
        f.part = part;
        f.payload.assign(frame.begin() + 10 * (part - 1), frame.begin() + 10 * part);
        records.push_back(MakeRecord(f));
    }
    return records;
}

std::vector<RecordingLogRows::Row> Process(const std::vector<Record>& records)
{
    CLog_Process_Function decoder;
    RecordingLogRows rows;
    for (size_t i = 0; i < records.size(); ++i)
        decoder.ProcessRecord(records[i].data(), static_cast<int32_t>(i), rows);
    return rows.rows;
}

std::vector<RecordingLogRows::Row> SensorRows(const std::vector<RecordingLogRows::Row>& rows)
{
    std::vector<RecordingLogRows::Row> sensors;
    for (const auto& row : rows)
        if (row.list != "Level" && row.list != "Channel")
            sensors.push_back(row);
    return sensors;
}

void Put16(Bytes& frame, size_t offset, int value)
{
    WriteLe16(frame.data() + offset, static_cast<uint16_t>(value));
}

struct StrengthCase {
    int rxsq;
    int strength;
};

TEST(ControllerLog, StrengthFollowsTheRxsqSteps)
{
    const StrengthCase cases[] = {{9, 100}, {40, 100}, {41, 95}, {50, 95}, {51, 90}, {60, 90}, {61, 85}, {65, 85},
                                  {66, 80}, {67, 75},  {68, 70}, {69, 65}, {70, 60}, {71, 55}, {72, 50}, {73, 45},
                                  {74, 40}, {75, 35},  {76, 30}, {77, 30}, {78, 25}, {79, 25}, {80, 20}, {82, 20},
                                  {83, 15}, {84, 15},  {85, 10}, {86, 10}, {87, 5},  {92, 5},  {93, 0},  {136, 0}};
    for (const StrengthCase c : cases)
        EXPECT_EQ(CLog_Process_Function::StrengthFromRxsq(c.rxsq), c.strength) << c.rxsq;
}

TEST(ControllerLog, ReceiverPayloadDecodesIntoAReceiverRecord)
{
    const Bytes payload{0, 52, 10, 20, 97, 44, 0x34, 0x12, 0, 0};
    const ReceiverData record = CLog_Process_Function::DecodeReceiverPayload(payload.data());
    ReceiverData expected;
    expected.rxsq = 62;
    expected.strength = 85;
    expected.quality = 97;
    expected.lossPack = 0x1234;
    expected.recvVolt = 5.2f;
    expected.lowVolt = 4.4f;
    expected.recvTemp = static_cast<uint16_t>(-10);
    EXPECT_EQ(RecordBytes(record), RecordBytes(expected));

    const Bytes quiet{0, 0, 45, 0, 0, 0, 0, 0, 0, 0};
    const ReceiverData calm = CLog_Process_Function::DecodeReceiverPayload(quiet.data());
    EXPECT_EQ(calm.rxsq, 72);
    EXPECT_EQ(calm.strength, 50);
    EXPECT_EQ(calm.recvTemp, 25);
}

TEST(ControllerLog, GeneralFrameRemovesTheOffsets)
{
    Bytes f(40, 0);
    f[0] = 66;
    f[2] = 9;
    for (int i = 0; i < 6; ++i)
        f[3 + i] = static_cast<uint8_t>(185 + i);
    Put16(f, 9, 111);
    Put16(f, 11, 74);
    f[13] = 10;
    f[14] = 65;
    f[15] = 3;
    Put16(f, 16, 450);
    Put16(f, 18, 7000);
    Put16(f, 20, 400);
    Put16(f, 22, 29850);
    f[24] = 100;
    Put16(f, 25, 125);
    Put16(f, 27, 118);
    Put16(f, 29, 1234);
    GeneralData expected;
    expected.rxsq = 66;
    expected.inverseLocal = 9;
    const float cells[] = {3.7f, 3.72f, 3.74f, 3.76f, 3.78f, 3.8f};
    std::copy(std::begin(cells), std::end(cells), expected.cellVolt);
    expected.battVolt1 = 11.1f;
    expected.battVolt2 = 7.4f;
    expected.temp1 = -10;
    expected.temp2 = 45;
    expected.oilLevel = 3;
    expected.fuel = 450;
    expected.rpm = 70000;  // not wrapped at 16 bits, as in the live record
    expected.altitude = -100;
    expected.alt1sec = -1.5f;
    expected.alt3sec = -20;
    expected.current = 12.5f;
    expected.powerV = 11.8f;
    expected.capacity = 12340.0f;
    EXPECT_EQ(RecordBytes(CLog_Process_Function::DecodeGeneralFrame(f.data())), RecordBytes(expected));
}

TEST(ControllerLog, ElectricAndVarioFramesRemoveTheOffsets)
{
    Bytes e(40, 0);
    e[0] = 61;
    Put16(e, 1, 0x0102);
    for (int i = 0; i < 14; ++i)
        e[3 + i] = 200;
    Put16(e, 17, 500);
    Put16(e, 19, 126);
    e[21] = 20;
    e[22] = 0;
    Put16(e, 23, 620);
    Put16(e, 25, 300);
    Put16(e, 27, 498);
    Put16(e, 29, 77);
    Put16(e, 31, 30250);
    e[33] = 130;
    const ElectricData electric = CLog_Process_Function::DecodeElectricFrame(e.data());
    ElectricData expected;
    expected.rxsq = 61;
    expected.inverseLocal = 0x0102;
    std::fill(std::begin(expected.cellVolt), std::end(expected.cellVolt), 4.0f);
    expected.battVolt1 = 50.0f;
    expected.battVolt2 = 12.6f;
    expected.temp1 = 0;
    expected.temp2 = -20;
    expected.altitude = 120;
    expected.current = 30.0f;
    expected.powerV = 49.8f;
    expected.capacity = 770.0f;
    expected.alt1sec = 2.5f;
    expected.alt3sec = 10;
    EXPECT_EQ(RecordBytes(electric), RecordBytes(expected));

    Bytes v(40, 0);
    v[0] = 70;
    Put16(v, 1, 5);
    Put16(v, 3, 480);
    Put16(v, 5, 600);
    Put16(v, 7, 0);
    Put16(v, 9, 30000);
    Put16(v, 11, 29900);
    Put16(v, 13, 30123);
    VarioData vario;
    vario.rxsq = 70;
    vario.inverseLocal = 5;
    vario.altitude = -20;
    vario.altMax = 100;
    vario.altMin = -500;
    vario.alt1sec = 0.0f;
    vario.alt3sec = -1.0f;
    vario.alt10sec = 1.23f;
    EXPECT_EQ(RecordBytes(CLog_Process_Function::DecodeVarioFrame(v.data())), RecordBytes(vario));
}

struct GpsFrameCase {
    uint8_t heading;
    uint8_t ns;
    uint8_t ew;
    int direct;
    int nsOut;
    int ewOut;
};

TEST(ControllerLog, GpsFrameDoublesTheHeadingAndLimitsTheHemispheres)
{
    const GpsFrameCase cases[] = {
        {179, 1, 0, 358, 1, 0}, {180, 2, 1, 0, 0, 1}, {0, 0, 7, 0, 0, 0}, {90, 1, 1, 180, 1, 1}};
    for (const GpsFrameCase c : cases) {
        Bytes f(40, 0);
        f[0] = 64;
        f[3] = c.heading;
        Put16(f, 4, 42);
        f[6] = c.ns;
        Put16(f, 7, 3733);
        Put16(f, 9, 5012);
        f[11] = c.ew;
        Put16(f, 12, 12658);
        Put16(f, 14, 2001);
        Put16(f, 16, 345);
        Put16(f, 18, 510);
        Put16(f, 20, 29990);
        f[22] = 119;
        const GpsData gps = CLog_Process_Function::DecodeGpsFrame(f.data());
        EXPECT_EQ(gps.direct, c.direct) << int(c.heading);
        EXPECT_EQ(gps.ns, c.nsOut);
        EXPECT_EQ(gps.ew, c.ewOut);
        EXPECT_EQ(gps.speed, 42);
        EXPECT_EQ(gps.nsHigh, 3733);
        EXPECT_EQ(gps.nsLow, 5012);
        EXPECT_EQ(gps.ewHigh, 12658);
        EXPECT_EQ(gps.ewLow, 2001);
        EXPECT_EQ(gps.distance, 345);
        EXPECT_EQ(gps.altitude, 10);
        EXPECT_EQ(gps.alt1sec, -0.1f);
        EXPECT_EQ(gps.alt3sec, -1);
        EXPECT_EQ(gps.rxsq, 64);
    }
}

struct SequenceCase {
    const char* name;
    std::vector<int> parts;  // the order the frame's parts come in
    int decoded;             // how many frames reach the list
};

// A frame is decoded when part 4 comes after parts 1-3; every part 4 starts the collection anew.
TEST(ControllerLog, SensorFramesNeedAllFourPartsBeforeTheFourth)
{
    const SequenceCase cases[] = {
        {"in order", {1, 2, 3, 4}, 1},
        {"any order before the fourth", {3, 1, 2, 4}, 1},
        {"fourth alone", {4}, 0},
        {"missing part", {1, 2, 4, 3, 4}, 0},
        {"lost then whole", {2, 3, 4, 1, 2, 3, 4}, 1},
        {"two frames", {1, 2, 3, 4, 1, 2, 3, 4}, 2},
        {"part above four ignored", {1, 2, 3, 5, 4}, 1},
    };
    Bytes frame(40, 0);
    frame[0] = 65;
    frame[3] = 10;
    const std::vector<Record> parts = FrameRecords(kSensorGps, frame);
    for (const SequenceCase& c : cases) {
        std::vector<Record> records;
        for (const int part : c.parts) {
            if (part <= 4) {
                records.push_back(parts[static_cast<size_t>(part - 1)]);
            } else {
                RecordFields f;
                f.sensorType = kSensorGps;
                f.part = static_cast<uint8_t>(part);
                records.push_back(MakeRecord(f));
            }
        }
        const auto sensors = SensorRows(Process(records));
        EXPECT_EQ(static_cast<int>(sensors.size()), c.decoded) << c.name;
        for (const auto& row : sensors) {
            EXPECT_EQ(row.list, "GPS") << c.name;
            EXPECT_EQ(RecordBytes(CLog_Process_Function::DecodeGpsFrame(frame.data())), row.bytes) << c.name;
        }
    }
}

TEST(ControllerLog, FramesGoToTheirSensorsListOrAreDropped)
{
    Bytes frame(40, 1);
    const struct {
        uint8_t type;
        const char* list;
    } kinds[] = {
        {kSensorGeneral, "General"}, {kSensorElectric, "Electric"}, {kSensorVario, "Vario"}, {kSensorGps, "GPS"}};
    for (const auto& kind : kinds) {
        const auto sensors = SensorRows(Process(FrameRecords(kind.type, frame)));
        ASSERT_EQ(sensors.size(), 1u) << kind.list;
        EXPECT_EQ(sensors[0].list, kind.list);
        EXPECT_EQ(sensors[0].time, 3) << "the time of part 4";
    }
    EXPECT_TRUE(SensorRows(Process(FrameRecords(0x85, frame))).empty()) << "unknown module";
    frame[0] = 0;
    EXPECT_TRUE(SensorRows(Process(FrameRecords(kSensorGeneral, frame))).empty()) << "RF RXSQ 0: no data";
}

struct RecordCase {
    const char* name;
    RecordFields fields;
    std::vector<std::string> lists;
};

TEST(ControllerLog, EachRecordAddsItsRows)
{
    RecordFields receiverOnly;
    receiverOnly.sensorType = kSensorNone;
    receiverOnly.part = 3;
    RecordFields partZero;
    partZero.sensorType = kSensorGeneral;
    RecordFields noSensor;
    RecordFields kindSix;
    kindSix.kind = 6;
    kindSix.sensorType = kSensorNone;
    RecordFields otherKind;
    otherKind.kind = 4;
    otherKind.sensorType = kSensorNone;
    RecordFields sensorPart;
    sensorPart.sensorType = kSensorVario;
    sensorPart.part = 2;
    const RecordCase cases[] = {
        {"receiver only module", receiverOnly, {"Level", "Channel", "Receiver"}},
        {"part 0 is the receiver", partZero, {"Level", "Channel", "Receiver"}},
        {"sensor part skipped", noSensor, {"Level", "Channel"}},
        {"kind 6", kindSix, {"Level", "Channel", "Receiver"}},
        {"other kinds skipped whole", otherKind, {}},
        {"a sensor part alone", sensorPart, {"Level", "Channel"}},
    };
    for (const RecordCase& c : cases) {
        RecordingLogRows rows;
        CLog_Process_Function decoder;
        decoder.ProcessRecord(MakeRecord(c.fields).data(), 5, rows);
        EXPECT_EQ(rows.Lists(), c.lists) << c.name;
        if (!rows.rows.empty()) {
            EXPECT_EQ(rows.rows[0].bytes, (Bytes{7, 40, 50})) << c.name;
        }
    }
}

TEST(ControllerLog, ChannelValuesKeepTheirSlotsBetweenRecords)
{
    CLog_Process_Function decoder;
    RecordingLogRows rows;
    const auto channels = [&rows] {
        ChannelValues values;
        std::memcpy(values.data(), rows.rows.back().bytes.data(), sizeof values);
        return values;
    };
    Record first = MakeRecord({});
    for (int i = 0; i < 8; ++i)
        WriteLe16(first.data() + 8 + 2 * i, static_cast<uint16_t>(1000 + i));
    first[5] = 0;
    for (int i = 0; i < 4; ++i)
        WriteLe16(first.data() + 24 + 2 * i, static_cast<uint16_t>(2000 + i));
    decoder.ProcessRecord(first.data(), 0, rows);
    EXPECT_EQ(channels()[0], 1000);
    EXPECT_EQ(channels()[7], 1007);
    EXPECT_EQ(channels()[8], 2000);
    EXPECT_EQ(channels()[11], 2003);

    Record second = MakeRecord({});
    second[5] = 5;
    WriteLe16(second.data() + 24, static_cast<uint16_t>(-300));
    decoder.ProcessRecord(second.data(), 1, rows);
    EXPECT_EQ(channels()[0], 0) << "channels 1-8 come with every record";
    EXPECT_EQ(channels()[8], 2000) << "slot 0 stays";
    EXPECT_EQ(channels()[28], -300);

    Record third = MakeRecord({});
    third[5] = 6;
    WriteLe16(third.data() + 24, 1);
    decoder.ProcessRecord(third.data(), 2, rows);
    EXPECT_EQ(channels()[28], -300) << "a selector above 5 updates nothing";
}

TEST(ControllerLog, ChannelCellsShowHalfOfPositiveValues)
{
    ChannelValues values{};
    values[0] = 3000;
    values[1] = -5;
    values[2] = 1;
    values[3] = 3;
    const TelemetryCells cells = ChannelCells(values);
    ASSERT_EQ(cells.size(), 32u);
    EXPECT_EQ(cells[0], (TelemetryCell{"Ch01", "1500"}));
    EXPECT_EQ(cells[1], (TelemetryCell{"Ch02", "0"}));
    EXPECT_EQ(cells[2], (TelemetryCell{"Ch03", "0"}));
    EXPECT_EQ(cells[3], (TelemetryCell{"Ch04", "1"}));
    EXPECT_EQ(cells[31], (TelemetryCell{"Ch32", "0"}));
}

TEST(ControllerLog, FileRecordsAreTimedInHundredthsAndEndAtTheirCount)
{
    test::TempFolder folder;
    Bytes file;
    RecordFields receiver;
    receiver.sensorType = kSensorNone;
    for (int i = 0; i < 25; ++i) {
        receiver.kind = i % 5 == 4 ? 9 : 3;
        const Record r = MakeRecord(receiver);
        file.insert(file.end(), r.begin(), r.end());
    }
    const std::string path = folder.Write("SENSOR01", file);
    RecordingLogRows rows;
    test::RecordingReporter reporter;
    ASSERT_TRUE(LoadLogFile(path, rows, reporter));
    EXPECT_EQ(rows.begun, std::vector<LogFormat>{LogFormat::ControllerLog});
    EXPECT_EQ(rows.rows.size(), 20u * 3u);
    EXPECT_EQ(rows.rows.back().time, 23);
    EXPECT_EQ(rows.ends, std::vector<int32_t>{25});

    file.push_back(0);
    RecordingLogRows refused;
    test::RecordingReporter refusal;
    EXPECT_FALSE(LoadLogFile(folder.Write("odd.bin", file), refused, refusal));
    EXPECT_EQ(refusal.Messages(), std::vector<std::string>{std::string(kLogSizeMismatch) + "|" + kApplicationTitle});
    EXPECT_TRUE(refused.begun.empty());
}

}  // namespace
}  // namespace skarnel
