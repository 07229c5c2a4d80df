#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace skarnel {

// A file opened for reading binary data: the firmware files and the images merged into them.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // False when the path cannot be opened or names a folder.
    bool Open(const std::string& path);
    bool IsOpen() const { return fd_ >= 0; }
    // What the operating system said when Open failed.
    const std::string& OpenFailureReason() const { return openFailureReason_; }
    uint64_t Length() const;
    // Reads up to count bytes at offset; returns how many came.
    size_t ReadAt(uint64_t offset, uint8_t* destination, size_t count) const;
    // Reads exactly count bytes at offset into bytes (resized); false when fewer came.
    bool ReadExactly(uint64_t offset, size_t count, std::vector<uint8_t>& bytes) const;
    // The whole file; false when fewer bytes than its length came.
    bool ReadAll(std::vector<uint8_t>& bytes) const;
    void Close();

private:
    int fd_ = -1;
    std::string openFailureReason_;
};

enum class WriteOutcome { Written, CreateFailed, WriteFailed };

struct WriteResult {
    WriteOutcome outcome = WriteOutcome::Written;
    std::string reason;  // what the operating system said

    bool Written() const { return outcome == WriteOutcome::Written; }
};

// Writes the bytes as the file's new content, replacing it only once all of them are on the
// disk: a failed write leaves the file as it was (see ReplacingFile).
WriteResult WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace skarnel
