#include "model/model_files.h"

#include "base/byte_order.h"
#include "base/format.h"
#include "link/product_info.h"
#include "base/reporter.h"

#include <algorithm>
#include <fstream>

namespace skarnel {
namespace {

constexpr size_t kSchemaOffset = 142;
constexpr size_t kUsedCountOffset = 666;
constexpr size_t kUsedIndexOffset = 668;

}  // namespace

std::array<uint8_t, MenuFileHeader::kSize> MenuFileHeader::Encode() const
{
    std::array<uint8_t, kSize> bytes{};
    WriteLe32(bytes.data() + 0, fileMagic);
    WriteLe32(bytes.data() + 4, appPCode);
    WriteLe32(bytes.data() + 8, appVer);
    WriteLe32(bytes.data() + 12, memVer);
    std::copy(productName.begin(), productName.end(), bytes.begin() + 16);
    schema.EncodeFixedForm(bytes.data() + kSchemaOffset);
    WriteLe16(bytes.data() + kUsedCountOffset, usedModelCount);
    std::copy(usedModelIndex.begin(), usedModelIndex.end(), bytes.begin() + kUsedIndexOffset);
    return bytes;
}

MenuFileHeader MenuFileHeader::Decode(std::span<const uint8_t, kSize> bytes)
{
    MenuFileHeader header;
    header.fileMagic = ReadLe32(bytes.data() + 0);
    header.appPCode = ReadLe32(bytes.data() + 4);
    header.appVer = ReadLe32(bytes.data() + 8);
    header.memVer = ReadLe32(bytes.data() + 12);
    std::copy_n(bytes.data() + 16, kProductNameSize, header.productName.begin());
    header.schema = DataSchema::DecodeFixedForm(bytes.data() + kSchemaOffset);
    header.usedModelCount = ReadLe16(bytes.data() + kUsedCountOffset);
    std::copy_n(bytes.data() + kUsedIndexOffset, DataSchema::kMaxModels, header.usedModelIndex.begin());
    return header;
}

void MenuFileHeader::ListUsedModels()
{
    usedModelCount = 0;
    for (size_t j = 0; j < schema.modelCount && j < DataSchema::kMaxModels; ++j)
        if (schema.modelType[j] == kModelHelicopter || schema.modelType[j] == kModelFixedWing)
            usedModelIndex[usedModelCount++] = static_cast<uint8_t>(j);
}

std::string MenuFileHeader::ContentError() const
{
    std::string error = schema.CapacityError();
    if (!error.empty())
        return error;
    if (usedModelCount > DataSchema::kMaxModels)
        return Format("Used Model Count Error. Count:%d", usedModelCount);
    for (size_t k = 0; k < usedModelCount; ++k)
        if (usedModelIndex[k] >= schema.modelCount)
            return Format("Used Model Index Error. Model Index:#%d", usedModelIndex[k]);
    return {};
}

void ModelFileHeader::EncodeInto(uint8_t* out) const
{
    std::fill_n(out, kSize, 0xFF);
    WriteLe32(out + 0, productCode);
    WriteLe32(out + 4, version);
    WriteLe32(out + 8, memoryVersion);
}

ModelFileHeader ModelFileHeader::Decode(std::span<const uint8_t, kValuesSize> bytes)
{
    return {ReadLe32(bytes.data() + 0), ReadLe32(bytes.data() + 4), ReadLe32(bytes.data() + 8)};
}

std::vector<uint8_t> ModelFileBytes(const ModelFileHeader& header, const uint8_t* modelData, size_t size)
{
    std::vector<uint8_t> bytes(ModelFileHeader::kSize + size);
    header.EncodeInto(bytes.data());
    std::copy_n(modelData, size, bytes.begin() + ModelFileHeader::kSize);
    return bytes;
}

ModelList ModelList::Decode(std::span<const uint8_t> bytes, size_t modelCount)
{
    ModelList list = Blank(modelCount);
    for (size_t k = 0; k < modelCount && k < bytes.size(); ++k)
        list.types[k] = bytes[k];
    for (size_t k = 0; k < modelCount && modelCount + kNameSize * (k + 1) <= bytes.size(); ++k)
        list.names[k] = TextField(bytes.data() + modelCount + kNameSize * k, kNameSize);
    return list;
}

ModelList ModelList::Blank(size_t modelCount)
{
    ModelList list;
    list.types.assign(modelCount, 0);
    list.names.assign(modelCount, std::string());
    return list;
}

std::string ModelFileName(uint8_t listType, const std::string& name, int modelIndex)
{
    const std::string shown = name.empty() ? "NONAME" : FileSafeName(name);
    return Format("%s%s%02d.mdl", listType == kModelHelicopter ? "h" : "a", shown.c_str(), modelIndex + 1);
}

MenuFileCheck CheckMenuFile(const std::filesystem::path& path, Reporter& reporter)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        reporter.ReportLogLine("File Open Fail");
        return MenuFileCheck::OpenFailed;
    }
    std::array<uint8_t, MenuFileHeader::kSize> bytes{};
    if (!file.read(reinterpret_cast<char*>(bytes.data()), bytes.size()))
        return MenuFileCheck::TooShort;
    if (ReadLe32(bytes.data()) != FileMagic) {
        reporter.ReportLogLine("File Header Check - Flag Value Mismatch");
        return MenuFileCheck::FlagMismatch;
    }
    return MenuFileCheck::Accepted;
}

}  // namespace skarnel
