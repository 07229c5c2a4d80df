#include "firmware/binary_file.h"

#include "base/replacing_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skarnel {

InputFile::~InputFile()
{
    Close();
}

bool InputFile::Open(const std::string& path)
{
    Close();
    openFailureReason_.clear();
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    int error = fd_ < 0 ? errno : 0;
    struct stat info {};
    if (fd_ >= 0 && ::fstat(fd_, &info) != 0)
        error = errno;
    else if (fd_ >= 0 && S_ISDIR(info.st_mode))
        error = EISDIR;
    if (error != 0) {
        Close();
        openFailureReason_ = std::strerror(error);
    }
    return fd_ >= 0;
}

void InputFile::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

uint64_t InputFile::Length() const
{
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0 || info.st_size < 0)
        return 0;
    return static_cast<uint64_t>(info.st_size);
}

size_t InputFile::ReadAt(uint64_t offset, uint8_t* destination, size_t count) const
{
    size_t done = 0;
    while (fd_ >= 0 && done < count) {
        const ssize_t n = ::pread(fd_, destination + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

bool InputFile::ReadExactly(uint64_t offset, size_t count, std::vector<uint8_t>& bytes) const
{
    // A size field beyond the file's end is refused before anything is allocated for it.
    const uint64_t length = Length();
    if (offset > length || count > length - offset) {
        bytes.clear();
        return false;
    }
    bytes.assign(count, 0);
    const size_t got = ReadAt(offset, bytes.data(), count);
    bytes.resize(got);
    return got == count;
}

bool InputFile::ReadAll(std::vector<uint8_t>& bytes) const
{
    return ReadExactly(0, static_cast<size_t>(Length()), bytes);
}

WriteResult WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    ReplacingFile file;
    if (!file.Create(path))
        return {WriteOutcome::CreateFailed, file.Error()};
    if (!file.Write(bytes.data(), bytes.size()) || !file.Commit())
        return {WriteOutcome::WriteFailed, file.Error()};
    return {};
}

}  // namespace skarnel
