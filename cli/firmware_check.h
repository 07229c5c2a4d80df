#pragma once

#include <string>

namespace skarnel::cli {

class CliContext;

struct FirmwareCheckOptions {
    std::string path;
    std::string addresses;  // "A,B,C,D,E"; empty when not given
    bool fromController = false;
};

// Checks an upgrade file: its magics, BootIncluded, the sizes and offsets, that every image
// to install lies in the file and, with version addresses, each image's product code and versions.
void RunFirmwareCheck(CliContext& context, const FirmwareCheckOptions& options);

}  // namespace skarnel::cli
