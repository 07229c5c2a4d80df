#include "firmware/binary_file.h"
#include "firmware/firmware_file.h"
#include "base/byte_order.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using test::RecordingReporter;
using test::TempFolder;

constexpr const char* kUnreadableBox = "Firmware file can't be read. \r\nPlease recheck the downloaded file.|Error";

std::vector<uint8_t> HeaderBytes(const FirmwareFileHeader& header)
{
    const auto bytes = header.Encode();
    return {bytes.begin(), bytes.end()};
}

TEST(FirmwareFileHeader, WriterPacksTheImagesBehindTheHeader)
{
    const auto bytes = FirmwareFileHeader::ForImages(1000, 300, 20, true).Encode();
    const uint32_t expected[] = {FileMagic, 1, 64, 1000, 1064, 300, FileMagic, 1364, 20};
    for (size_t field = 0; field < std::size(expected); ++field)
        EXPECT_EQ(ReadLe32(bytes.data() + 4 * field), expected[field]) << "field at " << 4 * field;
    for (size_t reserved = 36; reserved < 64; ++reserved)
        EXPECT_EQ(bytes[reserved], 0) << reserved;
    EXPECT_EQ(FirmwareFileHeader::ForImages(1000, 0, 0, false).BootIncluded, 0u);
}

TEST(FirmwareFileHeader, DecodesWhatItEncodesAndLocatesEachKind)
{
    FirmwareFileHeader written = FirmwareFileHeader::ForImages(5, 6, 7, true);
    written.AppOffset = 900;  // the reader takes every image from its own offset
    std::vector<uint8_t> bytes = HeaderBytes(written);
    bytes[40] = 0xAB;  // reserved bytes are ignored
    const FirmwareFileHeader read = FirmwareFileHeader::Decode(RecordAt<FirmwareFileHeader::kSize>(bytes, 0));
    EXPECT_TRUE(read.MagicsValid());
    EXPECT_EQ(read.Locate(ImageKind::Application).offset, 900u);
    EXPECT_EQ(read.Locate(ImageKind::Application).size, 5u);
    EXPECT_EQ(read.Locate(ImageKind::BootLoader).offset, 69u);
    EXPECT_EQ(read.Locate(ImageKind::BootLoader).size, 6u);
    EXPECT_EQ(read.Locate(ImageKind::StBootLoader).offset, 75u);
    EXPECT_EQ(read.Locate(ImageKind::StBootLoader).size, 7u);
}

struct InstallCase {
    uint32_t bootIncluded;
    uint32_t bootSize;
    uint32_t stBootSize;
    std::vector<ImageKind> order;
};

TEST(ImagesToInstall, FollowBootIncludedAndTheStBootLoaderSize)
{
    using K = ImageKind;
    const InstallCase cases[] = {
        {0, 300, 0, {K::Application}},
        {0, 300, 100, {K::Application}},
        {1, 300, 0, {K::BootLoader, K::Application}},
        {7, 300, 100, {K::BootLoader, K::StBootLoader, K::Application}},
    };
    for (const InstallCase& c : cases) {
        FirmwareFileHeader header = FirmwareFileHeader::ForImages(1000, c.bootSize, c.stBootSize, true);
        header.BootIncluded = c.bootIncluded;
        EXPECT_EQ(ImagesToInstall(header), c.order) << c.bootIncluded << " " << c.stBootSize;
    }
}

struct CheckCase {
    const char* name;
    std::vector<uint8_t> bytes;
    bool passes;
};

std::vector<uint8_t> WithField(std::vector<uint8_t> bytes, size_t offset, uint32_t value)
{
    WriteLe32(bytes.data() + offset, value);
    return bytes;
}

TEST(CheckFirmwareFile, NeedsBothMagicsInAWholeHeader)
{
    const std::vector<uint8_t> empty64 = HeaderBytes(FirmwareFileHeader::ForImages(0, 0, 0, false));
    const std::vector<uint8_t> merged = HeaderBytes(FirmwareFileHeader::ForImages(3, 0, 0, false));
    const CheckCase cases[] = {
        {"all sizes zero", empty64, true},
        {"with an image", {merged.begin(), merged.end()}, true},
        {"second magic wrong", WithField(empty64, 24, 0x005F12CE), false},
        {"first magic wrong", WithField(empty64, 0, 0), false},
        {"shorter than a header", std::vector<uint8_t>(empty64.begin(), empty64.begin() + 40), false},
        {"empty file", {}, false},
    };
    TempFolder folder;
    for (const CheckCase& c : cases) {
        RecordingReporter window;
        uint32_t bootIncluded = 99;
        const bool passed = CheckFirmwareFile(folder.Write("fw.bin", c.bytes), window, bootIncluded);
        EXPECT_EQ(passed, c.passes) << c.name;
        EXPECT_EQ(window.Messages(), c.passes ? std::vector<std::string>{} : std::vector<std::string>{kUnreadableBox})
            << c.name;
        EXPECT_EQ(bootIncluded, c.passes ? 0u : 99u) << c.name;
    }
}

TEST(CheckFirmwareFile, HandsBackBootIncludedAndRefusesWhatCannotBeOpened)
{
    TempFolder folder;
    RecordingReporter window;
    uint32_t bootIncluded = 0;
    FirmwareFileHeader header = FirmwareFileHeader::ForImages(0, 0, 0, true);
    header.BootIncluded = 5;
    EXPECT_TRUE(CheckFirmwareFile(folder.Write("fw.bin", HeaderBytes(header)), window, bootIncluded));
    EXPECT_EQ(bootIncluded, 5u);
    EXPECT_FALSE(CheckFirmwareFile(folder.Path("missing.bin"), window, bootIncluded));
    EXPECT_FALSE(CheckFirmwareFile(folder.path(), window, bootIncluded));
    EXPECT_EQ(window.Messages(), (std::vector<std::string>{kUnreadableBox, kUnreadableBox}));
}

TEST(ReadFirmwareImage, TakesExactlyTheStoredBytesOfTheKind)
{
    TempFolder folder;
    FirmwareFileHeader header = FirmwareFileHeader::ForImages(4, 2, 0, true);
    std::vector<uint8_t> bytes = HeaderBytes(header);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6});
    InputFile file;
    ASSERT_TRUE(file.Open(folder.Write("fw.bin", bytes)));
    std::vector<uint8_t> image;
    ASSERT_TRUE(ReadFirmwareImage(file, header, ImageKind::BootLoader, image));
    EXPECT_EQ(image, (std::vector<uint8_t>{5, 6}));
    ASSERT_TRUE(ReadFirmwareImage(file, header, ImageKind::StBootLoader, image));
    EXPECT_TRUE(image.empty());

    header.AppSize = 7;  // one byte beyond the end of the file
    EXPECT_FALSE(ReadFirmwareImage(file, header, ImageKind::Application, image));
    header.AppSize = 0xFFFFFFF0;  // refused before anything of that size is allocated
    EXPECT_FALSE(ReadFirmwareImage(file, header, ImageKind::Application, image));
    header.AppOffset = 0xFFFFFFFF;
    header.AppSize = 1;
    EXPECT_FALSE(ReadFirmwareImage(file, header, ImageKind::Application, image));
}

}  // namespace
}  // namespace skarnel
