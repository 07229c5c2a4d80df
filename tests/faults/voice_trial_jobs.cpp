#include "base/byte_order.h"
#include "sim/voice_flash_commands.h"
#include "tests/faults/trial_files.h"
#include "tests/faults/trial_jobs.h"
#include "tests/faults/trial_rig.h"
#include "tests/voice/voice_link.h"
#include "tests/voice/wave_fixtures.h"
#include "voice/sound_file.h"
#include "voice/voice_bundle.h"
#include "voice/voice_jobs.h"

namespace skarnel::test {
namespace {

constexpr uint32_t kFlashSize = 0x10000;
constexpr uint32_t kVoiceDataVersion = 2;

struct Sound {
    const char* name;
    uint32_t size;
};

constexpr Sound kStoredSounds[] = {{"hello", 3000}, {"bee", 700}, {"owl", 1500}};
constexpr Sound kSentSounds[] = {{"a", 3000}, {"bee", 5000}};

std::vector<uint8_t> Stream(const Sound& sound, size_t index)
{
    return PatternBytes(sound.size, static_cast<uint32_t>(index + 1));
}

// A flash that held other voices before: anything not erased before it is written stays wrong.
void FillWithOldVoices(sim::VoiceFlash& flash)
{
    flash.flashSize = kFlashSize;
    flash.bytes = PatternBytes(kFlashSize, 99);
}

// Sounds one after another from the data address, with their records in the info table.
struct VoiceSet {
    std::vector<uint8_t> info = std::vector<uint8_t>(kVoiceInfoTableSize, 0);
    std::vector<uint8_t> data;
    size_t slots = 0;

    void Add(const std::string& name, const std::vector<uint8_t>& stream)
    {
        const VoiceFileInfo record = StoredRecord(static_cast<uint16_t>(slots), static_cast<uint32_t>(stream.size()),
                                                  kVoiceDataAddress + static_cast<uint32_t>(data.size()), name);
        const auto bytes = record.Encode();
        std::copy(bytes.begin(), bytes.end(), info.begin() + static_cast<std::ptrdiff_t>(slots * VoiceFileInfo::kSize));
        data.insert(data.end(), stream.begin(), stream.end());
        ++slots;
    }
};

VoiceSet StoredSet()
{
    VoiceSet set;
    for (size_t i = 0; i < std::size(kStoredSounds); ++i)
        set.Add(kStoredSounds[i].name, Stream(kStoredSounds[i], i));
    WriteVersionSlot(set.info.data(), kVoiceDataVersion, kVoiceModels[0].modelCode);
    return set;
}

std::vector<uint8_t> BundleBytes(const VoiceSet& set)
{
    VoiceBundleHeader header;
    header.fileCount = static_cast<uint32_t>(set.slots);
    header.dataSize = static_cast<uint32_t>(set.data.size());
    header.voiceDataVersion = kVoiceDataVersion;
    header.modelCode = kVoiceModels[0].modelCode;
    const auto headerBytes = header.Encode();
    std::vector<uint8_t> bytes(headerBytes.begin(), headerBytes.end());
    bytes.insert(bytes.end(), set.info.begin(), set.info.end());
    bytes.insert(bytes.end(), set.data.begin(), set.data.end());
    return bytes;
}

bool FlashHolds(sim::VoiceFlash& flash, const VoiceSet& set)
{
    const std::vector<uint8_t>& memory = flash.Memory();
    return Slice(memory, 0, kVoiceInfoTableSize) == set.info &&
           Slice(memory, kVoiceDataAddress, set.data.size()) == set.data;
}

class VoiceBundleTrial final : public TrialJob {
public:
    void Prepare(TrialRig& rig) override
    {
        FillWithOldVoices(rig.state().voiceFlash);
        sim::InstallVoiceFlashCommands(rig.engine());
        path_ = rig.files.Write("set.vdf", BundleBytes(set_));
    }
    JobOutcome Run(TrialRig& rig) override { return DownloadVoiceBundle(rig.link, path_, stop_); }
    bool Delivered(TrialRig& rig) override { return FlashHolds(rig.state().voiceFlash, set_); }

private:
    VoiceSet set_ = StoredSet();
    std::string path_;
    StopRequest stop_;
};

// WAV files converted on the PC and sent; each conversion leaves its stream beside its source.
class VoiceSendTrial final : public TrialJob {
public:
    void Prepare(TrialRig& rig) override
    {
        FillWithOldVoices(rig.state().voiceFlash);
        sim::InstallVoiceFlashCommands(rig.engine());
        for (const Sound& sound : kSentSounds) {
            const std::string name = std::string(sound.name) + ".wav";
            const std::vector<uint8_t> wave = MonoWave(PatternBytes(4 * sound.size, sound.size));
            sounds_.push_back({rig.files.Write(name, wave), name, wave.size(), 11025});
        }
    }
    JobOutcome Run(TrialRig& rig) override
    {
        return SendVoiceSounds(rig.link, sounds_, kVoiceDataVersion, kVoiceModels[0], stop_);
    }
    bool Delivered(TrialRig& rig) override
    {
        VoiceSet converted;
        for (size_t i = 0; i < sounds_.size(); ++i)
            converted.Add(kSentSounds[i].name, ReadBytes(sounds_[i].path.string() + ".bin"));
        WriteVersionSlot(converted.info.data(), kVoiceDataVersion, kVoiceModels[0].modelCode);
        return FlashHolds(rig.state().voiceFlash, converted);
    }

private:
    std::vector<VoiceSource> sounds_;
    StopRequest stop_;
};

// Every stored sound into "<name>.apm", as written beside the trial by the sound file writer.
class VoiceBackupTrial final : public TrialJob {
public:
    void Prepare(TrialRig& rig) override
    {
        sim::VoiceFlash& flash = rig.state().voiceFlash;
        FillWithOldVoices(flash);
        const VoiceSet set = StoredSet();
        std::copy(set.info.begin(), set.info.end(), flash.bytes.begin());
        std::copy(set.data.begin(), set.data.end(), flash.bytes.begin() + kVoiceDataAddress);
        sim::InstallVoiceFlashCommands(rig.engine());
        folder_ = rig.files.Root() / "backup";
        expected_ = rig.files.Root() / "expected";
        std::filesystem::create_directory(folder_);
        std::filesystem::create_directory(expected_);
        for (size_t i = 0; i < std::size(kStoredSounds); ++i)
            WriteApmFile(expected_ / (std::string(kStoredSounds[i].name) + ".apm"), 11025, Stream(kStoredSounds[i], i));
    }
    JobOutcome Run(TrialRig& rig) override
    {
        std::vector<std::filesystem::path> written;
        return BackupVoiceFiles(rig.link, folder_, stop_, written);
    }
    bool Delivered(TrialRig&) override { return ReadFolder(folder_) == ReadFolder(expected_); }

private:
    std::filesystem::path folder_;
    std::filesystem::path expected_;
    StopRequest stop_;
};

}  // namespace

std::vector<TrialJobKind> VoiceTrialJobs()
{
    return {{"voice bundle download", [] { return std::make_unique<VoiceBundleTrial>(); }},
            {"voice send", [] { return std::make_unique<VoiceSendTrial>(); }},
            {"voice backup", [] { return std::make_unique<VoiceBackupTrial>(); }}};
}

}  // namespace skarnel::test
