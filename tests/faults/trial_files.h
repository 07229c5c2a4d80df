#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace skarnel::test {

// The files of a folder, by name, with their bytes; sub-folders are left out.
using FolderContents = std::map<std::string, std::vector<uint8_t>>;
FolderContents ReadFolder(const std::filesystem::path& folder);

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
// `size` bytes from `at`; fewer when the bytes end first.
std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t at, size_t size);

}  // namespace skarnel::test
