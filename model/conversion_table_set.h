#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace skarnel {

// One field of a model record layout; record k of every table describes the same field.
struct FieldRecord {
    static constexpr size_t kSize = 16;

    uint16_t number = 0;
    uint8_t size = 0;  // bytes per element: 1, 2 or 4
    uint8_t isSigned = 0;
    uint16_t offset = 0;
    uint8_t count = 0;
    uint8_t present = 0;
    int16_t minimum = 0;
    int16_t maximum = 0;
    uint32_t defaultValue = 0;

    size_t End() const { return offset + size_t{size} * count; }
    bool HasRange() const { return minimum != 0 || maximum != 0; }
};

// A byte range of a model record and where its CRC-16 is stored.
struct ChecksumRecord {
    static constexpr size_t kSize = 16;

    uint8_t number = 0;
    uint16_t start = 0;
    uint16_t length = 0;
    uint16_t crcOffset = 0;
};

// The layout of a model record for one product and memory version.
struct ConversionTable {
    static constexpr size_t kHeaderSize = 32;

    uint8_t number = 0;
    uint32_t productCode = 0;
    uint32_t memoryVersion = 0;
    std::string productName;
    std::vector<FieldRecord> fields;  // the records in use
    std::vector<ChecksumRecord> checksums;

    // The end of the furthest field with elements, or of the furthest CRC.
    size_t LayoutEnd() const;
};

struct ConversionTableSet {
    static constexpr size_t kHeaderSize = 32;

    uint32_t fieldsPerTable = 0;
    uint32_t checksumsPerTable = 0;
    uint32_t convertedSize = 0;
    std::vector<ConversionTable> tables;

    // The last table for that product and memory version, as the conversion picks it.
    const ConversionTable* LastTable(uint32_t productCode, uint32_t memoryVersion) const;
};

// Reads a set. Nothing when the bytes are no set (missing, not a multiple of 16 bytes, another
// magic). A table is left out when it claims more records than the set gives it room for, or
// when one of its fields or CRCs reaches past the converted record.
std::optional<ConversionTableSet> ParseConversionTableSet(std::span<const uint8_t> bytes);

}  // namespace skarnel
