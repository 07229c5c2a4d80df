#include "tests/faults/trial_files.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace skarnel::test {

FolderContents ReadFolder(const std::filesystem::path& folder)
{
    FolderContents contents;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file())
            contents[entry.path().filename().string()] = ReadBytes(entry.path());
    return contents;
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t at, size_t size)
{
    const size_t begin = std::min(at, bytes.size());
    const size_t end = std::min(begin + size, bytes.size());
    return {bytes.begin() + static_cast<std::ptrdiff_t>(begin), bytes.begin() + static_cast<std::ptrdiff_t>(end)};
}

}  // namespace skarnel::test
