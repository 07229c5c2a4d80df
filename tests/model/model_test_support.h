#pragma once

#include "model/model_data_lists.h"
#include "sim/controller_state.h"
#include "sim/fault_plan.h"
#include "tests/support/simulated_link.h"

#include <filesystem>
#include <string>
#include <vector>

namespace skarnel::test {

// Keeps the rows the procedures give the PC and Controller lists.
class RecordingLists final : public ModelDataLists {
public:
    void AddPcFile(const std::string& path) override { pcFiles.push_back(path); }
    void AddControllerModel(const std::string& text) override { controllerModels.push_back(text); }

    std::vector<std::string> pcFiles;
    std::vector<std::string> controllerModels;
};

// A controller of that product and memory version with its seeded model memory.
sim::ControllerState ModelControllerState(uint32_t productCode, uint32_t memoryVersion);

// A simulated link to a controller with model memory, on virtual time.
struct ModelLink : SimulatedLink {
    explicit ModelLink(uint32_t productCode = 16003300, uint32_t memoryVersion = 1001);

    std::vector<uint8_t>& flash() { return engine().state().modelMemory.flash; }
    // The flash write requests the controller received: address and size of each.
    std::vector<std::pair<uint32_t, size_t>> FlashWrites() const;
};

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace skarnel::test
