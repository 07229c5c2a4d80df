#include "model/conversion_table_set.h"

#include "base/byte_order.h"
#include "model/model_files.h"

#include <algorithm>

namespace skarnel {
namespace {

constexpr size_t kSetAlignment = 16;
constexpr size_t kCrcSize = 2;
constexpr size_t kProductNameOffset = 21;
constexpr size_t kProductNameSize = 11;

FieldRecord DecodeField(const uint8_t* p)
{
    FieldRecord field;
    field.number = ReadLe16(p);
    field.size = p[2];
    field.isSigned = p[3];
    field.offset = ReadLe16(p + 4);
    field.count = p[6];
    field.present = p[7];
    field.minimum = static_cast<int16_t>(ReadLe16(p + 8));
    field.maximum = static_cast<int16_t>(ReadLe16(p + 10));
    field.defaultValue = ReadLe32(p + 12);
    return field;
}

ChecksumRecord DecodeChecksum(const uint8_t* p)
{
    return {p[0], ReadLe16(p + 1), ReadLe16(p + 3), ReadLe16(p + 5)};
}

std::optional<ConversionTable> DecodeTable(const uint8_t* p, const ConversionTableSet& set)
{
    if (ReadLe32(p) != FileMagic)
        return std::nullopt;
    ConversionTable table;
    table.number = p[4];
    table.productCode = ReadLe32(p + 5);
    table.memoryVersion = ReadLe32(p + 9);
    const uint32_t fieldsUsed = ReadLe32(p + 13);
    const uint32_t checksumsUsed = ReadLe32(p + 17);
    if (fieldsUsed > set.fieldsPerTable || checksumsUsed > set.checksumsPerTable)
        return std::nullopt;
    const char* name = reinterpret_cast<const char*>(p + kProductNameOffset);
    table.productName.assign(name, std::find(name, name + kProductNameSize, '\0'));
    const uint8_t* records = p + ConversionTable::kHeaderSize;
    for (uint32_t k = 0; k < fieldsUsed; ++k)
        table.fields.push_back(DecodeField(records + FieldRecord::kSize * k));
    const uint8_t* checksums = records + FieldRecord::kSize * set.fieldsPerTable;
    for (uint32_t k = 0; k < checksumsUsed; ++k)
        table.checksums.push_back(DecodeChecksum(checksums + ChecksumRecord::kSize * k));
    if (table.LayoutEnd() > set.convertedSize)
        return std::nullopt;
    return table;
}

}  // namespace

size_t ConversionTable::LayoutEnd() const
{
    size_t end = 0;
    for (const FieldRecord& field : fields)
        if (field.count > 0)
            end = std::max(end, field.End());
    for (const ChecksumRecord& checksum : checksums)
        end = std::max({end, size_t{checksum.start} + checksum.length, size_t{checksum.crcOffset} + kCrcSize});
    return end;
}

const ConversionTable* ConversionTableSet::LastTable(uint32_t productCode, uint32_t memoryVersion) const
{
    const ConversionTable* found = nullptr;
    for (const ConversionTable& table : tables)
        if (table.productCode == productCode && table.memoryVersion == memoryVersion)
            found = &table;
    return found;
}

std::optional<ConversionTableSet> ParseConversionTableSet(std::span<const uint8_t> bytes)
{
    if (bytes.size() < ConversionTableSet::kHeaderSize || bytes.size() % kSetAlignment != 0 ||
        ReadLe32(bytes.data()) != FileMagic)
        return std::nullopt;
    ConversionTableSet set;
    const uint32_t tableCount = ReadLe32(bytes.data() + 8);
    set.fieldsPerTable = ReadLe32(bytes.data() + 12);
    set.checksumsPerTable = ReadLe32(bytes.data() + 16);
    set.convertedSize = ReadLe32(bytes.data() + 20);
    const uint64_t stride = ConversionTable::kHeaderSize + uint64_t{FieldRecord::kSize} * set.fieldsPerTable +
                            uint64_t{ChecksumRecord::kSize} * set.checksumsPerTable;
    for (uint64_t t = 0; t < tableCount; ++t) {
        const uint64_t start = ConversionTableSet::kHeaderSize + t * stride;
        if (start + stride > bytes.size())
            break;
        if (std::optional<ConversionTable> table = DecodeTable(bytes.data() + start, set))
            set.tables.push_back(std::move(*table));
    }
    return set;
}

}  // namespace skarnel
