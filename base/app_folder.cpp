#include "base/app_folder.h"

#include <cstdlib>
#include <system_error>

namespace skarnel {
namespace fs = std::filesystem;

std::optional<std::string> ProcessEnvironment(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

fs::path ApplicationFolderPath(const EnvironmentLookup& environment)
{
    if (std::optional<std::string> home = environment("SKARNEL_HOME"))
        return fs::path(*home);
    if (std::optional<std::string> data = environment("XDG_DATA_HOME"))
        return fs::path(*data) / "skarnel";
    const std::string userHome = environment("HOME").value_or(".");
    return fs::path(userHome) / ".local" / "share" / "skarnel";
}

std::optional<fs::path> EnsureApplicationFolder(std::string& error, const EnvironmentLookup& environment)
{
    const fs::path folder = ApplicationFolderPath(environment);
    std::error_code code;
    fs::create_directories(folder, code);
    if (code || !fs::is_directory(folder, code)) {
        error = folder.string() + ": " + (code ? code.message() : "not a folder");
        return std::nullopt;
    }
    return folder;
}

fs::path MapPagePath(const fs::path& applicationFolder)
{
    return applicationFolder / "New_Map.html";
}

}  // namespace skarnel
