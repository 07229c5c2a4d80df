#include "model/data_schema.h"

#include "base/byte_order.h"
#include "base/format.h"

#include <algorithm>

namespace skarnel {
namespace {

constexpr size_t kReplyCountsSize = 10;

// Offsets of the fixed form.
constexpr size_t kCommonAddrOffset = 10;
constexpr size_t kCommonSizeOffset = 74;
constexpr size_t kCommonTotalOffset = 138;
constexpr size_t kModelTypeOffset = 140;
constexpr size_t kModelSectionOffsetOffset = 396;
constexpr size_t kModelSectionSizeOffset = 460;

template <size_t N> void WriteEntries(uint8_t* out, const std::array<uint16_t, N>& entries)
{
    for (size_t i = 0; i < N; ++i)
        WriteLe16(out + 2 * i, entries[i]);
}

template <size_t N> void ReadEntries(const uint8_t* bytes, std::array<uint16_t, N>& entries)
{
    for (size_t i = 0; i < N; ++i)
        entries[i] = ReadLe16(bytes + 2 * i);
}

// Reads count values from the reply, advancing the cursor.
template <size_t N> void TakeEntries(const uint8_t*& cursor, size_t count, std::array<uint16_t, N>& entries)
{
    for (size_t i = 0; i < count; ++i, cursor += 2)
        entries[i] = ReadLe16(cursor);
}

template <size_t N> void PutEntries(std::vector<uint8_t>& payload, size_t count, const std::array<uint16_t, N>& entries)
{
    for (size_t i = 0; i < std::min(count, N); ++i) {
        payload.push_back(static_cast<uint8_t>(entries[i]));
        payload.push_back(static_cast<uint8_t>(entries[i] >> 8));
    }
}

size_t ReplySizeFor(const DataSchema& schema)
{
    return kReplyCountsSize + 4u * schema.commonSectionCount + 2u * schema.modelCount + 4u * schema.modelSectionCount;
}

}  // namespace

std::string DataSchema::CapacityError() const
{
    if (modelCount <= kMaxModels && commonSectionCount <= kMaxCommonSections &&
        modelSectionCount <= kMaxModelSections && modelSize <= kMaxModelSize)
        return {};
    return Format("Data Schema Size Error. Model Count:%d, Common Sections:%d, Model Sections:%d, Model Size:%d",
                  modelCount, commonSectionCount, modelSectionCount, modelSize);
}

void DataSchema::EncodeFixedForm(uint8_t* out) const
{
    WriteLe16(out + 0, modelCount);
    WriteLe16(out + 2, commonSectionCount);
    WriteLe16(out + 4, modelSectionCount);
    WriteLe16(out + 6, modelSize);
    WriteLe16(out + 8, modelBase);
    WriteEntries(out + kCommonAddrOffset, commonSectionAddr);
    WriteEntries(out + kCommonSizeOffset, commonSectionSize);
    WriteLe16(out + kCommonTotalOffset, commonTotalSize);
    WriteEntries(out + kModelTypeOffset, modelType);
    WriteEntries(out + kModelSectionOffsetOffset, modelSectionOffset);
    WriteEntries(out + kModelSectionSizeOffset, modelSectionSize);
}

DataSchema DataSchema::DecodeFixedForm(const uint8_t* bytes)
{
    DataSchema schema;
    schema.modelCount = ReadLe16(bytes + 0);
    schema.commonSectionCount = ReadLe16(bytes + 2);
    schema.modelSectionCount = ReadLe16(bytes + 4);
    schema.modelSize = ReadLe16(bytes + 6);
    schema.modelBase = ReadLe16(bytes + 8);
    ReadEntries(bytes + kCommonAddrOffset, schema.commonSectionAddr);
    ReadEntries(bytes + kCommonSizeOffset, schema.commonSectionSize);
    schema.commonTotalSize = ReadLe16(bytes + kCommonTotalOffset);
    ReadEntries(bytes + kModelTypeOffset, schema.modelType);
    ReadEntries(bytes + kModelSectionOffsetOffset, schema.modelSectionOffset);
    ReadEntries(bytes + kModelSectionSizeOffset, schema.modelSectionSize);
    return schema;
}

bool ParseDataSchemaReply(const uint8_t* payload, size_t length, DataSchema& schema, std::string& error)
{
    if (length < kReplyCountsSize) {
        error = Format("Data Schema Length Error. Recv : %d, Expected : %d", static_cast<int>(length),
                       static_cast<int>(kReplyCountsSize));
        return false;
    }
    DataSchema counts = schema;
    counts.modelCount = ReadLe16(payload + 0);
    counts.commonSectionCount = ReadLe16(payload + 2);
    counts.modelSectionCount = ReadLe16(payload + 4);
    counts.modelSize = ReadLe16(payload + 6);
    counts.modelBase = ReadLe16(payload + 8);
    error = counts.CapacityError();
    if (!error.empty())
        return false;
    if (length < ReplySizeFor(counts)) {
        error = Format("Data Schema Length Error. Recv : %d, Expected : %d", static_cast<int>(length),
                       static_cast<int>(ReplySizeFor(counts)));
        return false;
    }
    const uint8_t* cursor = payload + kReplyCountsSize;
    TakeEntries(cursor, counts.commonSectionCount, counts.commonSectionAddr);
    TakeEntries(cursor, counts.commonSectionCount, counts.commonSectionSize);
    uint32_t total = 0;
    for (size_t i = 0; i < counts.commonSectionCount; ++i)
        total += counts.commonSectionSize[i];
    counts.commonTotalSize = static_cast<uint16_t>(total);
    TakeEntries(cursor, counts.modelCount, counts.modelType);
    TakeEntries(cursor, counts.modelSectionCount, counts.modelSectionOffset);
    TakeEntries(cursor, counts.modelSectionCount, counts.modelSectionSize);
    schema = counts;
    return true;
}

std::vector<uint8_t> EncodeDataSchemaReply(const DataSchema& schema)
{
    std::vector<uint8_t> payload;
    const std::array<uint16_t, 5> counts{schema.modelCount, schema.commonSectionCount, schema.modelSectionCount,
                                         schema.modelSize, schema.modelBase};
    PutEntries(payload, counts.size(), counts);
    PutEntries(payload, schema.commonSectionCount, schema.commonSectionAddr);
    PutEntries(payload, schema.commonSectionCount, schema.commonSectionSize);
    PutEntries(payload, schema.modelCount, schema.modelType);
    PutEntries(payload, schema.modelSectionCount, schema.modelSectionOffset);
    PutEntries(payload, schema.modelSectionCount, schema.modelSectionSize);
    return payload;
}

}  // namespace skarnel
