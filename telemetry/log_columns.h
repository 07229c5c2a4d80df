#pragma once

#include "telemetry/log_rows.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skarnel {

// The file log viewer's seven lists, in the order of its tabs.
enum class LogList : int { General, Electric, Gps, Vario, Receiver, RfLevel, Channel };
inline constexpr int kLogListCount = 7;

// How a field is stored in its record.
enum class FieldType : uint8_t {
    Int32,
    Float,
    UInt8,
    UInt16,
    Int16Bits,    // a uint16 shown as int16 (the receiver's temperature)
    HalfChannel,  // an int16 channel value, shown as 0 below 1 and as half of it otherwise
};

// How a cell shows its value.
enum class CellFormat : uint8_t { Integer, OneDecimal, TwoDecimals, NoDecimals };

// One value column of a list: its name (the language-0 text) and where its value lies in the
// row's record.
struct LogColumn {
    std::string name;
    FieldType type;
    uint16_t offset;
    CellFormat format;
};

// The value columns of one list in one log format; every row of the list holds a record of
// recordSize bytes. The "No" and "Time" columns come first in the list and are not part of it.
struct LogLayout {
    std::vector<LogColumn> columns;
    size_t recordSize;
    int valueWidth;   // pixels
    bool translated;  // language 1 appends "_d" to its column texts
};

// A controller log's row of the RF level list: one channel's level pair.
#pragma pack(push, 1)
struct ChannelLevel {
    uint8_t channel = 0;
    uint8_t txLevel = 0;
    uint8_t rxLevel = 0;
};
#pragma pack(pop)

const LogLayout& LayoutOf(LogList list, LogFormat format);

inline constexpr int kNumberColumnWidth = 50;
inline constexpr int kTimeColumnWidth = 100;
// "No" and "Time" stand before the value columns.
inline constexpr int kLeadingColumns = 2;

// The text of a list's column (the leading "No" and "Time" included) in a display language;
// language 1 appends "_d" where the list is translated.
std::string ColumnTitle(const LogLayout& layout, int column, int language);
int ColumnWidth(const LogLayout& layout, int column);
// " General    " ... " Channel    ", or " General_d  " ... in language 1: always 12 characters.
std::string TabTitle(LogList list, int language);

// The one formatting of a value cell: the list, the command line and the exports show it.
std::string CellText(const LogColumn& column, const uint8_t* record);
// The number a cell shows: its integer, or its float as rounded to the cell's decimals (NaN
// when the cell shows "nan").
double CellValue(const LogColumn& column, const uint8_t* record);
// The widest text a column of a bounded field can show ("65535", "-32768"); empty for the 32-bit
// fields, whose texts only their values tell.
std::string WidestCellText(const LogColumn& column);
// "%d" of the row number counted from 1.
std::string RowNumberText(size_t row);

// Writes a cell's text back into the record's field. Text that is no number leaves the field
// 0 and gives false; a value beyond the field's range is clamped to it, and a float that is
// not finite becomes 0 or beyond ±kFloatCellLimit is clamped to it, so a damaged file never
// hands a gauge a value it cannot draw.
bool FieldFromText(const LogColumn& column, std::string_view text, uint8_t* record);
inline constexpr float kFloatCellLimit = 1'000'000.0f;

// A record rebuilt from the texts of its value cells in the layout's order, as a replay reads
// it from the list; fields without a column are 0. False when a text is missing or no number.
bool RecordFromCells(const LogLayout& layout, std::span<const std::string> cells, uint8_t* record);
template <typename Record>
bool RecordFromCells(const LogLayout& layout, std::span<const std::string> cells, Record& record)
{
    record = Record{};
    return layout.recordSize == sizeof(Record) && RecordFromCells(layout, cells, reinterpret_cast<uint8_t*>(&record));
}

// The texts of a record's value cells in the layout's order.
std::vector<std::string> CellTexts(const LogLayout& layout, const uint8_t* record);

}  // namespace skarnel
