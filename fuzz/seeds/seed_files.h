#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace skarnel::fuzz {

// Where the seeds of one target go: corpus/<target>/<name>.
class SeedFolder {
public:
    SeedFolder(const std::filesystem::path& corpus, const std::string& target);

    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    // The file a writer of the system made, taken as a seed.
    void Take(const std::string& name, const std::filesystem::path& made) const;

private:
    std::filesystem::path folder_;
};

std::vector<uint8_t> FileBytes(const std::filesystem::path& path);
std::vector<uint8_t> Concatenated(std::vector<uint8_t> first, const std::vector<uint8_t>& second);

// The seeds of each group of targets.
void WriteFirmwareSeeds(const std::filesystem::path& corpus);
void WriteModelSeeds(const std::filesystem::path& corpus);
void WriteVoiceSeeds(const std::filesystem::path& corpus);
void WriteLogSeeds(const std::filesystem::path& corpus);
void WriteReplySeeds(const std::filesystem::path& corpus);

}  // namespace skarnel::fuzz
