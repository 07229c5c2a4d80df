#include "link/download_function.h"
#include "tests/firmware/download_link.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using sim::FaultKind;
using sim::FaultRule;
using sim::Reply;
using test::DownloadLink;
using Event = test::RecordingReporter::Event;

constexpr int64_t kNsPerMs = 1'000'000;

FaultRule BootupFault(FaultKind kind, int amount = 0)
{
    FaultRule rule;
    rule.kind = kind;
    rule.amount = amount;
    rule.group = kGroupBootLoader;
    rule.code = 0x30;
    return rule;
}

TEST(WaitBootupFrame, AcceptsTheFrameOfARestartedController)
{
    DownloadLink s;
    s.engine().state().restartDelayMs = 700;
    ASSERT_TRUE(s.link.RequestRestart());
    const int64_t start = s.clock.NowMs();
    EXPECT_TRUE(s.link.WaitBootupFrame());
    EXPECT_LE(s.Elapsed(start), 700);
    const std::vector<Event> events = s.reporter.Events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().kind, Event::ProgressRange);
    EXPECT_EQ(events.front().number, 100);
    const std::vector<std::string> texts = s.ProgressTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "Waiting....  0% / 100%");
    EXPECT_EQ(texts.back(), "Waiting....  5% / 100%");
}

TEST(WaitBootupFrame, GivesUpAfterAbout10Point1Seconds)
{
    DownloadLink s;
    const int64_t start = s.clock.NowMs();
    EXPECT_FALSE(s.link.WaitBootupFrame());
    EXPECT_GE(s.Elapsed(start), 10'100);
    EXPECT_LT(s.Elapsed(start), 10'110);
    const std::vector<std::string> texts = s.ProgressTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), "Waiting....  100% / 100%");
    EXPECT_TRUE(s.reporter.FailedCodes().empty());
}

TEST(WaitBootupFrame, FindsTheFrameBehindStrayBytesInTheSameRead)
{
    DownloadLink s;
    s.engine().faults().Add(BootupFault(FaultKind::StrayBytes, 5));
    ASSERT_TRUE(s.link.RequestRestart());
    EXPECT_TRUE(s.link.WaitBootupFrame());
    EXPECT_TRUE(s.reporter.LogLines().empty());
}

// A boot-up frame handed over in pieces is put together across reads, also behind stray bytes.
TEST(WaitBootupFrame, FindsAFrameThatArrivesInPieces)
{
    const std::pair<const char*, FaultRule> deliveries[] = {
        {"split", BootupFault(FaultKind::Split, 4000)},
        {"packets of 2", BootupFault(FaultKind::Packets, 2)},
        {"trickle", BootupFault(FaultKind::Trickle)},
    };
    for (const auto& [name, delivery] : deliveries) {
        DownloadLink s;
        s.engine().faults().Add(delivery);
        s.engine().faults().Add(BootupFault(FaultKind::StrayBytes, 5));
        ASSERT_TRUE(s.link.RequestRestart()) << name;
        EXPECT_TRUE(s.link.WaitBootupFrame()) << name;
        EXPECT_TRUE(s.reporter.LogLines().empty()) << name;
    }
}

TEST(WaitBootupFrame, IgnoresASoundFrameWithAnotherCode)
{
    DownloadLink s;
    s.engine().SendUnprompted(kGroupBootLoader, Reply{0x31, {}}, 100 * kNsPerMs);
    s.engine().SendUnprompted(kGroupBootLoader, Reply{0x30, {}}, 2'000 * kNsPerMs);
    const int64_t start = s.clock.NowMs();
    EXPECT_TRUE(s.link.WaitBootupFrame());
    EXPECT_GE(s.Elapsed(start), 2'000);
    EXPECT_LT(s.Elapsed(start), 2'010);
}

TEST(WaitBootupFrame, ReportsACorruptFrameAndWaitsOn)
{
    DownloadLink s;
    s.engine().faults().Add(BootupFault(FaultKind::CorruptCrc));
    ASSERT_TRUE(s.link.RequestRestart());
    EXPECT_FALSE(s.link.WaitBootupFrame());
    const std::vector<std::string> lines = s.reporter.LogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("CRC Mismatch. Recv : ", 0), 0u) << lines[0];
}

TEST(SendDownloadStart, IsOneAttemptInTheCurrentGroup)
{
    DownloadLink s;
    s.link.groupId = kGroupApplication;
    EXPECT_FALSE(s.link.SendDownloadStart());  // the RF process still runs
    EXPECT_EQ(s.reporter.FailedCodes(), (std::vector<int>{2}));
    ASSERT_TRUE(s.EnterBootLoader());
    const std::vector<sim::Request> starts = s.Requests(0x32);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[0].group, kGroupApplication);
    EXPECT_EQ(starts[1].group, kGroupBootLoader);
    EXPECT_TRUE(starts[1].payload.empty());
}

TEST(SendImageFileInformation, SendsTheSizeAndTheFileNameWithoutFolder)
{
    DownloadLink s;
    ASSERT_TRUE(s.EnterBootLoader());
    ASSERT_TRUE(s.link.SendImageFileInformation(0x12345, "/media/usb/R\xC3\xBC"
                                                         "ck 1.bin"));
    const std::vector<sim::Request> infos = s.Requests(0x12);
    ASSERT_EQ(infos.size(), 1u);
    const std::vector<uint8_t> expected{0x45, 0x23, 0x01, 0,   0,   0, 0,   0,   'R', 0xFC, 'c', 'k', ' ',
                                        '1',  '.',  'b',  'i', 'n', 0, 'F', 'l', 'a', 's',  'h', 0};
    EXPECT_EQ(infos[0].payload, expected);
    EXPECT_EQ(infos[0].group, kGroupBootLoader);
}

}  // namespace
}  // namespace skarnel
