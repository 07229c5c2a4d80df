#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skarnel {

// The rows of one list kept compact: each row is its time (hundredths of a second) followed by
// its record's bytes, in chunks, so that a list of millions of rows grows without copying and
// rows collected elsewhere are taken over whole.
class LogTable {
public:
    LogTable() : LogTable(0) {}
    explicit LogTable(size_t recordSize) : stride_(sizeof(int32_t) + recordSize) {}

    size_t RecordSize() const { return stride_ - sizeof(int32_t); }
    size_t RowCount() const { return rowCount_; }
    bool Empty() const { return rowCount_ == 0; }
    int32_t Time(size_t row) const;
    // The record's bytes; valid until the table changes.
    const uint8_t* Record(size_t row) const { return RowBytes(row) + sizeof(int32_t); }
    // The first row whose time is later than `time` (RowCount() when none is), for tables whose
    // times do not decrease.
    size_t FirstRowAfter(int32_t time) const;

    void Append(int32_t time, const void* record);
    // Moves every row of `other`, which has the same record size, to the end of this table.
    void Splice(LogTable&& other);
    // Removes every row; the record size becomes `recordSize`.
    void Reset(size_t recordSize);
    // The bytes the rows take, reserved room included.
    size_t MemoryBytes() const;

private:
    static constexpr size_t kChunkBytes = size_t{1} << 20;

    const uint8_t* RowBytes(size_t row) const;
    void StartChunk();

    size_t stride_;
    std::vector<std::vector<uint8_t>> chunks_;
    std::vector<size_t> firstRows_;  // the row number of each chunk's first row
    size_t rowCount_ = 0;
};

}  // namespace skarnel
