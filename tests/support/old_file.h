#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace skarnel::test {

// A file that stands where a writer is about to write, to see what a failed write leaves of it.
class OldFile {
public:
    OldFile(std::filesystem::path path, std::vector<uint8_t> bytes) : path_(std::move(path)), bytes_(std::move(bytes))
    {
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
    }

    const std::filesystem::path& path() const { return path_; }
    // Byte for byte as it was.
    bool Kept() const
    {
        std::ifstream file(path_, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {}) == bytes_;
    }

private:
    std::filesystem::path path_;
    std::vector<uint8_t> bytes_;
};

// The "*.part" files anywhere under the folder, which a finished writer must not leave.
inline std::vector<std::string> PartFilesUnder(const std::filesystem::path& folder)
{
    std::vector<std::string> parts;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.path().extension() == ".part")
            parts.push_back(entry.path().string());
    return parts;
}

}  // namespace skarnel::test
