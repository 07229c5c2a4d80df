#include "tests/firmware/upgrade_files.h"

#include "firmware/firmware_file.h"
#include "firmware/scrambler.h"
#include "base/byte_order.h"
#include "sim/controller_state.h"
#include "tests/support/temp_folder.h"

namespace skarnel::test {

std::vector<uint8_t> PlainApplicationImage(uint32_t productCode, uint32_t version, uint32_t memoryVersion, size_t size)
{
    const sim::VersionAddresses at;
    std::vector<uint8_t> image = PatternBytes(size, version);
    WriteLe32(image.data() + at.appProductCode, productCode);
    WriteLe32(image.data() + at.appVersion, version);
    WriteLe32(image.data() + at.memoryVersion, memoryVersion);
    return image;
}

std::vector<uint8_t> PlainBootLoaderImage(uint32_t productCode, uint32_t version)
{
    const sim::VersionAddresses at;
    std::vector<uint8_t> image = PatternBytes(0x800, version + 1000);
    WriteLe32(image.data() + at.bootProductCode, productCode);
    WriteLe32(image.data() + at.bootVersion, version);
    return image;
}

std::vector<uint8_t> UpgradeFileBytes(const UpgradeImages& images)
{
    const auto header = FirmwareFileHeader::ForImages(
        static_cast<uint32_t>(images.application.size()), static_cast<uint32_t>(images.bootLoader.size()),
        static_cast<uint32_t>(images.stBootLoader.size()), images.bootIncluded);
    const auto headerBytes = header.Encode();
    std::vector<uint8_t> bytes(headerBytes.begin(), headerBytes.end());
    for (const std::vector<uint8_t>* image : {&images.application, &images.bootLoader, &images.stBootLoader}) {
        const std::vector<uint8_t> stored = ScrambleImage(*image);
        bytes.insert(bytes.end(), stored.begin(), stored.end());
    }
    return bytes;
}

std::string WriteUpgradeFile(const TempFolder& folder, const std::string& name, const UpgradeImages& images)
{
    return folder.Write(name, UpgradeFileBytes(images));
}

}  // namespace skarnel::test
