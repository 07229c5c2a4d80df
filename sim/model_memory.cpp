#include "sim/model_memory.h"

#include "base/byte_order.h"
#include "link/frame.h"
#include "model/conversion_table_data.h"
#include "model/conversion_table_set.h"
#include "model/model_file_conversion.h"
#include "model/model_files.h"
#include "sim/controller_state.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace skarnel::sim {
namespace {

// Where the controller keeps things in its flash.
constexpr uint16_t kCommonBase = 0x1000;
constexpr uint16_t kModelBase = 0x2000;
constexpr uint16_t kModelSize = 0x1000;
constexpr uint16_t kKt20ModelCount = 15;
constexpr uint16_t kModelCount = 30;
constexpr size_t kModelListSection = 4;
constexpr uint32_t kLaterMemoryVersion = 1001;

struct CommonSection {
    uint16_t address;
    uint16_t size;
};

// System settings, stick calibration, the layout revision with its CRC, the owner's name,
// the model list (sized by the model count) and the selected model.
constexpr std::array<CommonSection, 6> kCommonSections{{
    {kCommonBase + 0x000, 0x40},
    {kCommonBase + 0x040, 0x40},
    {kCommonBase + 0x080, 3},
    {kCommonBase + 0x100, 0x20},
    {kCommonBase + 0x200, 0},
    {kCommonBase + 0x400, 0x10},
}};

struct SeedModel {
    int index;
    uint8_t type;
    const char* name;
    std::array<uint8_t, 3> wingTailFlaps;
};

constexpr std::array<SeedModel, 4> kSeedModels{{
    {0, kModelHelicopter, "ALPHA", {0, 0, 0}},
    {1, kModelFixedWing, "CUB", {0, 0, 1}},
    {2, kModelHelicopter, "TREX 450", {0, 0, 0}},
    {4, kModelFixedWing, "EXTRA 330", {1, 2, 0}},
}};

uint16_t ModelCountOf(const ControllerState& state)
{
    return state.product.appProductCode == kProductKt20 ? kKt20ModelCount : kModelCount;
}

// The layout table of the controller's model records; products without one use the KT40's.
const ConversionTable* RecordLayout(const ConversionTableSet& set, const ControllerState& state)
{
    const uint32_t version = state.product.memoryVersion >= kLaterMemoryVersion ? kLaterMemoryVersion : 1000;
    const ConversionTable* table = set.LastTable(state.product.appProductCode, version);
    return table ? table : set.LastTable(kProductKt40, version);
}

const ConversionTableSet& TableSet()
{
    static const ConversionTableSet set = *ParseConversionTableSet(EmbeddedConversionTableSet());
    return set;
}

int FieldNumber(const char* name)
{
    const auto names = ConversionFieldNames();
    return static_cast<int>(
        std::find_if(names.begin(), names.end(), [name](const char* n) { return std::string(n) == name; }) -
        names.begin());
}

void PutElements(uint8_t* record, const FieldRecord& field, const std::vector<uint32_t>& values)
{
    for (size_t e = 0; e < field.count; ++e) {
        const uint32_t value = e < values.size() ? values[e] : field.defaultValue;
        uint8_t* at = record + field.offset + e * field.size;
        if (field.size == 1)
            at[0] = static_cast<uint8_t>(value);
        else if (field.size == 2)
            WriteLe16(at, static_cast<uint16_t>(value));
        else
            WriteLe32(at, value);
    }
}

// Every field at its default, the model's own values on top, the CRCs last.
void SeedModelRecord(uint8_t* record, const ConversionTable& table, const SeedModel& model)
{
    for (const FieldRecord& field : table.fields)
        PutElements(record, field, {});
    std::string name(model.name);
    name.resize(8, ' ');
    const std::vector<uint32_t> nameValues(name.begin(), name.end());
    PutElements(record, table.fields[FieldNumber("model_type")], {model.type});
    PutElements(record, table.fields[FieldNumber("model_name")], nameValues);
    PutElements(record, table.fields[FieldNumber("wing_type")], {model.wingTailFlaps[0]});
    PutElements(record, table.fields[FieldNumber("tail_type")], {model.wingTailFlaps[1]});
    PutElements(record, table.fields[FieldNumber("flap_servos")], {model.wingTailFlaps[2]});
    PutElements(record, table.fields[FieldNumber("timer_1_minutes")], {static_cast<uint32_t>(5 + model.index)});
    for (const ChecksumRecord& checksum : table.checksums)
        WriteLe16(record + checksum.crcOffset, ComputeCrc16(record + checksum.start, checksum.length));
}

void SeedCommonSet(ControllerState& state, const DataSchema& schema)
{
    std::vector<uint8_t>& flash = state.modelMemory.flash;
    uint8_t* settings = flash.data() + schema.commonSectionAddr[0];
    for (size_t i = 0; i < schema.commonSectionSize[0]; ++i)
        settings[i] = static_cast<uint8_t>(i);
    std::fill_n(flash.data() + schema.commonSectionAddr[1], schema.commonSectionSize[1], 0x80);
    uint8_t* revision = flash.data() + schema.commonSectionAddr[2];
    revision[0] = state.product.memoryVersion >= kLaterMemoryVersion ? 5 : 4;
    WriteLe16(revision + 1, ComputeCrc16(revision, 1));
    const std::string owner = "SKARNEL SIMULATOR";
    std::copy(owner.begin(), owner.end(), flash.begin() + schema.commonSectionAddr[3]);
    std::fill_n(flash.data() + schema.commonSectionAddr[5], schema.commonSectionSize[5], 0);
    for (int k = 0; k < schema.modelCount; ++k)
        SetModelListEntry(state, k, kModelEmpty, "");
}

}  // namespace

DataSchema ModelMemorySchema(const ControllerState& state)
{
    DataSchema schema;
    schema.modelCount = ModelCountOf(state);
    schema.modelSize = kModelSize;
    schema.modelBase = kModelBase;
    schema.commonSectionCount = kCommonSections.size();
    for (size_t i = 0; i < kCommonSections.size(); ++i) {
        schema.commonSectionAddr[i] = kCommonSections[i].address;
        schema.commonSectionSize[i] = kCommonSections[i].size;
    }
    schema.commonSectionSize[kModelListSection] = static_cast<uint16_t>(schema.modelCount * (1 + ModelList::kNameSize));
    const std::vector<uint8_t>& flash = state.modelMemory.flash;
    const uint16_t listAddress = schema.commonSectionAddr[kModelListSection];
    for (size_t k = 0; k < schema.modelCount; ++k)
        schema.modelType[k] = flash.empty() ? uint16_t{kModelEmpty} : uint16_t{flash[listAddress + k]};
    const ConversionTable* layout = RecordLayout(TableSet(), state);
    schema.modelSectionCount = static_cast<uint16_t>(layout->checksums.size());
    for (size_t i = 0; i < layout->checksums.size(); ++i) {
        const ChecksumRecord& section = layout->checksums[i];
        schema.modelSectionOffset[i] = section.start;
        schema.modelSectionSize[i] = static_cast<uint16_t>(section.crcOffset + 2 - section.start);
    }
    return schema;
}

void SetModelListEntry(ControllerState& state, int index, uint8_t type, const std::string& name)
{
    const DataSchema schema = ModelMemorySchema(state);
    uint8_t* list = state.modelMemory.flash.data() + schema.commonSectionAddr[kModelListSection];
    list[index] = type;
    std::string padded = name.substr(0, ModelList::kNameSize);
    padded.resize(ModelList::kNameSize, ' ');
    std::copy(padded.begin(), padded.end(), list + schema.modelCount + ModelList::kNameSize * index);
}

void SeedModelMemory(ControllerState& state)
{
    state.modelMemory.flash.assign(kModelFlashSize, 0xFF);
    const DataSchema schema = ModelMemorySchema(state);
    SeedCommonSet(state, schema);
    const ConversionTable& layout = *RecordLayout(TableSet(), state);
    for (const SeedModel& model : kSeedModels) {
        if (model.index >= schema.modelCount)
            continue;
        SetModelListEntry(state, model.index, model.type, model.name);
        SeedModelRecord(state.modelMemory.flash.data() + schema.ModelAddress(model.index), layout, model);
    }
}

bool LoadModelMemory(ModelMemory& memory, std::string& error)
{
    if (memory.stateFile.empty() || !std::filesystem::exists(memory.stateFile))
        return true;
    std::ifstream file(memory.stateFile, std::ios::binary);
    std::vector<uint8_t> flash(kModelFlashSize);
    if (!file.read(reinterpret_cast<char*>(flash.data()), flash.size()) || file.peek() != EOF) {
        error = memory.stateFile.string() + " does not hold a model flash image";
        return false;
    }
    memory.flash = std::move(flash);
    return true;
}

void SaveModelMemory(const ModelMemory& memory)
{
    if (memory.stateFile.empty())
        return;
    std::filesystem::path part = memory.stateFile;
    part += ".part";
    {
        std::ofstream file(part, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(memory.flash.data()),
                   static_cast<std::streamsize>(memory.flash.size()));
        if (!file)
            return;
    }
    std::error_code ignored;
    std::filesystem::rename(part, memory.stateFile, ignored);
}

}  // namespace skarnel::sim
