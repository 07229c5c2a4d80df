#include "firmware/image_info.h"

#include "base/byte_order.h"
#include "base/format.h"
#include "link/product_info.h"

#include <optional>

namespace skarnel {
namespace {

constexpr uint32_t kFieldLimit = 0x1000000;

std::optional<uint32_t> FieldAt(const uint8_t* image, size_t size, uint32_t address)
{
    if (size < 4 || address > size - 4)
        return std::nullopt;
    const uint32_t value = ReadLe32(image + address);
    if (value >= kFieldLimit)
        return std::nullopt;
    return value;
}

}  // namespace

bool ReadImageInfo(const uint8_t* image, size_t size, const VersionAddressInfo& addresses, ImageKind kind,
                   ImageInfo& info)
{
    std::optional<uint32_t> productCode, version, memoryVersion = 0;
    switch (kind) {
    case ImageKind::Application:
        productCode = FieldAt(image, size, addresses.AppPCodeAddr);
        version = FieldAt(image, size, addresses.AppVerAddr);
        memoryVersion = FieldAt(image, size, addresses.MemVerAddr);
        break;
    case ImageKind::BootLoader:
        productCode = FieldAt(image, size, addresses.BootPCodeAddr);
        version = FieldAt(image, size, addresses.BootVerAddr);
        break;
    case ImageKind::StBootLoader: return false;
    }
    if (!productCode || !version || !memoryVersion)
        return false;
    info = {*productCode, *version & 0xFFFF, *memoryVersion & 0xFFFF};
    return true;
}

std::string ImageInfoLogLine(const ImageInfo& info)
{
    return Format("   >> Product Code:%d,  Version:%d,  MemVersion:%d", static_cast<int>(info.productCode),
                  static_cast<int>(info.version), static_cast<int>(info.memoryVersion));
}

}  // namespace skarnel
