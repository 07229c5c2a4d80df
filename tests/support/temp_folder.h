#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skarnel::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string Path(const std::string& name) const;
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    std::vector<uint8_t> Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::string path_;
};

// Bytes that differ from position to position and from seed to seed.
std::vector<uint8_t> PatternBytes(size_t size, uint32_t seed);

}  // namespace skarnel::test
