#include "tools/gang_merge.h"

#include "firmware/binary_file.h"
#include "base/format.h"
#include "tools/target_write.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace skarnel {
namespace {

constexpr TargetTexts kGangTargetTexts{"Target File Create Fail", "Target File Write Fail", "Gang File Create Success"};

struct GangPart {
    const std::string& path;
    uint32_t area;
    const char* openFailureText;
    const char* readFailureText;
    InputFile file;
};

int AsInt(uint64_t value)
{
    return static_cast<int>(std::min<uint64_t>(value, INT_MAX));
}

// The overflow box of a part, when its file is longer than its area.
std::string OverflowText(size_t part, const GangPart& gang, uint64_t fileLength)
{
    const char* path = gang.path.c_str();
    const int area = AsInt(gang.area);
    const int length = AsInt(fileLength);
    switch (part) {
    case 0:
        return Format("ST Bootloader Size Overflow \n\r \n\rFile Name : %s \n\r\n\rMax Size  : %d \n\rFile Size : %d",
                      path, area, length);
    case 1:
        return Format("QV Bootloader Size Overflow \n\r \n\rFile Name : %s \n\r\n\rMax Size  : %d \n\rFile Size : %d",
                      path, area, length);
    default:
        return Format("Application Size Overflow \n\r \n\rFile Name : %s \n\r\n\rMax Size  : %d \n\rFile Size : %d",
                      path, area, length);
    }
}

// Reads a part no further than one byte past its area, so that a file that has grown since
// its size was checked is neither taken whole nor lets the filler below go negative. The
// failure, if any.
std::optional<JobOutcome> ReadPart(size_t index, const GangPart& part, std::vector<uint8_t>& bytes)
{
    bytes.resize(size_t{part.area} + 1);
    bytes.resize(part.file.ReadAt(0, bytes.data(), bytes.size()));
    if (bytes.size() > part.area)
        return JobOutcome::Failure(OverflowText(index, part, std::max<uint64_t>(part.file.Length(), bytes.size())));
    if (bytes.size() != part.file.Length())
        return JobOutcome::Failure(part.readFailureText);
    return std::nullopt;
}

}  // namespace

std::optional<size_t> FindGangModel(const std::string& name)
{
    for (size_t i = 0; i < kGangModels.size(); ++i)
        if (name == kGangModels[i].name)
            return i;
    return std::nullopt;
}

JobOutcome MergeGangFile(const GangRequest& request)
{
    if (request.stBootPath.empty() || request.qvBootPath.empty() || request.appPath.empty() ||
        request.targetPath.empty())
        return JobOutcome::Failure("File Not Selected");
    const GangModel& model = kGangModels.at(std::min(request.model, kGangModels.size() - 1));
    std::array<GangPart, 3> parts{{
        {request.stBootPath, kGangStBootArea, "ST Bootloader File Open Fail", "ST Bootloader Read Fail", {}},
        {request.qvBootPath, kGangQvBootArea, "QV Bootloader File Open Fail", "QV Bootloader Read Fail", {}},
        {request.appPath, model.LargestApplication(), "Application File Open Fail", "Application Read Fail", {}},
    }};
    for (GangPart& part : parts)
        if (!part.file.Open(part.path))
            return JobOutcome::Failure(part.openFailureText, part.path + ": " + part.file.OpenFailureReason());
    for (size_t i = 0; i < parts.size(); ++i)
        if (parts[i].file.Length() > parts[i].area)
            return JobOutcome::Failure(OverflowText(i, parts[i], parts[i].file.Length()));

    std::vector<uint8_t> image;
    for (size_t i = 0; i < parts.size(); ++i) {
        std::vector<uint8_t> bytes;
        if (std::optional<JobOutcome> failure = ReadPart(i, parts[i], bytes))
            return *failure;
        image.insert(image.end(), bytes.begin(), bytes.end());
        if (i + 1 < parts.size())
            image.resize(image.size() + parts[i].area - bytes.size(), 0xFF);
    }
    return WriteTarget(request.targetPath, image, kGangTargetTexts);
}

}  // namespace skarnel
