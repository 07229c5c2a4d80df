#include "base/replacing_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skarnel {
namespace {

bool ExistsAsOtherThanRegularFile(const std::filesystem::path& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

// The rename is durable only once the folder that holds the name is on the disk too.
void SyncFolderOf(const std::filesystem::path& path)
{
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

ReplacingFile::~ReplacingFile()
{
    Discard();
}

bool ReplacingFile::Fail(int error)
{
    if (error_.empty())
        error_ = std::strerror(error);
    return false;
}

// An unfinished replacement leaves nothing behind; a file written straight into stays as it is.
void ReplacingFile::Discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (replacing_)
        ::unlink(writtenPath_.c_str());
    replacing_ = false;
}

bool ReplacingFile::Create(const std::filesystem::path& path)
{
    Discard();
    error_.clear();
    path_ = path;
    replacing_ = !ExistsAsOtherThanRegularFile(path);
    writtenPath_ = path;
    if (replacing_)
        writtenPath_ += ".part";
    const int flags = O_WRONLY | O_CLOEXEC | (replacing_ ? O_CREAT | O_TRUNC : 0);
    fd_ = ::open(writtenPath_.c_str(), flags, 0644);
    if (fd_ < 0) {
        replacing_ = false;
        return Fail(errno);
    }
    return true;
}

bool ReplacingFile::Write(const uint8_t* bytes, size_t count)
{
    if (fd_ < 0 || !error_.empty())
        return false;
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd_, bytes + done, count - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n == 0)
            return Fail(EIO);
        else if (errno != EINTR)
            return Fail(errno);
    }
    return true;
}

bool ReplacingFile::Commit()
{
    if (fd_ < 0 || !error_.empty())
        return false;
    if (replacing_ && ::fsync(fd_) != 0)
        return Fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return Fail(errno);
    if (!replacing_)
        return true;
    if (::rename(writtenPath_.c_str(), path_.c_str()) != 0)
        return Fail(errno);
    replacing_ = false;
    SyncFolderOf(path_);
    return true;
}

bool WriteReplacingFile(const std::filesystem::path& path, const uint8_t* bytes, size_t count, std::string* error)
{
    ReplacingFile file;
    const bool written = file.Create(path) && file.Write(bytes, count) && file.Commit();
    if (error)
        *error = file.Error();
    return written;
}

}  // namespace skarnel
