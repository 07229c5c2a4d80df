#pragma once

#include "model/data_schema.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace skarnel::sim {

struct ControllerState;

// The controller's serial flash with its common set and model memories. It keeps its bytes
// across a restart; with a state file it keeps them between runs of the simulator too.
struct ModelMemory {
    std::vector<uint8_t> flash;  // empty until seeded or loaded
    std::filesystem::path stateFile;
};

inline constexpr uint32_t kModelFlashSize = 0x20000;
inline constexpr const char* kModelFlashFileName = "model_flash.bin";

// The schema the controller reports: its layout follows the product and the memory version,
// the model types follow the model list in the flash.
DataSchema ModelMemorySchema(const ControllerState& state);
// A fresh flash for the product: the common set and a few named models, the rest empty.
void SeedModelMemory(ControllerState& state);
// Writes entry index of the model list in the flash.
void SetModelListEntry(ControllerState& state, int index, uint8_t type, const std::string& name);

// Loads the state file into the flash when it holds a flash image; false with a reason when
// it exists but cannot be used.
bool LoadModelMemory(ModelMemory& memory, std::string& error);
// Keeps the flash in the state file, if there is one.
void SaveModelMemory(const ModelMemory& memory);

}  // namespace skarnel::sim
