#include "model/model_data_lists.h"
#include "model/model_files.h"
#include "model/model_jobs.h"
#include "sim/model_data_commands.h"
#include "sim/model_memory.h"
#include "tests/faults/trial_files.h"
#include "tests/faults/trial_jobs.h"
#include "tests/faults/trial_rig.h"
#include "tests/faults/trial_runner.h"

namespace skarnel::test {
namespace {

constexpr uint32_t kProduct = 16003300;
constexpr uint32_t kMemoryVersion = 1001;
constexpr size_t kModelListSection = 4;

sim::ControllerState ModelController()
{
    sim::ControllerState state;
    state.product.appProductCode = kProduct;
    state.product.memoryVersion = kMemoryVersion;
    return state;
}

const sim::ControllerState& SeededController()
{
    static const sim::ControllerState state = [] {
        sim::ControllerState seeded = ModelController();
        sim::SeedModelMemory(seeded);
        return seeded;
    }();
    return state;
}

std::vector<uint32_t> UsedModels(const DataSchema& schema)
{
    std::vector<uint32_t> used;
    for (uint32_t i = 0; i < schema.modelCount; ++i)
        if (schema.modelType[i] != kModelEmpty)
            used.push_back(i);
    return used;
}

// A model's bytes as a system backup stores them: zeros after them, its number last.
std::vector<uint8_t> ModelRecord(const std::vector<uint8_t>& flash, const DataSchema& schema, uint32_t model)
{
    std::vector<uint8_t> record = Slice(flash, schema.ModelAddress(model), schema.modelSize);
    record.resize(kModelRecordSize, 0);
    record[kModelRecordNumberOffset] = static_cast<uint8_t>(model);
    return record;
}

// The common-set block and the records of the used models, as the controller holds them.
std::vector<uint8_t> ModelData(const sim::ControllerState& state)
{
    const DataSchema schema = sim::ModelMemorySchema(state);
    const std::vector<uint8_t>& flash = state.modelMemory.flash;
    std::vector<uint8_t> data = Slice(flash, schema.commonSectionAddr[0], kCommonSetBlockSize);
    for (const uint32_t model : UsedModels(schema)) {
        const std::vector<uint8_t> record = ModelRecord(flash, schema, model);
        data.insert(data.end(), record.begin(), record.end());
    }
    return data;
}

// The .mdl files a backup of the controller writes: one per used model, named after its list entry.
FolderContents ModelFiles(const sim::ControllerState& state)
{
    const DataSchema schema = sim::ModelMemorySchema(state);
    const std::vector<uint8_t>& flash = state.modelMemory.flash;
    const ModelList list =
        ModelList::Decode(std::span(flash).subspan(schema.commonSectionAddr[kModelListSection]), schema.modelCount);
    const ModelFileHeader header{state.product.appProductCode, state.product.appVersion, state.product.memoryVersion};
    FolderContents files;
    for (const uint32_t i : UsedModels(schema))
        files[ModelFileName(list.types[i], list.names[i], static_cast<int>(i))] =
            ModelFileBytes(header, flash.data() + schema.ModelAddress(i), schema.modelSize);
    return files;
}

void Invert(std::vector<uint8_t>& flash, uint32_t address, uint32_t size)
{
    for (uint32_t at = address; at < address + size; ++at)
        flash[at] = static_cast<uint8_t>(~flash[at]);
}

// Changes every byte a restore writes back, except the model list, which says what a restore writes.
void Scramble(sim::ControllerState& state)
{
    const DataSchema schema = sim::ModelMemorySchema(state);
    std::vector<uint8_t>& flash = state.modelMemory.flash;
    for (size_t k = 0; k < schema.commonSectionCount; ++k)
        if (k != kModelListSection)
            Invert(flash, schema.commonSectionAddr[k], schema.commonSectionSize[k]);
    for (const uint32_t model : UsedModels(schema))
        for (size_t s = 0; s < schema.modelSectionCount; ++s)
            Invert(flash, schema.ModelAddress(model) + schema.modelSectionOffset[s], schema.modelSectionSize[s]);
}

class IgnoredLists final : public ModelDataLists {
public:
    void AddPcFile(const std::string&) override {}
    void AddControllerModel(const std::string&) override {}
};

class ModelBackupTrial final : public TrialJob {
public:
    sim::ControllerState Controller() const override { return ModelController(); }
    void Prepare(TrialRig& rig) override
    {
        sim::InstallModelDataCommands(rig.engine());
        folder_ = rig.files.Root() / "models";
        std::filesystem::create_directory(folder_);
    }
    JobOutcome Run(TrialRig& rig) override { return ModelBackupJob(rig.link, folder_, lists_); }
    bool Delivered(TrialRig& rig) override { return ReadFolder(folder_) == ModelFiles(rig.state()); }

private:
    std::filesystem::path folder_;
    IgnoredLists lists_;
};

class SystemBackupTrial final : public TrialJob {
public:
    sim::ControllerState Controller() const override { return ModelController(); }
    void Prepare(TrialRig& rig) override
    {
        sim::InstallModelDataCommands(rig.engine());
        path_ = rig.files.Root() / "Menu_Backup.mif";
    }
    JobOutcome Run(TrialRig& rig) override { return SystemBackupJob(rig.link, path_); }
    // The header as a backup without faults writes it, then the controller's model data.
    bool Delivered(TrialRig& rig) override
    {
        const std::vector<uint8_t> file = ReadBytes(path_);
        const std::vector<uint8_t> data = ModelData(rig.state());
        return Slice(file, 0, MenuFileHeader::kSize) == CleanHeader() &&
               Slice(file, MenuFileHeader::kSize, file.size()) == data;
    }

    // A system backup of the seeded controller taken without faults.
    static const std::vector<uint8_t>& CleanFile()
    {
        static const std::vector<uint8_t> file = [] {
            SystemBackupTrial job;
            TrialRig rig(job.Controller(), kTrialLimitMs);
            job.Prepare(rig);
            job.Run(rig);
            return ReadBytes(job.path_);
        }();
        return file;
    }

private:
    static std::vector<uint8_t> CleanHeader() { return Slice(CleanFile(), 0, MenuFileHeader::kSize); }

    std::filesystem::path path_;
};

// The clean system backup written back over a controller whose model data has changed since.
class MenuRestoreTrial final : public TrialJob {
public:
    sim::ControllerState Controller() const override { return ModelController(); }
    void Prepare(TrialRig& rig) override
    {
        sim::InstallModelDataCommands(rig.engine());
        Scramble(rig.state());
        path_ = rig.files.Write("menu.mif", SystemBackupTrial::CleanFile());
    }
    JobOutcome Run(TrialRig& rig) override { return MenuRestoreJob(rig.link, path_); }
    bool Delivered(TrialRig& rig) override { return ModelData(rig.state()) == ModelData(SeededController()); }

private:
    std::string path_;
};

}  // namespace

std::vector<TrialJobKind> ModelTrialJobs()
{
    return {{"model backup", [] { return std::make_unique<ModelBackupTrial>(); }},
            {"system backup", [] { return std::make_unique<SystemBackupTrial>(); }},
            {"menu restore", [] { return std::make_unique<MenuRestoreTrial>(); }}};
}

}  // namespace skarnel::test
