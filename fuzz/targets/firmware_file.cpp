// An upgrade file as the upgrade and its conversion check read it: the header, every image it
// lists, and the product code and versions at the controller's version addresses.
// Input: the 20-byte version address reply, then the file.
#include "base/byte_order.h"
#include "firmware/binary_file.h"
#include "firmware/firmware_file.h"
#include "firmware/image_info.h"
#include "firmware/scrambler.h"
#include "fuzz/support/agreeing_reporter.h"
#include "fuzz/support/scratch_folder.h"
#include "link/product_info.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace skarnel;

namespace {

void ReadImages(const InputFile& file, const FirmwareFileHeader& header, const VersionAddressInfo& addresses)
{
    for (const ImageKind kind : ImagesToInstall(header)) {
        std::vector<uint8_t> stored;
        if (!ReadFirmwareImage(file, header, kind, stored))
            continue;
        const std::vector<uint8_t> plain = ScrambleImage(stored);
        ImageInfo info;
        if (ReadImageInfo(plain.data(), plain.size(), addresses, kind, info))
            ImageInfoLogLine(info);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < VersionAddressInfo::kReplySize)
        return 0;
    const VersionAddressInfo addresses =
        VersionAddressInfo::FromReply(RecordAt<VersionAddressInfo::kReplySize>({data, size}, 0));
    const size_t fileStart = VersionAddressInfo::kReplySize;
    const std::string path = fuzz::WriteInputFile("upgrade.bin", data + fileStart, size - fileStart).string();
    fuzz::AgreeingReporter window;
    uint32_t bootIncluded = 0;
    if (!CheckFirmwareFile(path, window, bootIncluded))
        return 0;
    InputFile file;
    FirmwareFileHeader header;
    if (file.Open(path) && ReadFirmwareFileHeader(file, header))
        ReadImages(file, header, addresses);
    return 0;
}
