#include "base/byte_order.h"
#include "model/conversion_table_data.h"
#include "model/conversion_table_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace skarnel {
namespace {

constexpr uint32_t kKt40 = 16003300;
constexpr uint32_t kKt20 = 16003600;
constexpr size_t kStride = 32 + 16 * 368 + 16 * 14;

const ConversionTableSet& Shipped()
{
    static const ConversionTableSet set = *ParseConversionTableSet(EmbeddedConversionTableSet());
    return set;
}

// The raw 16 bytes of field record k of table t.
std::vector<uint8_t> RawRecord(size_t t, size_t k)
{
    const auto bytes = EmbeddedConversionTableSet();
    const auto start = bytes.begin() + static_cast<std::ptrdiff_t>(32 + t * kStride + 32 + 16 * k);
    return {start, start + 16};
}

TEST(ShippedTableSet, HeaderGivesFourTablesOf368FieldsAnd14Checksums)
{
    const auto bytes = EmbeddedConversionTableSet();
    EXPECT_EQ(bytes.size() % 16, 0u);
    EXPECT_EQ(bytes.size(), 32 + 4 * kStride);
    EXPECT_EQ(ReadLe32(bytes.data()), 0x005F12CDu);
    EXPECT_EQ(ReadLe32(bytes.data() + 4), 1u);
    EXPECT_EQ(ReadLe32(bytes.data() + 8), 4u);
    EXPECT_EQ(Shipped().fieldsPerTable, 368u);
    EXPECT_EQ(Shipped().checksumsPerTable, 14u);
    EXPECT_EQ(Shipped().convertedSize, 4096u);
    EXPECT_EQ(ConversionFieldNames().size(), 368u);
}

struct TableFacts {
    uint32_t product;
    uint32_t version;
    const char* name;
    int present;
};

class ShippedTables : public testing::TestWithParam<std::pair<size_t, TableFacts>> {};

TEST_P(ShippedTables, HeaderAndCountsOfEachTable)
{
    const auto& [index, facts] = GetParam();
    ASSERT_EQ(Shipped().tables.size(), 4u);
    const ConversionTable& table = Shipped().tables[index];
    EXPECT_EQ(table.number, index);
    EXPECT_EQ(table.productCode, facts.product);
    EXPECT_EQ(table.memoryVersion, facts.version);
    EXPECT_EQ(table.productName, facts.name);
    ASSERT_EQ(table.fields.size(), 368u);
    EXPECT_EQ(table.checksums.size(), 14u);
    auto count = [&](auto predicate) { return std::count_if(table.fields.begin(), table.fields.end(), predicate); };
    EXPECT_EQ(count([](const FieldRecord& f) { return f.present != 0; }), facts.present);
    EXPECT_EQ(count([](const FieldRecord& f) { return f.size == 1; }), 323);
    EXPECT_EQ(count([](const FieldRecord& f) { return f.size == 2; }), 41);
    EXPECT_EQ(count([](const FieldRecord& f) { return f.size == 4; }), 4);
    std::set<int> counts;
    for (const FieldRecord& field : table.fields)
        counts.insert(field.count);
    EXPECT_EQ(counts, (std::set<int>{0, 1, 2, 5, 8}));
    for (size_t k = 0; k < table.fields.size(); ++k)
        EXPECT_EQ(table.fields[k].number, k);
}

INSTANTIATE_TEST_SUITE_P(Set, ShippedTables,
                         testing::Values(std::pair<size_t, TableFacts>{0, {kKt20, 1000, "KT20", 279}},
                                         std::pair<size_t, TableFacts>{1, {kKt40, 1000, "KT40", 339}},
                                         std::pair<size_t, TableFacts>{2, {kKt20, 1001, "KT20", 284}},
                                         std::pair<size_t, TableFacts>{3, {kKt40, 1001, "KT40", 345}}));

// The last field of each layout ends where the last section's CRC starts; the CRC ends the
// record at 481 (version 1000) or 497 (version 1001).
TEST(ShippedTableSet, LayoutsEndAt481And497)
{
    for (const ConversionTable& table : Shipped().tables) {
        size_t fieldsEnd = 0;
        for (const FieldRecord& field : table.fields)
            if (field.count > 0)
                fieldsEnd = std::max(fieldsEnd, field.End());
        const size_t end = table.memoryVersion == 1000 ? 481 : 497;
        EXPECT_EQ(table.LayoutEnd(), end);
        EXPECT_EQ(fieldsEnd, end - 2);
    }
}

TEST(ShippedTableSet, FieldsFillTheirSectionsWithoutOverlappingEachOtherOrACrc)
{
    for (const ConversionTable& table : Shipped().tables) {
        std::vector<int> owner(4096, -1);
        for (const FieldRecord& field : table.fields)
            for (size_t at = field.offset; at < field.End(); ++at) {
                EXPECT_EQ(owner[at], -1) << "record " << field.number << " overlaps " << owner[at];
                owner[at] = field.number;
            }
        for (const ChecksumRecord& checksum : table.checksums) {
            for (size_t at = checksum.start; at < size_t{checksum.start} + checksum.length; ++at)
                EXPECT_GE(owner[at], 0) << "byte " << at << " of range " << int{checksum.number};
            EXPECT_EQ(owner[checksum.crcOffset], -1);
            EXPECT_EQ(owner[checksum.crcOffset + 1], -1);
        }
    }
}

TEST(ShippedTableSet, ProductsDifferIn79RecordsMostlyPresenceAndMaximum)
{
    for (const auto& [kt20, kt40] : {std::pair<size_t, size_t>{0, 1}, std::pair<size_t, size_t>{2, 3}}) {
        int differing = 0;
        int presenceOrMaximum = 0;
        for (size_t k = 0; k < 368; ++k) {
            if (RawRecord(kt20, k) == RawRecord(kt40, k))
                continue;
            ++differing;
            const FieldRecord& a = Shipped().tables[kt20].fields[k];
            const FieldRecord& b = Shipped().tables[kt40].fields[k];
            presenceOrMaximum += a.present != b.present || a.maximum != b.maximum;
        }
        EXPECT_EQ(differing, 79);
        EXPECT_EQ(presenceOrMaximum, 79);
    }
}

TEST(ShippedTableSet, MemoryVersionsDifferExactlyInRecords344To367)
{
    for (const auto& [v1000, v1001] : {std::pair<size_t, size_t>{0, 2}, std::pair<size_t, size_t>{1, 3}}) {
        std::vector<size_t> differing;
        for (size_t k = 0; k < 368; ++k)
            if (RawRecord(v1000, k) != RawRecord(v1001, k))
                differing.push_back(k);
        ASSERT_EQ(differing.size(), 24u);
        EXPECT_EQ(differing.front(), 344u);
        EXPECT_EQ(differing.back(), 367u);
        for (size_t k = 346; k < 368; ++k)
            EXPECT_EQ(Shipped().tables[v1001].fields[k].offset, Shipped().tables[v1000].fields[k].offset + 2) << k;
    }
}

TEST(ShippedTableSet, Record0IsTheSameEverywhere)
{
    for (const ConversionTable& table : Shipped().tables) {
        const FieldRecord& field = table.fields[0];
        EXPECT_EQ(field.size, 2);
        EXPECT_EQ(field.isSigned, 0);
        EXPECT_EQ(field.offset, 0);
        EXPECT_EQ(field.count, 1);
        EXPECT_EQ(field.minimum, 0);
        EXPECT_EQ(field.maximum, 180);
        EXPECT_EQ(field.defaultValue, 0u);
    }
    EXPECT_EQ(RawRecord(0, 0), RawRecord(3, 0));
}

TEST(ShippedTableSet, Records2And8DifferByProduct)
{
    for (const ConversionTable& table : Shipped().tables) {
        const bool kt40 = table.productCode == kKt40;
        const FieldRecord& switchField = table.fields[2];
        EXPECT_EQ(switchField.size, 1);
        EXPECT_EQ(switchField.offset, 3);
        EXPECT_EQ(switchField.maximum, kt40 ? 7 : 5);
        EXPECT_EQ(switchField.defaultValue, 0u);
        const FieldRecord& trainer = table.fields[8];
        EXPECT_EQ(trainer.size, 1);
        EXPECT_EQ(trainer.offset, 9);
        EXPECT_EQ(trainer.present, kt40 ? 1 : 0);
        EXPECT_EQ(trainer.defaultValue, 6u);
        if (kt40) {
            EXPECT_EQ(trainer.minimum, 0);
            EXPECT_EQ(trainer.maximum, 7);
        }
    }
}

TEST(ShippedTableSet, Version1001AddsRecords344And345AndMoves347)
{
    for (const ConversionTable& table : Shipped().tables) {
        const bool later = table.memoryVersion == 1001;
        for (size_t k : {344u, 345u}) {
            const FieldRecord& field = table.fields[k];
            EXPECT_EQ(field.size, 1);
            EXPECT_EQ(field.defaultValue, 255u);
            EXPECT_EQ(field.count, later ? 1 : 0);
            EXPECT_EQ(field.offset, k == 344 ? 420 : 421);
        }
        const FieldRecord& positions = table.fields[347];
        EXPECT_EQ(positions.size, 1);
        EXPECT_EQ(positions.count, 8);
        EXPECT_EQ(positions.minimum, 1);
        EXPECT_EQ(positions.maximum, 3);
        EXPECT_EQ(positions.defaultValue, 2u);
        EXPECT_EQ(positions.offset, later ? 424 : 422);
    }
}

TEST(ShippedTableSet, ChecksumRangesAreExactlyThoseOfEachVersion)
{
    using Range = std::tuple<int, int, int>;
    const std::vector<Range> v1000{{0, 33, 33},     {35, 10, 45},   {47, 48, 95},   {97, 30, 127}, {129, 22, 151},
                                   {153, 132, 285}, {287, 32, 319}, {321, 16, 337}, {339, 3, 342}, {344, 14, 358},
                                   {360, 60, 420},  {422, 28, 450}, {452, 19, 471}, {473, 6, 479}};
    std::vector<Range> v1001 = v1000;
    v1001[10] = {360, 62, 422};
    v1001[11] = {424, 28, 452};
    v1001[12] = {454, 19, 473};
    v1001[13] = {475, 20, 495};
    for (const ConversionTable& table : Shipped().tables) {
        std::vector<Range> ranges;
        for (size_t k = 0; k < table.checksums.size(); ++k) {
            const ChecksumRecord& checksum = table.checksums[k];
            EXPECT_EQ(checksum.number, k);
            ranges.emplace_back(checksum.start, checksum.length, checksum.crcOffset);
        }
        EXPECT_EQ(ranges, table.memoryVersion == 1000 ? v1000 : v1001);
    }
}

}  // namespace
}  // namespace skarnel
