#include "model/model_conversion.h"

#include "base/byte_order.h"
#include "base/format.h"
#include "link/frame.h"
#include "model/conversion_table_data.h"
#include "model/conversion_table_set.h"

#include <algorithm>
#include <array>

namespace skarnel {
namespace {

int64_t ReadElement(const uint8_t* p, uint8_t size, bool isSigned)
{
    switch (size) {
    case 1: return isSigned ? int64_t{static_cast<int8_t>(p[0])} : int64_t{p[0]};
    case 2: return isSigned ? int64_t{static_cast<int16_t>(ReadLe16(p))} : int64_t{ReadLe16(p)};
    default: return static_cast<int32_t>(ReadLe32(p));
    }
}

void WriteElement(uint8_t* p, uint8_t size, uint32_t value)
{
    switch (size) {
    case 1: p[0] = static_cast<uint8_t>(value); break;
    case 2: WriteLe16(p, static_cast<uint16_t>(value)); break;
    default: WriteLe32(p, value); break;
    }
}

// The default as an element of that size reads it: the low byte or 16 bits, or all 32.
int64_t DefaultAsRead(const FieldRecord& target, uint8_t size, bool isSigned)
{
    std::array<uint8_t, 4> bytes{};
    WriteElement(bytes.data(), size, target.defaultValue);
    return ReadElement(bytes.data(), size, isSigned);
}

bool IsElementSize(uint8_t size)
{
    return size == 1 || size == 2 || size == 4;
}

// Where the field pair reads and writes: the source's element size, each side's own stride.
bool PairFits(const FieldRecord& s, const FieldRecord& d, size_t count, size_t sourceSize, size_t targetSize)
{
    if (count == 0 || !IsElementSize(s.size))
        return true;
    const size_t sourceEnd = s.offset + (count - 1) * s.size + s.size;
    const size_t targetEnd = d.offset + (count - 1) * size_t{d.size} + s.size;
    return sourceEnd <= sourceSize && targetEnd <= targetSize;
}

void ReportChange(ConversionReport* report, const FieldRecord& s, const FieldRecord& d, size_t element, size_t count,
                  int64_t value, FieldChange::Reason reason)
{
    if (!report)
        return;
    const int64_t replacement = DefaultAsRead(d, s.size, s.isSigned != 0 || s.size == 4);
    if (reason == FieldChange::Reason::AbsentInTarget && value == replacement)
        return;
    report->changes.push_back({s.number, static_cast<int>(element), static_cast<int>(count), value, replacement,
                               d.minimum, d.maximum, reason});
}

void ConvertField(const FieldRecord& s, const FieldRecord& d, size_t count, const uint8_t* source, uint8_t* target,
                  ConversionReport* report)
{
    if (!IsElementSize(s.size))
        return;
    const bool sourcePresent = s.present != 0;
    const bool targetPresent = d.present != 0;
    const bool isSigned = s.isSigned != 0 || s.size == 4;
    for (size_t e = 0; e < count; ++e) {
        const uint8_t* from = source + s.offset + e * s.size;
        uint8_t* to = target + d.offset + e * d.size;
        if (!sourcePresent || !targetPresent) {
            WriteElement(to, s.size, d.defaultValue);
            if (sourcePresent != targetPresent)
                ReportChange(report, s, d, e, count, sourcePresent ? ReadElement(from, s.size, isSigned) : 0,
                             sourcePresent ? FieldChange::Reason::AbsentInTarget : FieldChange::Reason::AbsentInSource);
            continue;
        }
        const int64_t value = ReadElement(from, s.size, isSigned);
        if (d.HasRange() && (value < d.minimum || value > d.maximum)) {
            WriteElement(to, s.size, d.defaultValue);
            ReportChange(report, s, d, e, count, value, FieldChange::Reason::OutOfRange);
        } else {
            WriteElement(to, s.size, static_cast<uint32_t>(value));
        }
    }
}

bool Refuse(ConversionReport* report, std::string reason)
{
    if (report)
        report->failure = std::move(reason);
    return false;
}

}  // namespace

CModel_Conversion_Function::CModel_Conversion_Function() : tableSet_(EmbeddedConversionTableSet()) {}

CModel_Conversion_Function::CModel_Conversion_Function(std::span<const uint8_t> tableSet) : tableSet_(tableSet) {}

bool CModel_Conversion_Function::HasConversionTable(uint32_t productCode, uint32_t memoryVersion) const
{
    const std::optional<ConversionTableSet> set = ParseConversionTableSet(tableSet_);
    return set && set->LastTable(productCode, memoryVersion) != nullptr;
}

bool CModel_Conversion_Function::HasConversionPair(uint32_t codeA, uint32_t versionA, uint32_t codeB,
                                                   uint32_t versionB) const
{
    const std::optional<ConversionTableSet> set = ParseConversionTableSet(tableSet_);
    return set && set->LastTable(codeA, versionA) && set->LastTable(codeB, versionB);
}

bool CModel_Conversion_Function::ConvertModelRecord(std::span<const uint8_t> source, std::span<uint8_t> target,
                                                    uint32_t sourceCode, uint32_t sourceVersion, uint32_t targetCode,
                                                    uint32_t targetVersion, size_t& convertedSize,
                                                    ConversionReport* report) const
{
    const std::optional<ConversionTableSet> set = ParseConversionTableSet(tableSet_);
    const ConversionTable* from = set ? set->LastTable(sourceCode, sourceVersion) : nullptr;
    const ConversionTable* to = set ? set->LastTable(targetCode, targetVersion) : nullptr;
    if (!from)
        return Refuse(report,
                      Format("No conversion table for product %u, memory version %u", sourceCode, sourceVersion));
    if (!to)
        return Refuse(report,
                      Format("No conversion table for product %u, memory version %u", targetCode, targetVersion));
    convertedSize = set->convertedSize;
    if (target.size() < convertedSize)
        return Refuse(report,
                      Format("The target holds %zu bytes, a converted record %zu", target.size(), convertedSize));
    const size_t fields = std::min(from->fields.size(), to->fields.size());
    for (size_t k = 0; k < fields; ++k) {
        const FieldRecord& s = from->fields[k];
        const FieldRecord& d = to->fields[k];
        if (!PairFits(s, d, std::min(s.count, d.count), source.size(), convertedSize))
            return Refuse(report, Format("Field %zu reaches past the model data (%zu bytes)", k, source.size()));
    }
    for (size_t k = 0; k < fields; ++k) {
        const FieldRecord& s = from->fields[k];
        const FieldRecord& d = to->fields[k];
        ConvertField(s, d, std::min(s.count, d.count), source.data(), target.data(), report);
    }
    for (const ChecksumRecord& checksum : to->checksums)
        WriteLe16(target.data() + checksum.crcOffset, ComputeCrc16(target.data() + checksum.start, checksum.length));
    return true;
}

bool CModel_Conversion_Function::CheckKt20Fit(std::span<const uint8_t> modelData)
{
    constexpr size_t kWingType = 16;
    constexpr size_t kTailType = 17;
    constexpr size_t kFlapServos = 18;
    if (modelData.size() <= kFlapServos)
        return false;
    const uint8_t wing = modelData[kWingType];
    const uint8_t tail = modelData[kTailType];
    const uint8_t flaps = modelData[kFlapServos];
    if (wing <= 1) {
        if (tail == 0 || tail == 1 || tail == 3)
            return flaps <= 1;
        return tail == 2 && flaps == 1;
    }
    if (wing <= 3) {
        if (tail <= 1)
            return flaps <= 2;
        if (tail == 2)
            return flaps == 1 || flaps == 2;
        return tail == 3 && flaps <= 1;
    }
    return false;
}

}  // namespace skarnel
