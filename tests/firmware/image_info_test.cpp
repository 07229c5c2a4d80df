#include "firmware/image_info.h"
#include "base/byte_order.h"
#include "link/product_info.h"

#include <gtest/gtest.h>
#include <optional>

namespace skarnel {
namespace {

VersionAddressInfo Addresses()
{
    VersionAddressInfo addresses;
    addresses.AppPCodeAddr = 0x10;
    addresses.AppVerAddr = 0x14;
    addresses.MemVerAddr = 0x18;
    addresses.BootPCodeAddr = 0x20;
    addresses.BootVerAddr = 0x24;
    return addresses;
}

struct InfoCase {
    const char* name;
    ImageKind kind;
    size_t imageSize;
    uint32_t versionField;
    std::optional<uint32_t> expectedVersion;  // nothing: unreadable
};

TEST(ReadImageInfo, TakesLowBitsOfFieldsInsideTheImageAndBelow0x1000000)
{
    const InfoCase cases[] = {
        {"application", ImageKind::Application, 0x1C, 0x00012345, 0x2345},
        {"field 0xFFFFFF", ImageKind::Application, 0x1C, 0x00FFFFFF, 0xFFFF},
        {"field 0x1000000", ImageKind::Application, 0x1C, 0x01000000, std::nullopt},
        {"memory version beyond the image", ImageKind::Application, 0x1B, 7, std::nullopt},
        {"boot loader ignores the memory version address", ImageKind::BootLoader, 0x28, 0x00054321, 0x4321},
        {"boot loader field beyond the image", ImageKind::BootLoader, 0x27, 7, std::nullopt},
        {"ST boot loader carries no fields", ImageKind::StBootLoader, 0x40, 7, std::nullopt},
    };
    for (const InfoCase& c : cases) {
        std::vector<uint8_t> image(0x40, 0);
        const bool boot = c.kind == ImageKind::BootLoader;
        WriteLe32(image.data() + (boot ? 0x20 : 0x10), 0x00ABCDEF);
        WriteLe32(image.data() + (boot ? 0x24 : 0x14), c.versionField);
        WriteLe32(image.data() + 0x18, 0x0003E9);
        VersionAddressInfo addresses = Addresses();
        if (boot)
            addresses.MemVerAddr = 0x1000;
        ImageInfo info;
        const bool read = ReadImageInfo(image.data(), c.imageSize, addresses, c.kind, info);
        ASSERT_EQ(read, c.expectedVersion.has_value()) << c.name;
        if (!read)
            continue;
        EXPECT_EQ(info.productCode, 0xABCDEFu) << c.name;
        EXPECT_EQ(info.version, *c.expectedVersion) << c.name;
        EXPECT_EQ(info.memoryVersion, boot ? 0u : 1001u) << c.name;
    }
}

TEST(ReadImageInfo, ImageTooSmallForAnyFieldIsUnreadable)
{
    const uint8_t tiny[3] = {};
    VersionAddressInfo atZero;
    ImageInfo info;
    EXPECT_FALSE(ReadImageInfo(tiny, sizeof tiny, atZero, ImageKind::Application, info));
    EXPECT_FALSE(ReadImageInfo(nullptr, 0, atZero, ImageKind::BootLoader, info));
    EXPECT_EQ(ImageInfoLogLine({3001, 106, 1000}), "   >> Product Code:3001,  Version:106,  MemVersion:1000");
}

}  // namespace
}  // namespace skarnel
