#include "telemetry/log_columns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace skarnel::test {
namespace {

std::vector<std::string> Titles(LogList list, LogFormat format, int language)
{
    const LogLayout& layout = LayoutOf(list, format);
    std::vector<std::string> titles;
    for (int column = 0; column < kLeadingColumns + static_cast<int>(layout.columns.size()); ++column)
        titles.push_back(ColumnTitle(layout, column, language));
    return titles;
}

// prefix1, prefix2, ...; two digits at least when padded.
std::vector<std::string> Numbered(const std::string& prefix, int count, bool padded = false)
{
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(prefix + (padded && i < 10 ? "0" : "") + std::to_string(i));
    return names;
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> joined;
    for (const auto& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

std::vector<std::string> WithSuffix(std::vector<std::string> names)
{
    for (std::string& name : names)
        name += "_d";
    return names;
}

struct ColumnCase {
    LogList list;
    LogFormat format;
    std::vector<std::string> titles;  // language 0
    bool translated;
    int valueWidth;
};

std::vector<ColumnCase> ColumnCases()
{
    const std::vector<std::string> lead{"No", "Time"};
    return {
        {LogList::General, LogFormat::LiveLog,
         Join({lead,
               {"RF RXSQ"},
               Numbered("CellVolt", 6),
               {"BattVolt1", "BattVolt2", "Temp1", "Temp2", "Fuel", "OilLevel", "RPM", "Altitude", "Alt 1sec",
                "Alt 3sec", "Current", "PowerV", "Capacity", "Inverse_local"}}),
         true, 70},
        {LogList::Electric, LogFormat::ControllerLog,
         Join({lead,
               {"RF RXSQ"},
               Numbered("CellVolt", 14),
               {"BattVolt1", "BattVolt2", "Temp1", "Temp2", "Altitude", "Alt 1sec", "Alt 3sec", "Current", "PowerV",
                "Capacity", "Inverse_local"}}),
         true, 70},
        {LogList::Gps, LogFormat::LiveLog,
         Join({lead,
               {"RF RXSQ", "Direct", "Speed", "NS", "NS-H", "NS-L", "EW", "EW-H", "EW-L", "Distance", "Altitude",
                "Alt 1sec", "Alt 3sec"}}),
         true, 70},
        {LogList::Vario, LogFormat::LiveLog,
         Join({lead, {"RF RXSQ", "Altitude", "Alt Max", "Alt Min", "Alt 1sec", "Alt 3sec", "Alt 10sec"}}), true, 70},
        {LogList::Receiver, LogFormat::ControllerLog,
         Join({lead, {"RF RXSQ", "Quality", "Strength", "Loss Pack", "Recv Volt", "Low Volt", "Recv Temp"}}), true, 70},
        {LogList::RfLevel, LogFormat::ControllerLog, Join({lead, {"Channel", "Tx", "Rx"}}), true, 70},
        {LogList::RfLevel, LogFormat::LiveLog, Join({lead, Numbered("Tx_", 75, true), Numbered("Rx_", 75, true)}),
         false, 50},
        {LogList::Channel, LogFormat::ControllerLog, Join({lead, Numbered("Ch", 32, true)}), false, 70},
    };
}

TEST(LogColumns, EveryListHasItsColumnTextsAndWidthsInBothLanguages)
{
    for (const ColumnCase& c : ColumnCases()) {
        SCOPED_TRACE(c.titles.back());
        EXPECT_EQ(Titles(c.list, c.format, 0), c.titles);
        EXPECT_EQ(Titles(c.list, c.format, 1), c.translated ? WithSuffix(c.titles) : c.titles);
        const LogLayout& layout = LayoutOf(c.list, c.format);
        EXPECT_EQ(ColumnWidth(layout, 0), 50);
        EXPECT_EQ(ColumnWidth(layout, 1), 100);
        for (int column = 2; column < static_cast<int>(c.titles.size()); ++column)
            EXPECT_EQ(ColumnWidth(layout, column), c.valueWidth);
    }
    EXPECT_EQ(Titles(LogList::RfLevel, LogFormat::LiveLog, 1).size(), 152u);
}

TEST(LogColumns, TabTextsKeepTheirTwelveCharacters)
{
    const std::vector<std::string> language0{" General    ", " Electric   ", " GPS        ", " Vario      ",
                                             " Receiver   ", " RF RXSQ    ", " Channel    "};
    const std::vector<std::string> language1{" General_d  ", " Electric_d ", " GPS_d      ", " Vario_d    ",
                                             " Receiver_d ", " RF RXSQ_d  ", " Channel_d  "};
    for (int i = 0; i < kLogListCount; ++i) {
        EXPECT_EQ(TabTitle(static_cast<LogList>(i), 0), language0[static_cast<size_t>(i)]);
        EXPECT_EQ(TabTitle(static_cast<LogList>(i), 1), language1[static_cast<size_t>(i)]);
    }
}

template <typename Record> std::vector<std::string> Texts(LogList list, LogFormat format, const Record& record)
{
    return CellTexts(LayoutOf(list, format), reinterpret_cast<const uint8_t*>(&record));
}

TEST(LogColumns, CellsShowTheirFormats)
{
    GeneralData general;
    general.cellVolt[0] = 3.86f;
    general.battVolt1 = 7.4f;
    general.capacity = 1230.0f;
    general.alt1sec = -1.25f;
    general.temp1 = -12;
    const std::vector<std::string> generalTexts = Texts(LogList::General, LogFormat::LiveLog, general);
    EXPECT_EQ(generalTexts[1], "3.86");
    EXPECT_EQ(generalTexts[7], "7.4");
    EXPECT_EQ(generalTexts[9], "-12");
    EXPECT_EQ(generalTexts[19], "1230");
    EXPECT_EQ(generalTexts[15], "-1.2");  // as printf rounds the float's exact value

    VarioData vario;
    vario.alt3sec = 2.0f;
    vario.alt10sec = -0.5f;
    EXPECT_EQ(Texts(LogList::Vario, LogFormat::LiveLog, vario)[5], "2.0");

    ReceiverData receiver;
    receiver.recvTemp = static_cast<uint16_t>(-5);
    receiver.lossPack = 65535;
    receiver.recvVolt = 5.1f;
    EXPECT_EQ(Texts(LogList::Receiver, LogFormat::LiveLog, receiver),
              (std::vector<std::string>{"0", "0", "0", "65535", "5.1", "0.0", "-5"}));

    ChannelValues channels{};
    channels[0] = 3000;
    channels[1] = -4;
    channels[2] = 1;
    const auto channelTexts = Texts(LogList::Channel, LogFormat::ControllerLog, channels);
    EXPECT_EQ(channelTexts[0], "1500");
    EXPECT_EQ(channelTexts[1], "0");
    EXPECT_EQ(channelTexts[2], "0");
    EXPECT_EQ(RowNumberText(0), "1");
}

// A record whose every field with a column holds a value its cell shows exactly, the floats as
// the decoders make them (a tenth is a division by 10 in single precision).
template <typename Record> Record Filled(LogList list, LogFormat format)
{
    std::vector<uint8_t> bytes(sizeof(Record) + sizeof(int32_t));  // room the compiler can see
    int n = 0;
    for (const LogColumn& column : LayoutOf(list, format).columns) {
        ++n;
        uint8_t* at = bytes.data() + column.offset;
        switch (column.type) {
        case FieldType::Int32: {
            const int32_t value = (n % 2 ? -1 : 1) * (1000 * n + 7);
            std::memcpy(at, &value, sizeof value);
            break;
        }
        case FieldType::Float: {
            const float value = column.format == CellFormat::TwoDecimals  ? static_cast<float>(300 + n) / 100.0f
                                : column.format == CellFormat::NoDecimals ? static_cast<float>(n * 10)
                                                                          : static_cast<float>(-64 - n) / 10.0f;
            std::memcpy(at, &value, sizeof value);
            break;
        }
        case FieldType::UInt8: *at = static_cast<uint8_t>(200 + n); break;
        case FieldType::UInt16:
        case FieldType::Int16Bits: {
            const auto value = static_cast<uint16_t>(column.type == FieldType::UInt16 ? 65000 + n : -20 - n);
            std::memcpy(at, &value, sizeof value);
            break;
        }
        case FieldType::HalfChannel: break;
        }
    }
    Record record;
    std::memcpy(static_cast<void*>(&record), bytes.data(), sizeof record);
    return record;
}

template <typename Record> void ExpectRoundTrip(LogList list, LogFormat format)
{
    const LogLayout& layout = LayoutOf(list, format);
    const Record original = Filled<Record>(list, format);
    const std::vector<std::string> texts = Texts(list, format, original);
    Record rebuilt;
    std::memset(static_cast<void*>(&rebuilt), 0x5A, sizeof rebuilt);
    ASSERT_TRUE(RecordFromCells(layout, texts, rebuilt));
    EXPECT_EQ(std::memcmp(&rebuilt, &original, sizeof original), 0) << "list " << static_cast<int>(list);
    EXPECT_EQ(Texts(list, format, rebuilt), texts);
}

TEST(LogColumns, EveryReplayedListsRecordIsRebuiltFromItsCells)
{
    ExpectRoundTrip<GeneralData>(LogList::General, LogFormat::LiveLog);
    ExpectRoundTrip<ElectricData>(LogList::Electric, LogFormat::LiveLog);
    ExpectRoundTrip<GpsData>(LogList::Gps, LogFormat::LiveLog);
    ExpectRoundTrip<VarioData>(LogList::Vario, LogFormat::LiveLog);
    ExpectRoundTrip<ReceiverData>(LogList::Receiver, LogFormat::ControllerLog);
    ExpectRoundTrip<DbmScan>(LogList::RfLevel, LogFormat::LiveLog);
    ExpectRoundTrip<ChannelLevel>(LogList::RfLevel, LogFormat::ControllerLog);
}

TEST(LogColumns, ACellReading74ReplaysTheDecodersFloat)
{
    std::vector<std::string> cells = Texts(LogList::General, LogFormat::LiveLog, GeneralData{});
    cells[7] = "7.4";  // BattVolt1
    GeneralData general;
    ASSERT_TRUE(RecordFromCells(LayoutOf(LogList::General, LogFormat::LiveLog), cells, general));
    EXPECT_EQ(general.battVolt1, 74 / 10.0f);
    EXPECT_EQ(general.battVolt1, 7.4f);
}

struct CleaningCase {
    const char* text;
    FieldType type;
    double expected;
    bool parsed;
};

double ReadBack(const LogColumn& column, const uint8_t* record)
{
    switch (column.type) {
    case FieldType::Float: {
        float value;
        std::memcpy(&value, record, sizeof value);
        return value;
    }
    case FieldType::UInt8: return record[0];
    case FieldType::UInt16: return record[0] | record[1] << 8;
    default: {
        int32_t value;
        std::memcpy(&value, record, sizeof value);
        return value;
    }
    }
}

TEST(LogColumns, ValuesAGaugeCannotDrawAreCleaned)
{
    const CleaningCase cases[] = {
        {"nan", FieldType::Float, 0, true},
        {"-nan", FieldType::Float, 0, true},
        {"inf", FieldType::Float, 0, true},
        {"-inf", FieldType::Float, 0, true},
        {"3e30", FieldType::Float, kFloatCellLimit, true},
        {"-1e60", FieldType::Float, -kFloatCellLimit, true},
        {"abc", FieldType::Float, 0, false},
        {"7.4x", FieldType::Float, 0, false},
        {"99999999999", FieldType::Int32, std::numeric_limits<int32_t>::max(), true},
        {"-99999999999999999999999", FieldType::Int32, std::numeric_limits<int32_t>::min(), true},
        {"300", FieldType::UInt8, 255, true},
        {"-5", FieldType::UInt8, 0, true},
        {"70000", FieldType::UInt16, 65535, true},
        {"", FieldType::Int32, 0, false},
        {"1.5", FieldType::Int32, 0, false},
    };
    for (const CleaningCase& c : cases) {
        SCOPED_TRACE(c.text);
        const LogColumn column{"x", c.type, 0, CellFormat::OneDecimal};
        uint8_t record[4];
        std::memset(record, 0x5A, sizeof record);
        EXPECT_EQ(FieldFromText(column, c.text, record), c.parsed);
        EXPECT_EQ(ReadBack(column, record), c.expected);
    }
}

TEST(LogColumns, ANotANumberInAFileReachesTheReplayAsZero)
{
    GeneralData general;
    general.battVolt1 = std::numeric_limits<float>::quiet_NaN();
    general.current = std::numeric_limits<float>::infinity();
    const std::vector<std::string> texts = Texts(LogList::General, LogFormat::LiveLog, general);
    GeneralData rebuilt;
    EXPECT_TRUE(RecordFromCells(LayoutOf(LogList::General, LogFormat::LiveLog), texts, rebuilt));
    EXPECT_EQ(rebuilt.battVolt1, 0.0f);
    EXPECT_EQ(rebuilt.current, 0.0f);
}

TEST(LogColumns, AMissingCellFailsTheRebuild)
{
    std::vector<std::string> texts = Texts(LogList::Vario, LogFormat::LiveLog, VarioData{});
    texts.pop_back();
    VarioData vario;
    EXPECT_FALSE(RecordFromCells(LayoutOf(LogList::Vario, LogFormat::LiveLog), texts, vario));
    GeneralData wrongRecord;
    EXPECT_FALSE(RecordFromCells(LayoutOf(LogList::Vario, LogFormat::LiveLog),
                                 Texts(LogList::Vario, LogFormat::LiveLog, VarioData{}), wrongRecord));
}

// A list sizes a bounded field's column by its widest text: no value of the field is longer.
TEST(LogColumns, NoValueOfABoundedFieldIsLongerThanItsWidestText)
{
    for (LogFormat format : {LogFormat::LiveLog, LogFormat::ControllerLog}) {
        for (int i = 0; i < kLogListCount; ++i) {
            const LogLayout& layout = LayoutOf(static_cast<LogList>(i), format);
            for (const LogColumn& column : layout.columns) {
                const std::string widest = WidestCellText(column);
                if (widest.empty())
                    continue;
                for (const char* extreme : {"-99999999", "99999999", "-1", "0"}) {
                    std::vector<uint8_t> record(layout.recordSize, 0);
                    FieldFromText(column, extreme, record.data());
                    EXPECT_LE(CellText(column, record.data()).size(), widest.size()) << column.name << " " << extreme;
                }
            }
        }
    }
}

}  // namespace
}  // namespace skarnel::test
