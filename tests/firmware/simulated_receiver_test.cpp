#include "firmware/image_info.h"
#include "firmware/scrambler.h"
#include "base/byte_order.h"
#include "link/download_function.h"
#include "link/product_info.h"
#include "tests/firmware/download_link.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using sim::ControllerMode;
using test::DownloadLink;

constexpr int kErrorWithAddress = 3;

std::vector<uint8_t> Block(uint32_t offset, uint16_t state, const std::vector<uint8_t>& bytes)
{
    std::vector<uint8_t> payload(8);
    WriteLe32(payload.data(), offset);
    WriteLe16(payload.data() + 4, state);
    payload.insert(payload.end(), bytes.begin(), bytes.end());
    return payload;
}

bool SendBlock(DownloadLink& s, uint32_t offset, uint16_t state, const std::vector<uint8_t>& bytes)
{
    const std::vector<uint8_t> payload = Block(offset, state, bytes);
    return s.link.SingleCommand(static_cast<uint8_t>(s.link.groupId), 0x13, payload.data(),
                                static_cast<uint16_t>(payload.size()));
}

struct BadBlockCase {
    const char* name;
    uint32_t offset;
    uint16_t state;
    size_t count;
};

// After one good block of 2048 bytes of a 3000-byte image.
TEST(SimulatedReceiver, RefusesABlockThatDoesNotFollowOrFit)
{
    const BadBlockCase cases[] = {
        {"skips ahead", 2049, ScramblerStateAt(2049), 100},
        {"goes back", 1024, ScramblerStateAt(1024), 100},
        {"wrong keystream state", 2048, ScramblerStateAt(2047), 100},
        {"beyond the announced size", 2048, ScramblerStateAt(2048), 953},
    };
    for (const BadBlockCase& c : cases) {
        DownloadLink s;
        ASSERT_TRUE(s.AnnounceApplication(3000));
        ASSERT_TRUE(SendBlock(s, 0, ScramblerSeed, std::vector<uint8_t>(2048, 1)));
        EXPECT_FALSE(SendBlock(s, c.offset, c.state, std::vector<uint8_t>(c.count, 2))) << c.name;
        const std::vector<test::RecordingReporter::Event> events = s.reporter.Events();
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.back().number, kErrorWithAddress) << c.name;
        EXPECT_EQ(events.back().value, 2048u) << c.name;
        EXPECT_TRUE(SendBlock(s, 2048, ScramblerStateAt(2048), std::vector<uint8_t>(952, 3))) << c.name;
        EXPECT_EQ(s.engine().state().firmware.receivedImages.count(ImageKind::Application), 1u) << c.name;
    }
}

TEST(SimulatedReceiver, TakesNothingBeforeTheDownloadStartAndTheFileInformation)
{
    DownloadLink s;
    s.link.groupId = kGroupBootLoader;
    s.engine().state().mode = ControllerMode::BootLoader;
    EXPECT_FALSE(s.link.SendImageFileInformation(100, "fw.bin"));  // no download start
    ASSERT_TRUE(s.link.SendDownloadStart());
    EXPECT_FALSE(SendBlock(s, 0, ScramblerSeed, {1, 2, 3}));  // no file information
    EXPECT_FALSE(s.link.SendFileInformation(100, 0, "fw.bin", "EEPROM"));
    EXPECT_FALSE(s.link.SendImageFileInformation(0x100001, "huge.bin"));
    ASSERT_TRUE(s.link.SendImageFileInformation(3, "fw.bin"));
    s.link.groupId = kGroupStBootLoader;  // announced to the boot loader, not to the ST boot loader
    EXPECT_FALSE(SendBlock(s, 0, ScramblerSeed, {1, 2, 3}));
    s.link.groupId = kGroupBootLoader;
    EXPECT_TRUE(SendBlock(s, 0, ScramblerSeed, {1, 2, 3}));
}

TEST(SimulatedReceiver, RestartForgetsTheDownloadStart)
{
    DownloadLink s;
    ASSERT_TRUE(s.EnterBootLoader());
    ASSERT_TRUE(s.link.RequestRestart());
    ASSERT_TRUE(s.link.WaitBootupFrame());
    EXPECT_FALSE(s.link.SendImageFileInformation(10, "fw.bin"));
}

struct KindCase {
    ImageKind kind;
    ControllerMode mode;
    int group;
};

TEST(SimulatedReceiver, KeepsEachImageByTheGroupThatTookIt)
{
    const KindCase cases[] = {
        {ImageKind::BootLoader, ControllerMode::Application, kGroupApplication},
        {ImageKind::Application, ControllerMode::BootLoader, kGroupBootLoader},
        {ImageKind::StBootLoader, ControllerMode::BootLoader, kGroupStBootLoader},
    };
    for (const KindCase& c : cases) {
        DownloadLink s;
        s.engine().state().mode = c.mode;
        s.engine().state().rfPaused = true;
        s.link.groupId = c.mode == ControllerMode::Application ? kGroupApplication : kGroupBootLoader;
        ASSERT_TRUE(s.link.SendDownloadStart());
        s.link.groupId = c.group;
        const std::vector<uint8_t> plain = test::PatternBytes(5000, static_cast<uint32_t>(c.group));
        const std::vector<uint8_t> stored = ScrambleImage(plain);
        ASSERT_TRUE(s.link.SendImageFileInformation(5000, "fw.bin"));
        ASSERT_TRUE(s.link.DownloadImage(5000, stored.data(), c.kind, 0));
        const auto& images = s.engine().state().firmware.receivedImages;
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images.at(c.kind), plain);
    }
}

TEST(SimulatedReceiver, CompleteApplicationStartsWithTheVersionsItCarries)
{
    DownloadLink s;
    s.engine().state().firmware.applicationStartDelayMs = 300;
    const sim::VersionAddresses& at = s.engine().state().addresses;
    std::vector<uint8_t> plain = test::PatternBytes(0x5000, 5);
    WriteLe32(plain.data() + at.appProductCode, 3001);
    WriteLe32(plain.data() + at.appVersion, 0x00010107);
    WriteLe32(plain.data() + at.memoryVersion, 1001);
    const std::vector<uint8_t> stored = ScrambleImage(plain);
    ASSERT_TRUE(s.AnnounceApplication(static_cast<uint32_t>(plain.size())));
    ASSERT_TRUE(s.link.DownloadImage(static_cast<uint32_t>(stored.size()), stored.data(), ImageKind::Application, 0));
    EXPECT_TRUE(s.link.PauseRfProcessOnce());  // still the boot loader
    s.link.Sleep(300);
    s.link.groupId = kGroupApplication;
    ProductInfo product;
    ASSERT_TRUE(s.link.ReadProductInfo(product));
    EXPECT_EQ(s.engine().state().mode, ControllerMode::Application);
    EXPECT_EQ(product.AppVer, 0x0107);
    EXPECT_EQ(product.MemVer, 1001);
}

TEST(SimulatedReceiver, EraseDropsTheApplicationArea)
{
    DownloadLink s;
    ASSERT_TRUE(s.AnnounceApplication(4096));
    const std::vector<uint8_t> image(2048, 7);
    ASSERT_TRUE(SendBlock(s, 0, ScramblerSeed, image));
    EXPECT_TRUE(s.link.EraseApplicationArea());
    EXPECT_EQ(s.engine().state().firmware.eraseCount, 1);
    EXPECT_FALSE(SendBlock(s, 2048, ScramblerStateAt(2048), image));
    EXPECT_EQ(s.engine().state().mode, ControllerMode::BootLoader);
}

}  // namespace
}  // namespace skarnel
