#include "tools/firmware_merge.h"

#include "firmware/binary_file.h"
#include "firmware/firmware_file.h"
#include "firmware/scrambler.h"
#include "tools/extension_rules.h"
#include "tools/target_write.h"

#include <vector>

namespace skarnel {
namespace {

// The merge says nothing when its target cannot be created; the Y-Modem convert never speaks.
constexpr TargetTexts kMergeTargetTexts{"", "Target File Write Fail", "File Merge Complete"};
constexpr TargetTexts kYModemTargetTexts{"", "", ""};

struct MergeInput {
    bool included = false;
    InputFile file;
    std::vector<uint8_t> bytes;
};

// Opens an included image; the failure text when it cannot be opened.
bool OpenInput(MergeInput& input, const std::string& path, const char* failureText, MergeResult& result)
{
    if (!input.included || input.file.Open(path))
        return true;
    result = {JobOutcome::Failure(failureText, path + ": " + input.file.OpenFailureReason()), {}};
    return false;
}

bool ReadInput(MergeInput& input, const char* failureText, MergeResult& result)
{
    if (!input.included || input.file.ReadAll(input.bytes))
        return true;
    static_cast<JobOutcome&>(result) = JobOutcome::Failure(failureText);
    return false;
}

void AppendScrambled(std::vector<uint8_t>& out, std::vector<uint8_t> image)
{
    ScrambleImage(image.data(), image.size());
    out.insert(out.end(), image.begin(), image.end());
}

std::vector<uint8_t> UpgradeFileBytes(const MergeInput& app, const MergeInput& boot, const MergeInput& stBoot)
{
    const auto header =
        FirmwareFileHeader::ForImages(static_cast<uint32_t>(app.bytes.size()), static_cast<uint32_t>(boot.bytes.size()),
                                      static_cast<uint32_t>(stBoot.bytes.size()), boot.included);
    const auto headerBytes = header.Encode();
    std::vector<uint8_t> out(headerBytes.begin(), headerBytes.end());
    AppendScrambled(out, app.bytes);
    AppendScrambled(out, boot.bytes);
    AppendScrambled(out, stBoot.bytes);
    return out;
}

}  // namespace

MergeResult MergeFirmwareFile(const MergeRequest& request)
{
    MergeInput app, boot, stBoot;
    app.included = true;
    stBoot.included = request.stBootUse;
    if (request.appPath.empty())
        return {JobOutcome::Failure("App File Not Selected"), {}};
    if (request.bootUse && request.bootPath.empty())
        return {JobOutcome::Failure("Boot File Not Selected"), {}};
    boot.included = request.bootUse;
    if (request.targetPath.empty())
        return {JobOutcome::Failure("Target File Name Not Selected"), {}};

    MergeResult result;
    if (!OpenInput(app, request.appPath, "App File Open Fail", result) ||
        !OpenInput(boot, request.bootPath, "Boot File Open Fail", result) ||
        !OpenInput(stBoot, request.stBootPath, "ST Boot File Open Fail", result))
        return result;
    result.targetPath = ApplyTargetExtensionRule(request.targetPath);
    if (!ReadInput(app, "App File Open Fail", result) || !ReadInput(boot, "Boot File Open Fail", result) ||
        !ReadInput(stBoot, "ST Boot File Open Fail", result))
        return result;

    static_cast<JobOutcome&>(result) =
        WriteTarget(result.targetPath, UpgradeFileBytes(app, boot, stBoot), kMergeTargetTexts);
    return result;
}

JobOutcome ConvertYModemFile(const std::string& sourcePath, const std::string& targetPath)
{
    InputFile source;
    if (!source.Open(sourcePath))
        return JobOutcome::Failure({}, sourcePath + ": " + source.OpenFailureReason());
    std::vector<uint8_t> bytes;
    if (!source.ReadAll(bytes))
        return JobOutcome::Failure({}, sourcePath + ": cannot be read whole");
    source.Close();
    ScrambleImage(bytes.data(), bytes.size());
    return WriteTarget(targetPath, bytes, kYModemTargetTexts);
}

}  // namespace skarnel
