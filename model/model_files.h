#pragma once

#include "base/file_magic.h"
#include "base/file_safe_name.h"

#include "model/data_schema.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace skarnel {

class Reporter;

// A menu information file: header, the common-set block, one record per listed model.
inline constexpr size_t kCommonSetBlockSize = 4096;
inline constexpr size_t kModelRecordSize = 8192;
// The last byte of a model record holds the model's number.
inline constexpr size_t kModelRecordNumberOffset = kModelRecordSize - 1;

// The 1024-byte header of a menu information file (.mif).
struct MenuFileHeader {
    static constexpr size_t kSize = 1024;
    static constexpr size_t kProductNameSize = 16;

    uint32_t fileMagic = FileMagic;
    uint32_t appPCode = 0;
    uint32_t appVer = 0;
    uint32_t memVer = 0;
    std::array<uint8_t, kProductNameSize> productName{};
    DataSchema schema;
    uint16_t usedModelCount = 0;
    std::array<uint8_t, DataSchema::kMaxModels> usedModelIndex{};

    std::array<uint8_t, kSize> Encode() const;
    static MenuFileHeader Decode(std::span<const uint8_t, kSize> bytes);
    // Lists every model of type helicopter or fixed wing, in ascending number.
    void ListUsedModels();
    // Empty when the stored schema and model list can be restored; else why not.
    std::string ContentError() const;
};

// The 4096-byte header of a model data file (.mdl); 0xFF fills what follows the three values.
struct ModelFileHeader {
    static constexpr size_t kSize = 4096;
    static constexpr size_t kValuesSize = 12;

    uint32_t productCode = 0;
    uint32_t version = 0;  // 0 in a converted file
    uint32_t memoryVersion = 0;

    void EncodeInto(uint8_t* out) const;
    static ModelFileHeader Decode(std::span<const uint8_t, kValuesSize> bytes);
};

// A model data file: its header, then the model's bytes.
std::vector<uint8_t> ModelFileBytes(const ModelFileHeader& header, const uint8_t* modelData, size_t size);

// The model list in common-set section 4: a type byte per model, then a 9-byte name per model.
struct ModelList {
    static constexpr size_t kNameSize = 9;

    std::vector<uint8_t> types;
    std::vector<std::string> names;

    // A model whose bytes lie past the end of bytes reads as a blank one.
    static ModelList Decode(std::span<const uint8_t> bytes, size_t modelCount);
    // What a list whose read failed shows: type 0 and no name for every model.
    static ModelList Blank(size_t modelCount);
};

// "h" or "a" by the model list's type byte, the name (or "NONAME"), the model number + 1, ".mdl".
std::string ModelFileName(uint8_t listType, const std::string& name, int modelIndex);

enum class MenuFileCheck { Accepted, OpenFailed, TooShort, FlagMismatch };
// Checks a menu information file chosen by the user, logging why it is refused.
MenuFileCheck CheckMenuFile(const std::filesystem::path& path, Reporter& reporter);

}  // namespace skarnel
