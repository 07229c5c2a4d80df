#pragma once

#include "firmware/image_kind.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace skarnel {

struct VersionAddressInfo;

// The product code and versions a firmware image carries at the controller's version addresses.
struct ImageInfo {
    uint32_t productCode = 0;    // 24 bits
    uint32_t version = 0;        // 16 bits
    uint32_t memoryVersion = 0;  // 16 bits; 0 for a boot loader image
};

// Reads the fields of a descrambled image; each address is a byte offset into the image.
// False when a field lies beyond the image or holds 0x1000000 or more, and for an ST boot
// loader image, which carries no fields.
bool ReadImageInfo(const uint8_t* image, size_t size, const VersionAddressInfo& addresses, ImageKind kind,
                   ImageInfo& info);

// "   >> Product Code:%d,  Version:%d,  MemVersion:%d"
std::string ImageInfoLogLine(const ImageInfo& info);

}  // namespace skarnel
