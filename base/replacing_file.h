#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace skarnel {

// A file written beside its destination ("<name>.part"), flushed to the disk and moved over the
// destination only when complete, so that a failed write, a full disk or a crash leaves the old
// file or the new one, never a torn one. A destination that exists and is no regular file (a
// device, a pipe) is written straight into, as it cannot be replaced.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool Create(const std::filesystem::path& path);
    bool Write(const uint8_t* bytes, size_t count);
    // Flushes, closes and moves the file into place; false when anything failed.
    bool Commit();
    // What the operating system said of the first failure; empty while all went well.
    const std::string& Error() const { return error_; }

private:
    bool Fail(int error);
    void Discard();

    std::filesystem::path path_;
    std::filesystem::path writtenPath_;
    int fd_ = -1;
    bool replacing_ = false;
    std::string error_;
};

// Writes a whole file that way; the first failure's text in `error` when given.
bool WriteReplacingFile(const std::filesystem::path& path, const uint8_t* bytes, size_t count,
                        std::string* error = nullptr);

}  // namespace skarnel
