#include "fuzz/sessions/sessions.h"
#include "fuzz/support/scratch_folder.h"
#include "link/download_function.h"
#include "voice/voice_bundle.h"
#include "voice/voice_codes.h"
#include "voice/voice_jobs.h"

namespace skarnel::fuzz {
namespace {

constexpr ScriptedCommand kCommands[] = {
    {kGroupRfProcess, 0x31},  // RF pause
    {kGroupVoiceFlash, kCodeVoiceFlashInfo},
    {kGroupVoiceFlash, kCodeVoiceFileInfoRead},
    {kGroupVoiceFlash, kCodeVoiceDataRead},
};

void Run(CDownload_Function& link)
{
    const std::filesystem::path folder = FreshFolder("voices");
    std::vector<std::filesystem::path> written;
    BackupVoiceFiles(link, folder, StopRequest{}, written);
    for (const std::filesystem::path& path : written)
        CheckInsideFolder(folder, path);
}

}  // namespace

const Session kVoiceBackupSession{kCommands, Run};

}  // namespace skarnel::fuzz
