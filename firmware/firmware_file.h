#pragma once

#include "base/file_magic.h"

#include "firmware/image_kind.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace skarnel {

class InputFile;
class Reporter;

struct ImageLocation {
    uint32_t offset = 0;
    uint32_t size = 0;
};

// The 64 bytes in front of the images of an upgrade file; every field 32-bit little-endian.
struct FirmwareFileHeader {
    static constexpr size_t kSize = 64;

    uint32_t FileMagicAt0 = FileMagic;
    uint32_t BootIncluded = 0;  // nonzero: install the boot loader before the application
    uint32_t AppOffset = 0;
    uint32_t AppSize = 0;
    uint32_t BootOffset = 0;
    uint32_t BootSize = 0;
    uint32_t FileMagicAt24 = FileMagic;
    uint32_t StBootOffset = 0;
    uint32_t StBootSize = 0;
    // Bytes 36..63 are reserved: written as zero, ignored on reading.

    bool MagicsValid() const { return FileMagicAt0 == FileMagic && FileMagicAt24 == FileMagic; }
    ImageLocation Locate(ImageKind kind) const;

    std::array<uint8_t, kSize> Encode() const;
    static FirmwareFileHeader Decode(std::span<const uint8_t, kSize> bytes);
    // The header of images of these sizes packed behind it: application, boot loader, ST boot loader.
    static FirmwareFileHeader ForImages(uint32_t appSize, uint32_t bootSize, uint32_t stBootSize, bool bootIncluded);
};

// The images an upgrade installs, in order: the boot loader and the ST boot loader only when
// the boot loader is included (the ST one also needs a size), then always the application.
std::vector<ImageKind> ImagesToInstall(const FirmwareFileHeader& header);

// The quick check when a file is chosen: it opens and both magics are right. Otherwise the
// window is shown the "Error" box. On success bootIncluded is the header's BootIncluded.
bool CheckFirmwareFile(const std::string& path, Reporter& window, uint32_t& bootIncluded);

// The 64 header bytes; false when fewer can be read. The magics are the caller's to check.
bool ReadFirmwareFileHeader(const InputFile& file, FirmwareFileHeader& header);

// The stored (scrambled) bytes of one image, taken from its own offset and size; false when
// the file holds fewer bytes there than the size says.
bool ReadFirmwareImage(const InputFile& file, const FirmwareFileHeader& header, ImageKind kind,
                       std::vector<uint8_t>& stored);

}  // namespace skarnel
