#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace skarnel::fuzz {

// This process's own folder under the system's temporary folder: made on first use, removed
// with everything in it when the process ends normally.
const std::filesystem::path& ScratchFolder();

// The input as a file of that name in the scratch folder, replacing the last one; its path.
// The parsers under test open files by path, as they do in the application.
std::filesystem::path WriteInputFile(const std::string& name, const uint8_t* data, size_t size);

// An empty folder of that name in the scratch folder, for the files one input makes.
std::filesystem::path FreshFolder(const std::string& name);

// Stops the run when a path named after the input leads anywhere but into its folder.
void CheckInsideFolder(const std::filesystem::path& folder, const std::filesystem::path& path);

}  // namespace skarnel::fuzz
