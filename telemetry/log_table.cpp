#include "telemetry/log_table.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace skarnel {

int32_t LogTable::Time(size_t row) const
{
    int32_t time;
    std::memcpy(&time, RowBytes(row), sizeof time);
    return time;
}

size_t LogTable::FirstRowAfter(int32_t time) const
{
    size_t low = 0;
    size_t high = rowCount_;
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (Time(middle) <= time)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

const uint8_t* LogTable::RowBytes(size_t row) const
{
    const auto after = std::upper_bound(firstRows_.begin(), firstRows_.end(), row);
    const auto chunk = static_cast<size_t>(std::distance(firstRows_.begin(), after)) - 1;
    return chunks_[chunk].data() + (row - firstRows_[chunk]) * stride_;
}

void LogTable::StartChunk()
{
    chunks_.emplace_back().reserve(std::max(kChunkBytes / stride_, size_t{1}) * stride_);
    firstRows_.push_back(rowCount_);
}

void LogTable::Append(int32_t time, const void* record)
{
    if (chunks_.empty() || chunks_.back().size() + stride_ > chunks_.back().capacity())
        StartChunk();
    std::vector<uint8_t>& chunk = chunks_.back();
    const size_t at = chunk.size();
    chunk.resize(at + stride_);
    std::memcpy(chunk.data() + at, &time, sizeof time);
    std::memcpy(chunk.data() + at + sizeof time, record, stride_ - sizeof time);
    ++rowCount_;
}

void LogTable::Splice(LogTable&& other)
{
    for (std::vector<uint8_t>& chunk : other.chunks_) {
        if (chunk.empty())
            continue;
        // A batch's last chunk is rarely full; its unused room would stay reserved for good.
        if (chunk.size() < chunk.capacity() / 2)
            chunk.shrink_to_fit();
        firstRows_.push_back(rowCount_);
        rowCount_ += chunk.size() / stride_;
        chunks_.push_back(std::move(chunk));
    }
    other.Reset(RecordSize());
}

void LogTable::Reset(size_t recordSize)
{
    stride_ = sizeof(int32_t) + recordSize;
    chunks_.clear();
    firstRows_.clear();
    rowCount_ = 0;
}

size_t LogTable::MemoryBytes() const
{
    size_t bytes = 0;
    for (const std::vector<uint8_t>& chunk : chunks_)
        bytes += chunk.capacity();
    return bytes;
}

}  // namespace skarnel
