#pragma once

#include <filesystem>
#include <string>

namespace skarnel {

// What the final text of an upgrade that failed after writing its system backup goes on with:
// where the backup is, and the command that writes it back converted to whatever layout the
// controller's application then has (the old one, or the new one when only the restore failed).
std::string KeptBackupText(const std::filesystem::path& backup);

}  // namespace skarnel
