#include "fuzz/support/scratch_folder.h"

#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace skarnel::fuzz {
namespace {

class Folder {
public:
    Folder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "skarnel-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a scratch folder");
        path_ = pattern;
    }
    ~Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace

const std::filesystem::path& ScratchFolder()
{
    static const Folder folder;
    return folder.path();
}

std::filesystem::path WriteInputFile(const std::string& name, const uint8_t* data, size_t size)
{
    const std::filesystem::path path = ScratchFolder() / name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!file.flush())
        throw std::runtime_error("cannot write " + path.string());
    return path;
}

std::filesystem::path FreshFolder(const std::string& name)
{
    const std::filesystem::path path = ScratchFolder() / name;
    std::filesystem::remove_all(path);
    std::filesystem::create_directory(path);
    return path;
}

void CheckInsideFolder(const std::filesystem::path& folder, const std::filesystem::path& path)
{
    if (path.parent_path() == folder && path.filename() != ".." && path.filename() != ".")
        return;
    std::fprintf(stderr, "%s leads out of %s\n", path.c_str(), folder.c_str());
    std::abort();
}

}  // namespace skarnel::fuzz
