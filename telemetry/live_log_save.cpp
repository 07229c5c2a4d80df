#include "telemetry/live_log_save.h"

#include "base/format.h"
#include "base/replacing_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <vector>

namespace skarnel {
namespace {

constexpr size_t kCopyChunk = 1 << 16;

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

bool CopyReplacing(const std::filesystem::path& from, const std::filesystem::path& to, std::string& error)
{
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        error = "cannot read " + from.string();
        return false;
    }
    ReplacingFile out;
    if (!out.Create(to)) {
        error = out.Error();
        return false;
    }
    std::vector<char> chunk(kCopyChunk);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<size_t>(in.gcount());
        if (got > 0 && !out.Write(reinterpret_cast<const uint8_t*>(chunk.data()), got)) {
            error = out.Error();
            return false;
        }
    }
    if (in.bad() || !out.Commit()) {
        error = in.bad() ? "cannot read " + from.string() : out.Error();
        return false;
    }
    return true;
}

}  // namespace

LiveLogPaths PrepareLiveLogPaths(const std::filesystem::path& applicationFolder, const std::tm& localStart)
{
    LiveLogPaths paths;
    // Without an application folder nothing is made relative to wherever the program runs:
    // the empty temporary file name cannot be created, and the recording says so.
    if (applicationFolder.empty())
        return paths;
    paths.folder = applicationFolder / kLiveLogFolderName;
    std::error_code ignored;
    std::filesystem::create_directories(paths.folder, ignored);
    paths.tempFile = paths.folder / kLiveLogTempName;
    char stamp[32] = {};
    std::strftime(stamp, sizeof stamp, "%Y%m%d(%H%M%S)", &localStart);
    paths.defaultName = paths.folder / Format("LiveLog_%s.cld", stamp);
    return paths;
}

std::string CldSaveName(const std::string& chosen)
{
    if (chosen.size() < 4)
        return chosen + ".cld";
    std::string ending = chosen.substr(chosen.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending == ".cld" ? chosen : chosen + ".cld";
}

LiveLogSaveResult SaveLiveLog(const std::filesystem::path& tempFile, const std::filesystem::path& target)
{
    if (SameFile(tempFile, target))
        return {true, {}};
    std::string error;
    if (!CopyReplacing(tempFile, target, error)) {
        return {false, Format("Log File Save Fail\r\n\r\n%s: %s\r\n\r\nThe recording stays in %s until the next Live "
                              "Log Start.",
                              target.string().c_str(), error.c_str(), tempFile.string().c_str())};
    }
    DiscardLiveLog(tempFile);
    return {true, {}};
}

void DiscardLiveLog(const std::filesystem::path& tempFile)
{
    std::error_code ignored;
    std::filesystem::remove(tempFile, ignored);
}

}  // namespace skarnel
