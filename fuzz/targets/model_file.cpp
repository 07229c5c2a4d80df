// A model data file (.mdl) as the model conversion reads it, converted to two layouts of the
// built-in conversion tables that differ in product and in memory version.
#include "fuzz/support/agreeing_reporter.h"
#include "fuzz/support/scratch_folder.h"
#include "model/model_file_conversion.h"

#include <array>
#include <cstddef>
#include <cstdint>

using namespace skarnel;

namespace {

constexpr std::array<ConversionTarget, 2> kTargets{{
    {kProductKt20, 1000},
    {kProductKt40, 1001},
}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path path = fuzz::WriteInputFile("model.mdl", data, size);
    fuzz::AgreeingReporter window;
    ModelFileSource source;
    if (ReadModelFileSource(path, window, source) != SourceCheck::Accepted)
        return 0;
    const std::filesystem::path folder = fuzz::FreshFolder("converted");
    for (const ConversionTarget& target : kTargets)
        ConvertModelFiles({source}, target, folder, window,
                          [](const ModelFileOutcome& outcome) { DescribeConversionChanges(outcome.report); });
    return 0;
}
