// A conversion table set as the model conversion reads it, and a model record converted
// between every two of its tables. The set is read from outside when the application is
// given another one, so it is checked like any file.
// Input: the set's length (32-bit little-endian), the set, then the model record.
#include "base/byte_order.h"
#include "model/conversion_table_set.h"
#include "model/model_conversion.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

using namespace skarnel;

namespace {

constexpr size_t kLengthSize = 4;
// The model file conversion's room for a converted record.
constexpr size_t kConvertedRoom = 12288;
// Enough tables for every pair kind; more only repeat them.
constexpr size_t kTablesConverted = 6;

void ConvertBetweenTables(std::span<const uint8_t> set, std::span<const uint8_t> record)
{
    const std::optional<ConversionTableSet> parsed = ParseConversionTableSet(set);
    if (!parsed)
        return;
    const CModel_Conversion_Function conversion(set);
    const size_t count = std::min(parsed->tables.size(), kTablesConverted);
    std::vector<uint8_t> converted(kConvertedRoom);
    for (size_t from = 0; from < count; ++from) {
        const ConversionTable& source = parsed->tables[from];
        conversion.HasConversionTable(source.productCode, source.memoryVersion);
        for (size_t to = 0; to < count; ++to) {
            const ConversionTable& target = parsed->tables[to];
            std::fill(converted.begin(), converted.end(), 0xFF);
            size_t convertedSize = 0;
            ConversionReport report;
            conversion.ConvertModelRecord(record, converted, source.productCode, source.memoryVersion,
                                          target.productCode, target.memoryVersion, convertedSize, &report);
            DescribeConversionChanges(report);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kLengthSize)
        return 0;
    const std::span<const uint8_t> rest(data + kLengthSize, size - kLengthSize);
    const size_t setSize = std::min<size_t>(ReadLe32(data), rest.size());
    ConvertBetweenTables(rest.first(setSize), rest.subspan(setSize));
    CModel_Conversion_Function::CheckKt20Fit(rest.subspan(setSize));
    return 0;
}
