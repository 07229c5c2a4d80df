#include "base/job.h"
#include "fuzz/sessions/sessions.h"
#include "fuzz/support/scratch_folder.h"
#include "link/download_function.h"
#include "sdcard/sd_codes.h"
#include "sdcard/sd_entry.h"
#include "sdcard/sd_procedures.h"

namespace skarnel::fuzz {
namespace {

constexpr ScriptedCommand kCommands[] = {
    {kGroupSdLogging, kSdCodeLogStop}, {kGroupSdFiles, kSdCodeDiskInit},      {kGroupSdFiles, kSdCodeShowDrive},
    {kGroupSdFiles, kSdCodeFileOpen},  {kGroupSdFiles, kSdCodeFileClose},     {kGroupSdFiles, kSdCodeFileRead},
    {kGroupSdFiles, kSdCodeNextEntry}, {kGroupSdFiles, kSdCodeDirectoryOpen}, {kGroupSdFiles, kSdCodeFileStatus},
};
constexpr const char* kRoot = "/";

// The root's file rows as the view shows them; the names a copy to copyFolder would take.
std::vector<std::string> ListedFiles(CDownload_Function& link, const std::filesystem::path& copyFolder)
{
    std::vector<SdEntry> entries;
    uint8_t result = kSdResultNone;
    ListSdFolder(link, kRoot, entries, result);
    FatResultText(result);
    ReadSdFileSizes(link, kRoot, entries);
    std::vector<std::string> names;
    for (const SdEntry& entry : SdFileRows(kRoot, entries)) {
        GroupedSizeText(entry.size.value_or(0));
        SdChildPath(kRoot, entry.name);
        if (IsPcSafeName(entry.name))
            CheckInsideFolder(copyFolder, copyFolder / entry.name);
        names.push_back(entry.name);
    }
    return names;
}

void Run(CDownload_Function& link)
{
    uint32_t totalKbyte = 0;
    uint32_t freeKbyte = 0;
    if (!StartSdCard(link, totalKbyte, freeKbyte).empty())
        return;
    DiskSpaceText(totalKbyte, freeKbyte);
    UsedPercent(totalKbyte, freeKbyte);
    const StopRequest stopRequest;
    const std::filesystem::path copyFolder = FreshFolder("card");
    CopySdToPc(link, kRoot, ListedFiles(link, copyFolder), copyFolder, stopRequest);
}

}  // namespace

const Session kCardSession{kCommands, Run};

}  // namespace skarnel::fuzz
