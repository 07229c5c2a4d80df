#include "model/conversion_report.h"

#include "base/format.h"
#include "model/conversion_table_data.h"

namespace skarnel {
namespace {

std::string FieldLabel(const FieldChange& change)
{
    const auto names = ConversionFieldNames();
    const auto record = static_cast<size_t>(change.record);
    const char* name = change.record >= 0 && record < names.size() ? names[record] : "";
    std::string label = Format("Field %d %s", change.record, name);
    if (change.elements > 1)
        label += Format("[%d]", change.element);
    return label;
}

std::string ReasonText(const FieldChange& change)
{
    switch (change.reason) {
    case FieldChange::Reason::AbsentInSource: return "absent in the source layout";
    case FieldChange::Reason::AbsentInTarget: return "absent in the target layout";
    case FieldChange::Reason::OutOfRange: break;
    }
    return Format("out of range %d..%d", change.minimum, change.maximum);
}

}  // namespace

std::vector<std::string> DescribeConversionChanges(const ConversionReport& report)
{
    std::vector<std::string> lines;
    for (const FieldChange& change : report.changes) {
        const std::string label = FieldLabel(change);
        if (change.reason == FieldChange::Reason::AbsentInSource)
            lines.push_back(Format("%s: default %lld written (%s)", label.c_str(),
                                   static_cast<long long>(change.replacement), ReasonText(change).c_str()));
        else
            lines.push_back(Format("%s: %lld -> %lld (%s)", label.c_str(), static_cast<long long>(change.value),
                                   static_cast<long long>(change.replacement), ReasonText(change).c_str()));
    }
    return lines;
}

}  // namespace skarnel
