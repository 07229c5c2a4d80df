#include "link/replacing_file.h"

#include <system_error>

namespace skarnel {

ReplacingFile::~ReplacingFile()
{
    if (committed_ || partPath_.empty())
        return;
    file_.close();
    std::error_code ignored;
    std::filesystem::remove(partPath_, ignored);
}

bool ReplacingFile::Create(const std::filesystem::path& path)
{
    path_ = path;
    partPath_ = path;
    partPath_ += ".part";
    file_.open(partPath_, std::ios::binary | std::ios::trunc);
    return file_.is_open();
}

bool ReplacingFile::Write(const uint8_t* bytes, size_t count)
{
    file_.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(count));
    return file_.good();
}

bool ReplacingFile::Commit()
{
    file_.close();
    if (file_.fail())
        return false;
    std::error_code error;
    std::filesystem::rename(partPath_, path_, error);
    committed_ = !error;
    return committed_;
}

bool WriteReplacingFile(const std::filesystem::path& path, const uint8_t* bytes, size_t count)
{
    ReplacingFile file;
    return file.Create(path) && file.Write(bytes, count) && file.Commit();
}

}  // namespace skarnel
