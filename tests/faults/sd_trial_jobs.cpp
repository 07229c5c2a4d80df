#include "sdcard/sd_entry.h"
#include "sdcard/sd_procedures.h"
#include "sim/sd_card.h"
#include "sim/sd_card_commands.h"
#include "tests/faults/trial_files.h"
#include "tests/faults/trial_jobs.h"
#include "tests/faults/trial_rig.h"

namespace skarnel::test {
namespace {

constexpr const char* kCardFolder = "/LogData";
// Two files of the seeded card: the second is a byte longer than two whole blocks.
const std::vector<std::string> kCardFiles{"20110327.bin", "x.cld"};

struct PcFile {
    const char* name;
    size_t size;
};
constexpr PcFile kPcFiles[] = {{"up.bin", 5000}, {"small.txt", 17}};

bool CardHolds(const sim::SdCard& card, const std::string& path, const std::vector<uint8_t>& bytes)
{
    const sim::SdCard::Node* node = card.Find(path);
    return node && !node->folder && node->data == bytes;
}

class SdToPcTrial final : public TrialJob {
public:
    void Prepare(TrialRig& rig) override
    {
        sim::InstallSdCardCommands(rig.engine(), card_);
        folder_ = rig.files.Root() / "pc";
        std::filesystem::create_directory(folder_);
    }
    JobOutcome Run(TrialRig& rig) override { return SdToPcJob(rig.link, kCardFolder, kCardFiles, folder_, stop_); }
    bool Delivered(TrialRig&) override
    {
        FolderContents expected;
        for (const std::string& name : kCardFiles)
            expected[name] = card_.Find(SdChildPath(kCardFolder, name))->data;
        return ReadFolder(folder_) == expected;
    }

private:
    sim::SdCard card_;
    std::filesystem::path folder_;
    StopRequest stop_;
};

class PcToSdTrial final : public TrialJob {
public:
    void Prepare(TrialRig& rig) override
    {
        sim::InstallSdCardCommands(rig.engine(), card_);
        for (const PcFile& file : kPcFiles)
            files_.push_back(rig.files.Write(file.name, PatternBytes(file.size, static_cast<uint32_t>(file.size))));
    }
    JobOutcome Run(TrialRig& rig) override { return PcToSdJob(rig.link, files_, kCardFolder, stop_); }
    bool Delivered(TrialRig&) override
    {
        for (const std::filesystem::path& file : files_)
            if (!CardHolds(card_, SdChildPath(kCardFolder, file.filename().string()), ReadBytes(file)))
                return false;
        return true;
    }

private:
    sim::SdCard card_;
    std::vector<std::filesystem::path> files_;
    StopRequest stop_;
};

}  // namespace

std::vector<TrialJobKind> SdTrialJobs()
{
    return {{"sd to pc", [] { return std::make_unique<SdToPcTrial>(); }},
            {"pc to sd", [] { return std::make_unique<PcToSdTrial>(); }}};
}

}  // namespace skarnel::test
