#include "telemetry/log_columns.h"

#include "base/format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace skarnel {
namespace {

constexpr int kValueWidth = 70;
constexpr int kLiveRfWidth = 50;
constexpr const char* kTranslatedSuffix = "_d";
constexpr size_t kTabTitleLength = 12;

constexpr const char* kTabNames[kLogListCount] = {"General",  "Electric", "GPS",    "Vario",
                                                  "Receiver", "RF RXSQ",  "Channel"};

using F = FieldType;
using C = CellFormat;

template <typename Record> uint16_t At(size_t offset)
{
    static_assert(sizeof(Record) <= std::numeric_limits<uint16_t>::max());
    return static_cast<uint16_t>(offset);
}

// "CellVolt1".."CellVoltN", each a float of two decimals.
void AddCellVolts(std::vector<LogColumn>& columns, size_t firstOffset, int count)
{
    for (int i = 0; i < count; ++i)
        columns.push_back({Format("CellVolt%d", i + 1), F::Float,
                           static_cast<uint16_t>(firstOffset + static_cast<size_t>(i) * sizeof(float)),
                           C::TwoDecimals});
}

LogLayout GeneralLayout()
{
    using R = GeneralData;
    std::vector<LogColumn> c{{"RF RXSQ", F::Int32, At<R>(offsetof(R, rxsq)), C::Integer}};
    AddCellVolts(c, offsetof(R, cellVolt), 6);
    c.insert(c.end(), {{"BattVolt1", F::Float, At<R>(offsetof(R, battVolt1)), C::OneDecimal},
                       {"BattVolt2", F::Float, At<R>(offsetof(R, battVolt2)), C::OneDecimal},
                       {"Temp1", F::Int32, At<R>(offsetof(R, temp1)), C::Integer},
                       {"Temp2", F::Int32, At<R>(offsetof(R, temp2)), C::Integer},
                       {"Fuel", F::Int32, At<R>(offsetof(R, fuel)), C::Integer},
                       {"OilLevel", F::Int32, At<R>(offsetof(R, oilLevel)), C::Integer},
                       {"RPM", F::Int32, At<R>(offsetof(R, rpm)), C::Integer},
                       {"Altitude", F::Int32, At<R>(offsetof(R, altitude)), C::Integer},
                       {"Alt 1sec", F::Float, At<R>(offsetof(R, alt1sec)), C::OneDecimal},
                       {"Alt 3sec", F::Int32, At<R>(offsetof(R, alt3sec)), C::Integer},
                       {"Current", F::Float, At<R>(offsetof(R, current)), C::OneDecimal},
                       {"PowerV", F::Float, At<R>(offsetof(R, powerV)), C::OneDecimal},
                       {"Capacity", F::Float, At<R>(offsetof(R, capacity)), C::NoDecimals},
                       {"Inverse_local", F::Int32, At<R>(offsetof(R, inverseLocal)), C::Integer}});
    return {std::move(c), sizeof(R), kValueWidth, true};
}

LogLayout ElectricLayout()
{
    using R = ElectricData;
    std::vector<LogColumn> c{{"RF RXSQ", F::Int32, At<R>(offsetof(R, rxsq)), C::Integer}};
    AddCellVolts(c, offsetof(R, cellVolt), 14);
    c.insert(c.end(), {{"BattVolt1", F::Float, At<R>(offsetof(R, battVolt1)), C::OneDecimal},
                       {"BattVolt2", F::Float, At<R>(offsetof(R, battVolt2)), C::OneDecimal},
                       {"Temp1", F::Int32, At<R>(offsetof(R, temp1)), C::Integer},
                       {"Temp2", F::Int32, At<R>(offsetof(R, temp2)), C::Integer},
                       {"Altitude", F::Int32, At<R>(offsetof(R, altitude)), C::Integer},
                       {"Alt 1sec", F::Float, At<R>(offsetof(R, alt1sec)), C::OneDecimal},
                       {"Alt 3sec", F::Int32, At<R>(offsetof(R, alt3sec)), C::Integer},
                       {"Current", F::Float, At<R>(offsetof(R, current)), C::OneDecimal},
                       {"PowerV", F::Float, At<R>(offsetof(R, powerV)), C::OneDecimal},
                       {"Capacity", F::Float, At<R>(offsetof(R, capacity)), C::NoDecimals},
                       {"Inverse_local", F::Int32, At<R>(offsetof(R, inverseLocal)), C::Integer}});
    return {std::move(c), sizeof(R), kValueWidth, true};
}

LogLayout GpsLayout()
{
    using R = GpsData;
    return {{{"RF RXSQ", F::Int32, At<R>(offsetof(R, rxsq)), C::Integer},
             {"Direct", F::Int32, At<R>(offsetof(R, direct)), C::Integer},
             {"Speed", F::Int32, At<R>(offsetof(R, speed)), C::Integer},
             {"NS", F::Int32, At<R>(offsetof(R, ns)), C::Integer},
             {"NS-H", F::Int32, At<R>(offsetof(R, nsHigh)), C::Integer},
             {"NS-L", F::Int32, At<R>(offsetof(R, nsLow)), C::Integer},
             {"EW", F::Int32, At<R>(offsetof(R, ew)), C::Integer},
             {"EW-H", F::Int32, At<R>(offsetof(R, ewHigh)), C::Integer},
             {"EW-L", F::Int32, At<R>(offsetof(R, ewLow)), C::Integer},
             {"Distance", F::Int32, At<R>(offsetof(R, distance)), C::Integer},
             {"Altitude", F::Int32, At<R>(offsetof(R, altitude)), C::Integer},
             {"Alt 1sec", F::Float, At<R>(offsetof(R, alt1sec)), C::OneDecimal},
             {"Alt 3sec", F::Int32, At<R>(offsetof(R, alt3sec)), C::Integer}},
            sizeof(R),
            kValueWidth,
            true};
}

LogLayout VarioLayout()
{
    using R = VarioData;
    return {{{"RF RXSQ", F::Int32, At<R>(offsetof(R, rxsq)), C::Integer},
             {"Altitude", F::Int32, At<R>(offsetof(R, altitude)), C::Integer},
             {"Alt Max", F::Int32, At<R>(offsetof(R, altMax)), C::Integer},
             {"Alt Min", F::Int32, At<R>(offsetof(R, altMin)), C::Integer},
             {"Alt 1sec", F::Float, At<R>(offsetof(R, alt1sec)), C::OneDecimal},
             {"Alt 3sec", F::Float, At<R>(offsetof(R, alt3sec)), C::OneDecimal},
             {"Alt 10sec", F::Float, At<R>(offsetof(R, alt10sec)), C::OneDecimal}},
            sizeof(R),
            kValueWidth,
            true};
}

LogLayout ReceiverLayout()
{
    using R = ReceiverData;
    return {{{"RF RXSQ", F::UInt8, At<R>(offsetof(R, rxsq)), C::Integer},
             {"Quality", F::UInt8, At<R>(offsetof(R, quality)), C::Integer},
             {"Strength", F::UInt8, At<R>(offsetof(R, strength)), C::Integer},
             {"Loss Pack", F::UInt16, At<R>(offsetof(R, lossPack)), C::Integer},
             {"Recv Volt", F::Float, At<R>(offsetof(R, recvVolt)), C::OneDecimal},
             {"Low Volt", F::Float, At<R>(offsetof(R, lowVolt)), C::OneDecimal},
             {"Recv Temp", F::Int16Bits, At<R>(offsetof(R, recvTemp)), C::Integer}},
            sizeof(R),
            kValueWidth,
            true};
}

// A live log's RF list: the whole level table, "Tx_01".."Tx_75" then "Rx_01".."Rx_75".
LogLayout LiveRfLayout()
{
    std::vector<LogColumn> c;
    for (const auto& [side, offset] :
         {std::pair{"Tx", offsetof(DbmScan, txLevel)}, std::pair{"Rx", offsetof(DbmScan, rxLevel)}})
        for (size_t i = 0; i < kRfChannelCount; ++i)
            c.push_back({Format("%s_%02d", side, static_cast<int>(i + 1)), F::UInt8, static_cast<uint16_t>(offset + i),
                         C::Integer});
    return {std::move(c), sizeof(DbmScan), kLiveRfWidth, false};
}

LogLayout ControllerRfLayout()
{
    using R = ChannelLevel;
    return {{{"Channel", F::UInt8, At<R>(offsetof(R, channel)), C::Integer},
             {"Tx", F::UInt8, At<R>(offsetof(R, txLevel)), C::Integer},
             {"Rx", F::UInt8, At<R>(offsetof(R, rxLevel)), C::Integer}},
            sizeof(R),
            kValueWidth,
            true};
}

LogLayout ChannelLayout()
{
    std::vector<LogColumn> c;
    for (size_t i = 0; i < kLogChannelCount; ++i)
        c.push_back({Format("Ch%02d", static_cast<int>(i + 1)), F::HalfChannel,
                     static_cast<uint16_t>(i * sizeof(int16_t)), C::Integer});
    return {std::move(c), sizeof(ChannelValues), kValueWidth, false};
}

template <typename T> T Read(const uint8_t* record, const LogColumn& column)
{
    T value;
    std::memcpy(&value, record + column.offset, sizeof value);
    return value;
}

template <typename T> void Write(uint8_t* record, const LogColumn& column, T value)
{
    std::memcpy(record + column.offset, &value, sizeof value);
}

std::string IntegerText(int64_t value)
{
    char text[24];
    const auto end = std::to_chars(std::begin(text), std::end(text), value).ptr;
    return {text, end};
}

int Decimals(CellFormat format)
{
    switch (format) {
    case C::OneDecimal: return 1;
    case C::TwoDecimals: return 2;
    default: return 0;
    }
}

// As printf's "%.Nf" does it, without its cost.
std::string FloatText(float value, CellFormat format)
{
    char text[64];
    const auto result =
        std::to_chars(std::begin(text), std::end(text), value, std::chars_format::fixed, Decimals(format));
    if (result.ec != std::errc())
        return Format("%.*f", Decimals(format), static_cast<double>(value));
    return {text, result.ptr};
}

int64_t ClampedInteger(int64_t value, int64_t lowest, int64_t highest)
{
    return std::clamp(value, lowest, highest);
}

template <typename T> T Clamped(int64_t value)
{
    return static_cast<T>(
        ClampedInteger(value, std::numeric_limits<T>::lowest(), static_cast<int64_t>(std::numeric_limits<T>::max())));
}

bool ParseInteger(std::string_view text, int64_t& value)
{
    value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = !text.empty() && text.front() == '-' ? std::numeric_limits<int64_t>::min()
                                                     : std::numeric_limits<int64_t>::max();
        return true;
    }
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        value = 0;
        return false;
    }
    return true;
}

// A float as the list's text gives it; what cannot reach a gauge is cleaned.
bool ParseFloat(std::string_view text, float& value)
{
    value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = !text.empty() && text.front() == '-' ? -kFloatCellLimit : kFloatCellLimit;
        return true;
    }
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        value = 0;
        return false;
    }
    value = std::isfinite(value) ? std::clamp(value, -kFloatCellLimit, kFloatCellLimit) : 0.0f;
    return true;
}

bool IntegerField(const LogColumn& column, std::string_view text, uint8_t* record)
{
    int64_t value = 0;
    const bool parsed = ParseInteger(text, value);
    switch (column.type) {
    case F::Int32: Write(record, column, Clamped<int32_t>(value)); break;
    case F::UInt8: Write(record, column, Clamped<uint8_t>(value)); break;
    case F::UInt16: Write(record, column, Clamped<uint16_t>(value)); break;
    case F::Int16Bits: Write(record, column, static_cast<uint16_t>(Clamped<int16_t>(value))); break;
    case F::HalfChannel: Write(record, column, Clamped<int16_t>(value * 2)); break;
    case F::Float: break;
    }
    return parsed;
}

// A field that is no float as its cell shows it.
int64_t IntegerOf(const LogColumn& column, const uint8_t* record)
{
    switch (column.type) {
    case F::Int32: return Read<int32_t>(record, column);
    case F::UInt8: return Read<uint8_t>(record, column);
    case F::UInt16: return Read<uint16_t>(record, column);
    case F::Int16Bits: return static_cast<int16_t>(Read<uint16_t>(record, column));
    case F::HalfChannel: {
        const int16_t value = Read<int16_t>(record, column);
        return value < 1 ? 0 : value / 2;
    }
    case F::Float: break;
    }
    return 0;
}

}  // namespace

const LogLayout& LayoutOf(LogList list, LogFormat format)
{
    static const LogLayout kGeneral = GeneralLayout();
    static const LogLayout kElectric = ElectricLayout();
    static const LogLayout kGps = GpsLayout();
    static const LogLayout kVario = VarioLayout();
    static const LogLayout kReceiver = ReceiverLayout();
    static const LogLayout kLiveRf = LiveRfLayout();
    static const LogLayout kControllerRf = ControllerRfLayout();
    static const LogLayout kChannel = ChannelLayout();
    switch (list) {
    case LogList::General: return kGeneral;
    case LogList::Electric: return kElectric;
    case LogList::Gps: return kGps;
    case LogList::Vario: return kVario;
    case LogList::Receiver: return kReceiver;
    case LogList::RfLevel: return format == LogFormat::LiveLog ? kLiveRf : kControllerRf;
    case LogList::Channel: break;
    }
    return kChannel;
}

std::string ColumnTitle(const LogLayout& layout, int column, int language)
{
    std::string title = column == 0   ? "No"
                        : column == 1 ? "Time"
                                      : layout.columns.at(static_cast<size_t>(column - kLeadingColumns)).name;
    if (language == 1 && layout.translated)
        title += kTranslatedSuffix;
    return title;
}

int ColumnWidth(const LogLayout& layout, int column)
{
    return column == 0 ? kNumberColumnWidth : column == 1 ? kTimeColumnWidth : layout.valueWidth;
}

std::string TabTitle(LogList list, int language)
{
    std::string title = std::string(" ") + kTabNames[static_cast<int>(list)];
    if (language == 1)
        title += kTranslatedSuffix;
    title.resize(std::max(title.size(), kTabTitleLength), ' ');
    return title;
}

std::string WidestCellText(const LogColumn& column)
{
    switch (column.type) {
    case F::UInt8: return "255";
    case F::UInt16: return "65535";
    case F::Int16Bits: return "-32768";
    case F::HalfChannel: return "16383";
    case F::Int32:
    case F::Float: break;
    }
    return {};
}

std::string CellText(const LogColumn& column, const uint8_t* record)
{
    if (column.type == F::Float)
        return FloatText(Read<float>(record, column), column.format);
    return IntegerText(IntegerOf(column, record));
}

double CellValue(const LogColumn& column, const uint8_t* record)
{
    if (column.type != F::Float)
        return static_cast<double>(IntegerOf(column, record));
    // The float read back from its text, so that a plot and its list agree to the last digit.
    const std::string text = CellText(column, record);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string RowNumberText(size_t row)
{
    return IntegerText(static_cast<int64_t>(row) + 1);
}

bool FieldFromText(const LogColumn& column, std::string_view text, uint8_t* record)
{
    if (column.type != F::Float)
        return IntegerField(column, text, record);
    float value = 0;
    const bool parsed = ParseFloat(text, value);
    Write(record, column, value);
    return parsed;
}

bool RecordFromCells(const LogLayout& layout, std::span<const std::string> cells, uint8_t* record)
{
    std::memset(record, 0, layout.recordSize);
    bool parsed = cells.size() == layout.columns.size();
    for (size_t i = 0; i < std::min(cells.size(), layout.columns.size()); ++i)
        parsed = FieldFromText(layout.columns[i], cells[i], record) && parsed;
    return parsed;
}

std::vector<std::string> CellTexts(const LogLayout& layout, const uint8_t* record)
{
    std::vector<std::string> texts;
    texts.reserve(layout.columns.size());
    for (const LogColumn& column : layout.columns)
        texts.push_back(CellText(column, record));
    return texts;
}

}  // namespace skarnel
