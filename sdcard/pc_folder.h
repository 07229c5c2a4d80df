#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace skarnel {

// The PC side of the card's file manager: a folder "SD_Card_Backup" in the application's folder,
// with a folder for each kind of file the card holds.
inline constexpr const char* kSdBackupFolderName = "SD_Card_Backup";

// Creates the backup folder and its "LogData", "Models" and "VoiceFile" folders where missing;
// nothing (and the reason) when they cannot be made.
std::optional<std::filesystem::path> EnsureSdBackupFolder(const std::filesystem::path& applicationFolder,
                                                          std::string& error);

struct PcFileRow {
    std::string name;
    std::string date;  // "%Y-%m-%d"
    std::string time;  // "%H:%M"
    uint64_t size = 0;
};

// A PC folder as the file manager shows it: regular files are the rows, folders go into the tree.
// Symbolic links and other special files are left out.
struct PcListing {
    std::vector<PcFileRow> files;
    std::vector<std::string> folders;
};

// Both in name order; empty when the folder cannot be read.
PcListing ListPcFolder(const std::filesystem::path& folder);

}  // namespace skarnel
