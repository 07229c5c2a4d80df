#include "fuzz/seeds/seed_controllers.h"

#include "model/model_file_conversion.h"
#include "model/model_files.h"
#include "sim/application_commands.h"
#include "sim/model_data_commands.h"
#include "sim/model_memory.h"
#include "sim/voice_flash_commands.h"
#include "voice/voice_file_info.h"

#include <algorithm>

namespace skarnel::fuzz {
namespace {

struct StoredSound {
    const char* listedName;
    uint32_t size;
};

constexpr StoredSound kStoredSounds[] = {{"hello.apm", 300}, {"bye.apm", 120}};
constexpr uint16_t kSampleRate = 11025;

}  // namespace

sim::ControllerState ModelControllerState(int usedModels)
{
    sim::ControllerState state;
    state.product.appProductCode = kProductKt40;
    state.product.memoryVersion = 1001;
    sim::SeedModelMemory(state);
    const DataSchema schema = sim::ModelMemorySchema(state);
    for (int i = usedModels; i < schema.modelCount; ++i)
        sim::SetModelListEntry(state, i, kModelEmpty, "");
    return state;
}

void InstallModelCommands(sim::ControllerEngine& engine)
{
    sim::InstallApplicationCommands(engine);
    sim::InstallModelDataCommands(engine);
}

sim::ControllerState VoiceControllerState()
{
    sim::ControllerState state;
    std::vector<uint8_t>& flash = state.voiceFlash.Memory();
    std::fill_n(flash.begin(), kVoiceInfoTableSize, 0);
    uint32_t address = kVoiceDataAddress;
    for (uint16_t slot = 0; slot < std::size(kStoredSounds); ++slot) {
        VoiceFileInfo info = VoiceFileInfo::ForSlot(slot);
        info.size = kStoredSounds[slot].size;
        info.address = address;
        info.sampleRate = kSampleRate;
        info.SetNameFromListed(kStoredSounds[slot].listedName);
        const auto record = info.Encode();
        std::copy(record.begin(), record.end(), flash.begin() + slot * VoiceFileInfo::kSize);
        for (uint32_t k = 0; k < info.size; ++k)
            flash[address + k] = static_cast<uint8_t>(k * 13 + slot);
        address += info.size;
    }
    return state;
}

void InstallVoiceCommands(sim::ControllerEngine& engine)
{
    sim::InstallApplicationCommands(engine);
    sim::InstallVoiceFlashCommands(engine);
}

}  // namespace skarnel::fuzz
