#pragma once

#include "model/conversion_report.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace skarnel {

class Reporter;

// The products model files may belong to.
inline constexpr uint32_t kProductKt40 = 16003300;
inline constexpr uint32_t kProductKt20 = 16003600;

// "KT40" or "KT20"; empty for another product code.
std::string ProductShownName(uint32_t productCode);
std::optional<uint32_t> ProductCodeOfName(const std::string& name);

// A model data file chosen for conversion.
struct ModelFileSource {
    std::filesystem::path path;
    std::string name;  // the file name without its folder
    uint32_t productCode = 0;
    uint32_t memoryVersion = 0;
};

enum class SourceCheck { Accepted, Refused, OpenFailed };
// Reads a chosen file's header values. A file of an unknown product is refused with the
// message "File Error : %s"; a file that cannot be opened ends the choosing of files.
SourceCheck ReadModelFileSource(const std::filesystem::path& path, Reporter& reporter, ModelFileSource& source);

struct ConversionTarget {
    uint32_t productCode = 0;
    uint32_t memoryVersion = 0;
};

// False, after its message, when no table describes the target's layout.
bool CheckConversionTarget(const ConversionTarget& target, Reporter& reporter);

struct ModelFileOutcome {
    enum class Result { Converted, SameVersion, NoTable, DoesNotFitKt20, Refused };

    Result result = Result::Converted;
    const ModelFileSource* source = nullptr;
    std::filesystem::path targetPath;
    ConversionReport report;
};

// Converts every source to the target's layout into folder, telling onOutcome about each.
// False when the conversion had to stop: a source that cannot be opened or a target that
// cannot be created ends it; the files converted before stay.
bool ConvertModelFiles(const std::vector<ModelFileSource>& sources, const ConversionTarget& target,
                       const std::filesystem::path& folder, Reporter& reporter,
                       const std::function<void(const ModelFileOutcome&)>& onOutcome);

}  // namespace skarnel
