#pragma once

#include "base/job.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skarnel {

// The texts a tool shows for the three ends of writing its target.
struct TargetTexts {
    const char* createFailed;
    const char* writeFailed;
    const char* written;
};

// Writes a tool's target file, replacing one that exists. A failed write removes the
// partial file again.
JobOutcome WriteTarget(const std::string& path, const std::vector<uint8_t>& bytes, const TargetTexts& texts);

}  // namespace skarnel
