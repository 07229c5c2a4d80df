#include "model/model_file_conversion.h"

#include "base/format.h"
#include "base/replacing_file.h"
#include "base/reporter.h"
#include "model/model_conversion.h"
#include "model/model_files.h"

#include <fstream>

namespace skarnel {
namespace {

// The largest model data file a conversion reads, and the room for the converted one.
constexpr size_t kInputBufferSize = 16384;
constexpr size_t kOutputBufferSize = 16384;

void Show(Reporter& reporter, const std::string& text)
{
    reporter.ShowMessage(text, kApplicationTitle, MessageIcon::None);
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    // One byte more than the buffer holds tells a file that is too long.
    std::vector<uint8_t> bytes(kInputBufferSize + 1);
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(file.gcount()));
    return bytes;
}

using Result = ModelFileOutcome::Result;

// Converts one source whose layout has a table; false when the conversion must stop.
bool ConvertOne(const ModelFileSource& source, const ConversionTarget& target, const std::filesystem::path& folder,
                Reporter& reporter, ModelFileOutcome& outcome)
{
    std::vector<uint8_t> output(kOutputBufferSize, 0xFF);
    ModelFileHeader{target.productCode, 0, target.memoryVersion}.EncodeInto(output.data());
    outcome.targetPath = folder / source.name;
    const std::optional<std::vector<uint8_t>> input = ReadWholeFile(source.path);
    if (!input) {
        Show(reporter, "File Open Fail");
        outcome.result = Result::Refused;
        return false;
    }
    if (input->size() > kInputBufferSize || input->size() < ModelFileHeader::kSize) {
        Show(reporter, Format("File Size Error : %s", source.name.c_str()));
        outcome.result = Result::Refused;
        return true;
    }
    const std::span<const uint8_t> modelData(input->begin() + ModelFileHeader::kSize, input->end());
    if (source.productCode == kProductKt40 && target.productCode == kProductKt20 &&
        !CModel_Conversion_Function::CheckKt20Fit(modelData)) {
        outcome.result = Result::DoesNotFitKt20;
        return true;
    }
    size_t convertedSize = 0;
    const std::span<uint8_t> converted(output.begin() + ModelFileHeader::kSize, output.end());
    if (!CModel_Conversion_Function().ConvertModelRecord(modelData, converted, source.productCode, source.memoryVersion,
                                                         target.productCode, target.memoryVersion, convertedSize,
                                                         &outcome.report)) {
        Show(reporter, Format("Model Data Conversion Fail : %s", source.name.c_str()));
        outcome.result = Result::Refused;
        return true;
    }
    if (!WriteReplacingFile(outcome.targetPath, output.data(), ModelFileHeader::kSize + convertedSize)) {
        Show(reporter, "File Create Fail");
        outcome.result = Result::Refused;
        return false;
    }
    outcome.result = Result::Converted;
    return true;
}

}  // namespace

std::string ProductShownName(uint32_t productCode)
{
    if (productCode == kProductKt40)
        return "KT40";
    if (productCode == kProductKt20)
        return "KT20";
    return {};
}

std::optional<uint32_t> ProductCodeOfName(const std::string& name)
{
    for (uint32_t code : {kProductKt40, kProductKt20})
        if (ProductShownName(code) == name)
            return code;
    return std::nullopt;
}

SourceCheck ReadModelFileSource(const std::filesystem::path& path, Reporter& reporter, ModelFileSource& source)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return SourceCheck::OpenFailed;
    uint8_t values[ModelFileHeader::kValuesSize] = {};
    file.read(reinterpret_cast<char*>(values), sizeof values);
    const ModelFileHeader header = ModelFileHeader::Decode(values);
    source = {path, path.filename().string(), header.productCode, header.memoryVersion};
    if (ProductShownName(header.productCode).empty()) {
        Show(reporter, Format("File Error : %s", source.name.c_str()));
        return SourceCheck::Refused;
    }
    return SourceCheck::Accepted;
}

bool CheckConversionTarget(const ConversionTarget& target, Reporter& reporter)
{
    if (CModel_Conversion_Function().HasConversionTable(target.productCode, target.memoryVersion))
        return true;
    Show(reporter, Format("Model conversion info does not exist...  \r\n \r\nController \r\n \r\nProduct ID : %d  "
                          "Version : %d  ",
                          static_cast<int>(target.productCode), static_cast<int>(target.memoryVersion)));
    return false;
}

bool ConvertModelFiles(const std::vector<ModelFileSource>& sources, const ConversionTarget& target,
                       const std::filesystem::path& folder, Reporter& reporter,
                       const std::function<void(const ModelFileOutcome&)>& onOutcome)
{
    const CModel_Conversion_Function conversion;
    const int code = static_cast<int>(target.productCode);
    const int version = static_cast<int>(target.memoryVersion);
    for (const ModelFileSource& source : sources) {
        ModelFileOutcome outcome;
        outcome.source = &source;
        bool goOn = true;
        if (source.productCode == target.productCode && source.memoryVersion == target.memoryVersion) {
            Show(reporter, Format("Same Version - %s   \r\n\r\n Product ID : %d  Version : %d \r\n File       ID : %d  "
                                  "Version : %d \r\n\r\n --Skip",
                                  source.name.c_str(), code, version, code, version));
            outcome.result = Result::SameVersion;
        } else if (conversion.HasConversionTable(source.productCode, source.memoryVersion)) {
            goOn = ConvertOne(source, target, folder, reporter, outcome);
        } else {
            Show(reporter, Format("Model conversion info does not exist...  \r\n \r\n%s \r\n \r\nProduct ID : %d  "
                                  "Version : %d  ",
                                  source.name.c_str(), static_cast<int>(source.productCode),
                                  static_cast<int>(source.memoryVersion)));
            outcome.result = Result::NoTable;
        }
        onOutcome(outcome);
        if (!goOn)
            return false;
    }
    return true;
}

}  // namespace skarnel
