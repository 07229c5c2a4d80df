// A menu backup (.mif) as both restores read it, each against a fresh simulated controller
// of the product and memory version the backups of the seed corpus come from.
#include "fuzz/support/agreeing_reporter.h"
#include "fuzz/support/fuzz_link.h"
#include "fuzz/support/scratch_folder.h"
#include "model/model_file_conversion.h"
#include "model/model_files.h"
#include "model/model_procedures.h"
#include "sim/application_commands.h"
#include "sim/model_data_commands.h"

#include <cstddef>
#include <cstdint>

using namespace skarnel;

namespace {

constexpr uint32_t kMemoryVersion = 1001;

using Restore = bool (*)(CDownload_Function&, const std::filesystem::path&);

void RestoreOnController(Restore restore, const std::filesystem::path& path)
{
    sim::ControllerState state;
    state.product.appProductCode = kProductKt40;
    state.product.memoryVersion = kMemoryVersion;
    fuzz::FuzzLink controller(std::move(state));
    sim::InstallApplicationCommands(controller.engine());
    sim::InstallModelDataCommands(controller.engine());
    restore(controller.link(), path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path path = fuzz::WriteInputFile("backup.mif", data, size);
    fuzz::AgreeingReporter window;
    if (CheckMenuFile(path, window) != MenuFileCheck::Accepted)
        return 0;
    RestoreOnController(RestoreMenuFile, path);
    RestoreOnController(RestoreSystemData, path);
    return 0;
}
