#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace skarnel {

// Model memory types in the schema: helicopter, fixed wing, or an unused memory.
enum ModelType : uint16_t {
    kModelHelicopter = 0,
    kModelFixedWing = 1,
    kModelEmpty = 255,
};

// The controller's description of its model memory: where the common set's sections and the
// model records lie in its flash. Kept in the fixed form that backup files store.
struct DataSchema {
    static constexpr size_t kMaxCommonSections = 32;
    static constexpr size_t kMaxModels = 128;
    static constexpr size_t kMaxModelSections = 32;
    static constexpr size_t kFixedFormSize = 524;
    // A model record of a menu information file holds the model's bytes and, last, its number.
    static constexpr size_t kMaxModelSize = 8191;

    uint16_t modelCount = 0;
    uint16_t commonSectionCount = 0;
    uint16_t modelSectionCount = 0;
    uint16_t modelSize = 0;
    uint16_t modelBase = 0;
    std::array<uint16_t, kMaxCommonSections> commonSectionAddr{};
    std::array<uint16_t, kMaxCommonSections> commonSectionSize{};
    uint16_t commonTotalSize = 0;
    std::array<uint16_t, kMaxModels> modelType{};
    std::array<uint16_t, kMaxModelSections> modelSectionOffset{};
    std::array<uint16_t, kMaxModelSections> modelSectionSize{};

    uint32_t ModelAddress(uint32_t index) const { return modelBase + index * modelSize; }
    // Empty when the counts and the model size fit the fixed form and a model record; else why not.
    std::string CapacityError() const;

    void EncodeFixedForm(uint8_t* out) const;
    static DataSchema DecodeFixedForm(const uint8_t* bytes);
};

// Parses the payload of the schema read into schema; entries past the counts keep what schema
// held. False, with the reason, when the counts exceed the fixed form or the payload is shorter
// than they imply.
bool ParseDataSchemaReply(const uint8_t* payload, size_t length, DataSchema& schema, std::string& error);
// The payload the controller sends for a schema.
std::vector<uint8_t> EncodeDataSchemaReply(const DataSchema& schema);

}  // namespace skarnel
