#include "firmware/image_kind.h"
#include "firmware/scrambler.h"
#include "base/byte_order.h"
#include "link/download_function.h"
#include "link/rs232.h"
#include "tests/firmware/download_link.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using sim::FaultKind;
using sim::FaultRule;
using test::DownloadLink;

constexpr uint8_t kCodeDataBlock = 0x13;
constexpr uint8_t kCodeLcdLine = 0x21;
const std::string kForty(40, ' ');

FaultRule BlockFault(FaultKind kind, int at, int count, int amount = 0)
{
    FaultRule rule;
    rule.kind = kind;
    rule.code = kCodeDataBlock;
    rule.at = at;
    rule.count = count;
    rule.amount = amount;
    return rule;
}

struct BlockCase {
    uint32_t size;
    std::vector<uint32_t> counts;
};

TEST(DownloadImage, SendsBlocksOf2048WithOffsetAndTheStateAtTheirFirstByte)
{
    const BlockCase cases[] = {{4096, {2048, 2048}}, {4097, {2048, 2048, 1}}, {100, {100}}};
    for (const BlockCase& c : cases) {
        DownloadLink s;
        const std::vector<uint8_t> plain = test::PatternBytes(c.size, c.size);
        const std::vector<uint8_t> stored = ScrambleImage(plain);
        ASSERT_TRUE(s.AnnounceApplication(c.size));
        ASSERT_TRUE(s.link.DownloadImage(c.size, stored.data(), ImageKind::Application, 0));
        const std::vector<sim::Request> blocks = s.Requests(kCodeDataBlock);
        ASSERT_EQ(blocks.size(), c.counts.size()) << c.size;
        uint32_t offset = 0;
        for (size_t n = 0; n < blocks.size(); ++n) {
            const std::vector<uint8_t>& payload = blocks[n].payload;
            ASSERT_EQ(payload.size(), 8 + c.counts[n]) << c.size << " block " << n;
            EXPECT_EQ(ReadLe32(payload.data()), offset);
            EXPECT_EQ(ReadLe16(payload.data() + 4), n == 0 ? ScramblerSeed : ScramblerStateAt(2048 * n));
            EXPECT_EQ(ReadLe16(payload.data() + 6), 0);
            EXPECT_TRUE(std::equal(payload.begin() + 8, payload.end(), stored.begin() + offset));
            EXPECT_EQ(blocks[n].group, kGroupBootLoader);
            offset += c.counts[n];
        }
        EXPECT_EQ(s.engine().state().firmware.receivedImages.at(ImageKind::Application), plain) << c.size;
    }
}

struct StatusCase {
    ImageKind kind;
    const char* first;
    const char* last;
};

TEST(DownloadImage, ReportsBlocksWithTheStatusTextOfItsKind)
{
    const StatusCase cases[] = {
        {ImageKind::Application, "Application Firmware Downloading...   0/3",
         "Application Firmware Downloading...   3/3"},
        {ImageKind::BootLoader, "Boot Loader Firmware Downloading...   0/3",
         "Boot Loader Firmware Downloading...   3/3"},
        {ImageKind::StBootLoader, "ST Boot Loader Firmware Downloading...   0/3",
         "ST Boot Loader Firmware Downloading...   3/3"},
    };
    for (const StatusCase& c : cases) {
        DownloadLink s;
        const std::vector<uint8_t> image(5000, 0x11);
        for (uint8_t code : {kCodeDataBlock, kCodeLcdLine})
            s.engine().On(sim::ControllerMode::Application, 0, code, [](const sim::Request&) { return sim::Reply{}; });
        const int64_t start = s.clock.NowMs();
        ASSERT_TRUE(s.link.DownloadImage(5000, image.data(), c.kind, 0));
        EXPECT_GE(s.Elapsed(start), 200);
        const std::vector<test::RecordingReporter::Event> events = s.reporter.Events();
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.front().kind, test::RecordingReporter::Event::ProgressRange);
        EXPECT_EQ(events.front().number, 3);
        const std::vector<std::string> texts = s.ProgressTexts();
        ASSERT_EQ(texts.size(), 4u);
        EXPECT_EQ(texts.front(), c.first);
        EXPECT_EQ(texts.back(), c.last);
        const bool lines = !s.Requests(kCodeLcdLine).empty();
        EXPECT_EQ(lines, c.kind == ImageKind::Application);
    }
}

TEST(DownloadImage, EmptyImageSendsNoBlockAndStillFinishes)
{
    DownloadLink s;
    const int64_t start = s.clock.NowMs();
    EXPECT_TRUE(s.link.DownloadImage(0, nullptr, ImageKind::Application, 0));
    EXPECT_EQ(s.Elapsed(start), 200);
    EXPECT_TRUE(s.Requests(kCodeDataBlock).empty());
    EXPECT_EQ(s.ProgressTexts(), (std::vector<std::string>{"Application Firmware Downloading...   0/0"}));
}

struct LcdCase {
    int displayType;
    std::vector<std::pair<int, std::string>> firstBlockLines;
};

TEST(DownloadImage, ShowsProgressLinesOnTheControllerByDisplayType)
{
    const LcdCase cases[] = {
        {0, {{6, "Progress : 0 / 2      "}, {7, "->                  "}}},
        {1, {{4, kForty}, {4, "Progress : 0 / 2      "}, {5, kForty}, {5, "->                  "}}},
        {2, {}},
    };
    for (const LcdCase& c : cases) {
        DownloadLink s;
        const std::vector<uint8_t> image(4000, 0x22);
        ASSERT_TRUE(s.AnnounceApplication(4000));
        ASSERT_TRUE(s.link.DownloadImage(4000, image.data(), ImageKind::Application, c.displayType));
        const std::vector<sim::Request> lines = s.Requests(kCodeLcdLine);
        ASSERT_EQ(lines.size(), 2 * c.firstBlockLines.size()) << c.displayType;
        for (size_t i = 0; i < c.firstBlockLines.size(); ++i) {
            EXPECT_EQ(lines[i].payload[0], c.firstBlockLines[i].first) << c.displayType << " line " << i;
            EXPECT_EQ(std::string(lines[i].payload.begin() + 1, lines[i].payload.end()), c.firstBlockLines[i].second);
        }
        EXPECT_EQ(s.link.progressStep, 2) << c.displayType;
    }
}

std::vector<std::string> ArrowsShown(DownloadLink& s)
{
    std::vector<std::string> arrows;
    for (const sim::Request& line : s.Requests(kCodeLcdLine))
        if (line.payload[0] == 7)
            arrows.emplace_back(line.payload.begin() + 1, line.payload.end());
    return arrows;
}

TEST(DownloadImage, ArrowWrapsAfterTenBlocksAndContinuesIntoTheNextImage)
{
    DownloadLink s;
    const std::vector<uint8_t> image(11 * 2048, 0x33);
    ASSERT_TRUE(s.AnnounceApplication(static_cast<uint32_t>(image.size())));
    ASSERT_TRUE(s.link.DownloadImage(static_cast<uint32_t>(image.size()), image.data(), ImageKind::Application, 0));
    std::vector<std::string> arrows = ArrowsShown(s);
    ASSERT_EQ(arrows.size(), 11u);
    EXPECT_EQ(arrows[0], "->                  ");
    EXPECT_EQ(arrows[8], "->->->->->->->->->   ");
    EXPECT_EQ(arrows[9], "->->->->->->->->->-> ");
    EXPECT_EQ(arrows[9].size(), 21u);
    EXPECT_EQ(arrows[10], arrows[0]);

    ASSERT_TRUE(s.link.SendImageFileInformation(2048, "again.bin"));
    ASSERT_TRUE(s.link.DownloadImage(2048, image.data(), ImageKind::Application, 0));
    arrows = ArrowsShown(s);
    ASSERT_EQ(arrows.size(), 12u);
    EXPECT_EQ(arrows[11], "->->                ");
}

TEST(DownloadImage, BannerLinesFollowTheDisplayType)
{
    for (int displayType : {0, 1, 2}) {
        DownloadLink s;
        EXPECT_TRUE(s.link.ShowFirmwareBanner(displayType));
        const std::map<int, std::string>& lines = s.engine().state().display.lines;
        if (displayType == 0) {
            ASSERT_EQ(lines.size(), 5u);
            EXPECT_EQ(lines.at(1), "* Firmware Download *");
            EXPECT_EQ(lines.at(4), "---------------------");
        } else if (displayType == 1) {
            ASSERT_EQ(lines.size(), 4u);
            EXPECT_EQ(lines.at(1), "* Firmware Download Process Start      *");
            EXPECT_EQ(lines.at(3), std::string(40, '-'));
        } else {
            EXPECT_TRUE(lines.empty());
        }
    }
}

TEST(DownloadImage, RefusedBlockIsTriedThreeTimesThenTheDownloadFails)
{
    DownloadLink s;
    s.engine().faults().Add(BlockFault(FaultKind::Nak, 3, 3));
    const std::vector<uint8_t> image(5 * 2048, 0x44);
    ASSERT_TRUE(s.AnnounceApplication(static_cast<uint32_t>(image.size())));
    s.reporter.Clear();
    EXPECT_FALSE(s.link.DownloadImage(static_cast<uint32_t>(image.size()), image.data(), ImageKind::Application, 0));
    const std::vector<sim::Request> blocks = s.Requests(kCodeDataBlock);
    ASSERT_EQ(blocks.size(), 5u);
    EXPECT_EQ(ReadLe32(blocks[4].payload.data()), 4096u);  // the third block, three times
    EXPECT_EQ(s.reporter.FailedCodes(), (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(s.engine().state().firmware.receivedImages.count(ImageKind::Application), 0u);
}

TEST(DownloadImage, UnansweredBlockCostsThreeTimeOuts)
{
    DownloadLink s;
    s.engine().faults().Add(BlockFault(FaultKind::NoReply, 1, 3));
    const std::vector<uint8_t> image(2048, 0x55);
    ASSERT_TRUE(s.AnnounceApplication(2048));
    const int64_t start = s.clock.NowMs();
    EXPECT_FALSE(s.link.DownloadImage(2048, image.data(), ImageKind::Application, 0));
    EXPECT_GE(s.Elapsed(start), 3 * (10'000 + 50 + 100));
    EXPECT_LT(s.Elapsed(start), 3 * (10'000 + 50 + 100) + 50);
    EXPECT_EQ(s.reporter.FailedCodes(), (std::vector<int>{100, 100, 100}));
}

struct RecoveryCase {
    const char* name;
    FaultRule fault;
    std::vector<int> failedCodes;
};

// A busy controller, or a lost acknowledgement of a block the controller took: the block is
// sent again and the image still arrives whole.
TEST(DownloadImage, RecoversWhenALaterAttemptIsAcknowledged)
{
    const RecoveryCase cases[] = {
        {"busy", BlockFault(FaultKind::Busy, 2, 2), {5, 5}},
        {"acknowledgement cut short", BlockFault(FaultKind::Truncate, 2, 1, 4), {100}},
    };
    for (const RecoveryCase& c : cases) {
        DownloadLink s;
        s.engine().faults().Add(c.fault);
        const std::vector<uint8_t> plain = test::PatternBytes(3 * 2048 + 7, 9);
        const std::vector<uint8_t> stored = ScrambleImage(plain);
        ASSERT_TRUE(s.AnnounceApplication(static_cast<uint32_t>(plain.size())));
        s.reporter.Clear();
        EXPECT_TRUE(
            s.link.DownloadImage(static_cast<uint32_t>(stored.size()), stored.data(), ImageKind::Application, 0))
            << c.name;
        EXPECT_EQ(s.reporter.FailedCodes(), c.failedCodes) << c.name;
        EXPECT_EQ(s.engine().state().firmware.receivedImages.at(ImageKind::Application), plain) << c.name;
    }
}

TEST(DownloadImage, WithoutAPortShowsUnconnected)
{
    DownloadLink s;
    s.port->ClosePort();
    const std::vector<uint8_t> image(10, 0);
    EXPECT_FALSE(s.link.DownloadImage(10, image.data(), ImageKind::Application, 0));
    EXPECT_EQ(s.reporter.Messages(), (std::vector<std::string>{"Unconnected|Skarnel"}));
}

}  // namespace
}  // namespace skarnel
