#include "firmware/firmware_file.h"

#include "firmware/binary_file.h"
#include "base/byte_order.h"
#include "base/reporter.h"

namespace skarnel {
namespace {

enum HeaderOffset : size_t {
    kMagicAt0 = 0,
    kBootIncluded = 4,
    kAppOffset = 8,
    kAppSize = 12,
    kBootOffset = 16,
    kBootSize = 20,
    kMagicAt24 = 24,
    kStBootOffset = 28,
    kStBootSize = 32,
};

constexpr const char* kUnreadableFileText = "Firmware file can't be read. \r\nPlease recheck the downloaded file.";

}  // namespace

ImageLocation FirmwareFileHeader::Locate(ImageKind kind) const
{
    switch (kind) {
    case ImageKind::BootLoader: return {BootOffset, BootSize};
    case ImageKind::StBootLoader: return {StBootOffset, StBootSize};
    case ImageKind::Application: break;
    }
    return {AppOffset, AppSize};
}

std::array<uint8_t, FirmwareFileHeader::kSize> FirmwareFileHeader::Encode() const
{
    std::array<uint8_t, kSize> bytes{};
    WriteLe32(bytes.data() + kMagicAt0, FileMagicAt0);
    WriteLe32(bytes.data() + kBootIncluded, BootIncluded);
    WriteLe32(bytes.data() + kAppOffset, AppOffset);
    WriteLe32(bytes.data() + kAppSize, AppSize);
    WriteLe32(bytes.data() + kBootOffset, BootOffset);
    WriteLe32(bytes.data() + kBootSize, BootSize);
    WriteLe32(bytes.data() + kMagicAt24, FileMagicAt24);
    WriteLe32(bytes.data() + kStBootOffset, StBootOffset);
    WriteLe32(bytes.data() + kStBootSize, StBootSize);
    return bytes;
}

FirmwareFileHeader FirmwareFileHeader::Decode(std::span<const uint8_t, kSize> bytes)
{
    FirmwareFileHeader header;
    header.FileMagicAt0 = ReadLe32(bytes.data() + kMagicAt0);
    header.BootIncluded = ReadLe32(bytes.data() + kBootIncluded);
    header.AppOffset = ReadLe32(bytes.data() + kAppOffset);
    header.AppSize = ReadLe32(bytes.data() + kAppSize);
    header.BootOffset = ReadLe32(bytes.data() + kBootOffset);
    header.BootSize = ReadLe32(bytes.data() + kBootSize);
    header.FileMagicAt24 = ReadLe32(bytes.data() + kMagicAt24);
    header.StBootOffset = ReadLe32(bytes.data() + kStBootOffset);
    header.StBootSize = ReadLe32(bytes.data() + kStBootSize);
    return header;
}

FirmwareFileHeader FirmwareFileHeader::ForImages(uint32_t appSize, uint32_t bootSize, uint32_t stBootSize,
                                                 bool bootIncluded)
{
    FirmwareFileHeader header;
    header.BootIncluded = bootIncluded ? 1 : 0;
    constexpr auto headerSize = static_cast<uint32_t>(kSize);
    header.AppOffset = headerSize;
    header.AppSize = appSize;
    header.BootOffset = headerSize + appSize;
    header.BootSize = bootSize;
    header.StBootOffset = headerSize + appSize + bootSize;
    header.StBootSize = stBootSize;
    return header;
}

std::vector<ImageKind> ImagesToInstall(const FirmwareFileHeader& header)
{
    std::vector<ImageKind> kinds;
    if (header.BootIncluded != 0) {
        kinds.push_back(ImageKind::BootLoader);
        if (header.StBootSize != 0)
            kinds.push_back(ImageKind::StBootLoader);
    }
    kinds.push_back(ImageKind::Application);
    return kinds;
}

bool ReadFirmwareFileHeader(const InputFile& file, FirmwareFileHeader& header)
{
    std::array<uint8_t, FirmwareFileHeader::kSize> bytes{};
    if (file.ReadAt(0, bytes.data(), bytes.size()) != bytes.size())
        return false;
    header = FirmwareFileHeader::Decode(bytes);
    return true;
}

bool CheckFirmwareFile(const std::string& path, Reporter& window, uint32_t& bootIncluded)
{
    InputFile file;
    FirmwareFileHeader header;
    if (!file.Open(path) || !ReadFirmwareFileHeader(file, header) || !header.MagicsValid()) {
        window.ShowMessage(kUnreadableFileText, "Error", MessageIcon::Error);
        return false;
    }
    bootIncluded = header.BootIncluded;
    return true;
}

bool ReadFirmwareImage(const InputFile& file, const FirmwareFileHeader& header, ImageKind kind,
                       std::vector<uint8_t>& stored)
{
    const ImageLocation location = header.Locate(kind);
    return file.ReadExactly(location.offset, location.size, stored);
}

}  // namespace skarnel
