#pragma once

#include "model/conversion_report.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace skarnel {

// Converts model records between the layouts of the conversion table set. The set is read
// afresh for every operation; nothing is cached.
class CModel_Conversion_Function {
public:
    // Works with the set built into the application.
    CModel_Conversion_Function();
    explicit CModel_Conversion_Function(std::span<const uint8_t> tableSet);

    bool HasConversionTable(uint32_t productCode, uint32_t memoryVersion) const;
    bool HasConversionPair(uint32_t codeA, uint32_t versionA, uint32_t codeB, uint32_t versionB) const;
    // Moves every field of source into its place in target (which the caller has filled),
    // with the target's default where a field is absent or out of range, then stores the
    // target's CRCs. convertedSize is the set's converted record size. False, with the reason
    // in the report, when a table is missing or a record does not fit its data.
    bool ConvertModelRecord(std::span<const uint8_t> source, std::span<uint8_t> target, uint32_t sourceCode,
                            uint32_t sourceVersion, uint32_t targetCode, uint32_t targetVersion, size_t& convertedSize,
                            ConversionReport* report = nullptr) const;
    // Whether a KT40 model's wing, tail and flap set-up fits the KT20's channels.
    static bool CheckKt20Fit(std::span<const uint8_t> modelData);

private:
    std::span<const uint8_t> tableSet_;
};

}  // namespace skarnel
