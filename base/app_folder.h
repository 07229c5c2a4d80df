#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace skarnel {

// Looks an environment variable up; nothing when it is unset or empty.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;
std::optional<std::string> ProcessEnvironment(const std::string& name);

// The per-user folder of the application's own files (the system backup, the map page, the
// live-log folder): $SKARNEL_HOME, else $XDG_DATA_HOME/skarnel, else ~/.local/share/skarnel.
std::filesystem::path ApplicationFolderPath(const EnvironmentLookup& environment = ProcessEnvironment);

// The folder, created on first use; nothing (and the reason) when it cannot be made.
std::optional<std::filesystem::path> EnsureApplicationFolder(std::string& error,
                                                             const EnvironmentLookup& environment = ProcessEnvironment);

// The page the flight-path view writes and shows.
std::filesystem::path MapPagePath(const std::filesystem::path& applicationFolder);

}  // namespace skarnel
