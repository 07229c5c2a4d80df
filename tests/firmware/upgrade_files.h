#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skarnel::test {

class TempFolder;

// Plain images that carry their product code and versions at the simulator's default
// version addresses.
std::vector<uint8_t> PlainApplicationImage(uint32_t productCode, uint32_t version, uint32_t memoryVersion,
                                           size_t size = 0x5000);
std::vector<uint8_t> PlainBootLoaderImage(uint32_t productCode, uint32_t version);

struct UpgradeImages {
    std::vector<uint8_t> application;
    std::vector<uint8_t> bootLoader;    // empty: none
    std::vector<uint8_t> stBootLoader;  // empty: none
    bool bootIncluded = false;
};

// An upgrade file as the merge writes it: the header, then each image scrambled.
std::vector<uint8_t> UpgradeFileBytes(const UpgradeImages& images);
std::string WriteUpgradeFile(const TempFolder& folder, const std::string& name, const UpgradeImages& images);

}  // namespace skarnel::test
