#pragma once

#include <string>

namespace skarnel::cli {

class CliContext;

// The Firmware view's "Download Start" on the terminal: the file checked, the upgrade run with
// the models saved into the application folder's system backup, its lines printed.
void RunFirmwareUpgrade(CliContext& context, const std::string& path);

}  // namespace skarnel::cli
