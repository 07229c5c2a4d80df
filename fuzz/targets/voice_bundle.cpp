// A voice bundle (.vdf) as its check and the bundle download read it, and the voice file
// information records of its info table as the file list and the backup use them.
#include "fuzz/support/agreeing_reporter.h"
#include "fuzz/support/scratch_folder.h"
#include "voice/voice_bundle.h"
#include "voice/voice_jobs.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace skarnel;

namespace {

// The version the simulated controller reports, which the seed bundles carry.
constexpr uint32_t kControllerVersion = 2;

void UseRecords(const VoiceBundle& bundle)
{
    std::vector<std::filesystem::path> written;
    for (const VoiceFileInfo& record : bundle.Records()) {
        if (!record.IsValid())
            break;
        record.Name();
        written.push_back(VoiceBackupPath(fuzz::ScratchFolder(), record, written));
        fuzz::CheckInsideFolder(fuzz::ScratchFolder(), written.back());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path path = fuzz::WriteInputFile("voice.vdf", data, size);
    fuzz::AgreeingReporter window;
    for (const bool readData : {false, true}) {
        VoiceBundle bundle;
        std::string failText;
        if (!CheckVoiceBundle(path, kControllerVersion, readData, window, bundle, failText))
            return 0;
        UseRecords(bundle);
        for (const VoiceModel& model : kVoiceModels)
            BundleFitsFlash(bundle.header, model.flashSize);
    }
    return 0;
}
