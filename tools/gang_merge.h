#pragma once

#include "base/job.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace skarnel {

// A gang file is the controller's plain flash image for a production programmer: the ST boot
// loader padded with 0xFF to 8192 bytes, the QV boot loader padded to 12288 bytes, then the
// application exactly as long as its file.
inline constexpr uint32_t kGangStBootArea = 8192;
inline constexpr uint32_t kGangQvBootArea = 12288;
inline constexpr uint32_t kGangApplicationStart = kGangStBootArea + kGangQvBootArea;

struct GangModel {
    const char* name;
    uint32_t flashSize;
    uint32_t LargestApplication() const { return flashSize - kGangApplicationStart; }
};

// The model choice in its list order; the first is the initial choice.
inline constexpr std::array<GangModel, 2> kGangModels{{{"KT-40", 0x40000}, {"KR-70", 0x80000}}};

// The index of the model of that name.
std::optional<size_t> FindGangModel(const std::string& name);

struct GangRequest {
    size_t model = 0;  // index into kGangModels
    std::string stBootPath;
    std::string qvBootPath;
    std::string appPath;
    std::string targetPath;
};

JobOutcome MergeGangFile(const GangRequest& request);

}  // namespace skarnel
