#pragma once

#include "base/job.h"

#include <string>

namespace skarnel {

// What the File Merge form holds when "Merge Execute" is pressed.
struct MergeRequest {
    std::string appPath;
    bool bootUse = false;
    std::string bootPath;
    bool stBootUse = false;
    std::string stBootPath;
    std::string targetPath;
};

struct MergeResult : JobOutcome {
    // The target after the extension rule, once the merge got that far (the form shows it).
    std::string targetPath;
};

// Builds an upgrade file: the header, then the application, the boot loader and the ST boot
// loader as included, each scrambled on its own from the seed. A target that cannot be
// created ends the merge without a message.
MergeResult MergeFirmwareFile(const MergeRequest& request);

// Scrambles a whole file with one keystream into the target (no header added or removed);
// converting twice gives the first source back. Never a message, only the reason.
JobOutcome ConvertYModemFile(const std::string& sourcePath, const std::string& targetPath);

}  // namespace skarnel
