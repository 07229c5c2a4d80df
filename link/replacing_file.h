#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace skarnel {

// A file written beside its destination and moved over it only when complete, so that a
// failed backup never destroys the backup it would have replaced.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool Create(const std::filesystem::path& path);
    bool Write(const uint8_t* bytes, size_t count);
    // Flushes, closes and moves the file into place; false when any write failed.
    bool Commit();

private:
    std::filesystem::path path_;
    std::filesystem::path partPath_;
    std::ofstream file_;
    bool committed_ = false;
};

// Writes a whole file that way.
bool WriteReplacingFile(const std::filesystem::path& path, const uint8_t* bytes, size_t count);

}  // namespace skarnel
