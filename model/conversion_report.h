#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skarnel {

// A value a conversion did not keep: what the source held and what was written instead.
struct FieldChange {
    enum class Reason { AbsentInSource, AbsentInTarget, OutOfRange };

    int record = 0;
    int element = 0;
    int elements = 1;
    int64_t value = 0;
    int64_t replacement = 0;
    int minimum = 0;
    int maximum = 0;
    Reason reason = Reason::OutOfRange;
};

struct ConversionReport {
    std::string failure;  // why the conversion was refused
    std::vector<FieldChange> changes;
};

// One readable line per change, e.g. "Field 2 timer_1_switch: 9 -> 0 (out of range 0..5)".
std::vector<std::string> DescribeConversionChanges(const ConversionReport& report);

}  // namespace skarnel
