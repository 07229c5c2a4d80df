#include "sdcard/pc_folder.h"

#include "base/format.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <system_error>

namespace skarnel {
namespace {

namespace fs = std::filesystem;

std::tm LocalTime(const fs::file_time_type& stamp)
{
    const auto system = std::chrono::file_clock::to_sys(stamp);
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

PcFileRow FileRow(const fs::directory_entry& entry)
{
    std::error_code error;
    const fs::file_time_type stamp = entry.last_write_time(error);
    PcFileRow row;
    row.name = entry.path().filename().string();
    if (!error) {
        const std::tm local = LocalTime(stamp);
        row.date = Format("%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
        row.time = Format("%02d:%02d", local.tm_hour, local.tm_min);
    }
    row.size = entry.file_size(error);
    return row;
}

}  // namespace

std::optional<fs::path> EnsureSdBackupFolder(const fs::path& applicationFolder, std::string& error)
{
    const fs::path base = applicationFolder / kSdBackupFolderName;
    for (const char* kind : {"LogData", "Models", "VoiceFile"}) {
        std::error_code failure;
        fs::create_directories(base / kind, failure);
        if (failure) {
            error = (base / kind).string() + ": " + failure.message();
            return std::nullopt;
        }
    }
    return base;
}

PcListing ListPcFolder(const fs::path& folder)
{
    PcListing listing;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_symlink(error))
            continue;
        if (it->is_regular_file(error))
            listing.files.push_back(FileRow(*it));
        else if (it->is_directory(error))
            listing.folders.push_back(it->path().filename().string());
    }
    std::sort(listing.files.begin(), listing.files.end(),
              [](const PcFileRow& a, const PcFileRow& b) { return a.name < b.name; });
    std::sort(listing.folders.begin(), listing.folders.end());
    return listing;
}

}  // namespace skarnel
