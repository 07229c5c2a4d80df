#pragma once

#include <string>

namespace skarnel {

// The merge target keeps a name ending in exactly ".bin", ".Bin" or ".BIN"; any other name
// gets ".bin" appended (so "fw.bIN" becomes "fw.bIN.bin").
std::string ApplyTargetExtensionRule(const std::string& name);
// The Y-Modem target keeps a name ending in ".bin" in any mix of case; others get ".bin".
std::string ApplyYModemExtensionRule(const std::string& name);

}  // namespace skarnel
