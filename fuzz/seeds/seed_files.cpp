#include "fuzz/seeds/seed_files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace skarnel::fuzz {

SeedFolder::SeedFolder(const std::filesystem::path& corpus, const std::string& target) : folder_(corpus / target)
{
    std::filesystem::create_directories(folder_);
}

void SeedFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    std::ofstream file(folder_ / name, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush())
        throw std::runtime_error("cannot write the seed " + (folder_ / name).string());
}

void SeedFolder::Take(const std::string& name, const std::filesystem::path& made) const
{
    const std::vector<uint8_t> bytes = FileBytes(made);
    if (bytes.empty())
        throw std::runtime_error("the writer left nothing in " + made.string());
    Write(name, bytes);
}

std::vector<uint8_t> FileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Concatenated(std::vector<uint8_t> first, const std::vector<uint8_t>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

}  // namespace skarnel::fuzz
