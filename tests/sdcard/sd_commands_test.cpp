#include "link/reply_codes.h"
#include "sdcard/sd_codes.h"
#include "sdcard/sd_entry.h"
#include "tests/sdcard/sd_test_support.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using test::PayloadString;
using test::SdLink;

TEST(SdEntry, ParsesFoldersFilesAndShortTexts)
{
    struct Case {
        std::string text;
        bool folder, file;
        std::string date, time, name;
    };
    const Case cases[] = {
        {"D-1103271530LogData", true, false, "2011-03-27", "15:30", "LogData"},
        {"-A1103271531x.cld", false, true, "2011-03-27", "15:31", "x.cld"},
        {"RA1103271531odd", false, false, "2011-03-27", "15:31", "odd"},
        {"-A11", false, true, "2011--", ":", ""},
    };
    for (const Case& c : cases) {
        const SdEntry entry = ParseSdEntry(c.text);
        EXPECT_EQ(entry.IsFolder(), c.folder) << c.text;
        EXPECT_EQ(entry.IsFile(), c.file) << c.text;
        EXPECT_EQ(entry.date, c.date) << c.text;
        EXPECT_EQ(entry.time, c.time) << c.text;
        EXPECT_EQ(entry.name, c.name) << c.text;
    }
}

TEST(SdTexts, SizesPercentsPathsAndResultTexts)
{
    EXPECT_EQ(GroupedSizeText(1234567), "1,234,567");
    EXPECT_EQ(GroupedSizeText(1000), "1,000");
    EXPECT_EQ(GroupedSizeText(999), "999");
    EXPECT_EQ(GroupedSizeText(0), "0");
    EXPECT_EQ(UsedPercent(15000, 8000), 46);
    EXPECT_EQ(UsedPercent(0, 0), 0) << "a card without a size must not divide by zero";
    EXPECT_EQ(UsedPercent(100, 200), 0);
    EXPECT_EQ(UsedPercent(4'000'000'000u, 0), 100) << "computed in 64 bits";
    EXPECT_EQ(DiskSpaceText(15000, 8000), "Disk Space - Total : 15000 kbyte  Free : 8000 kbyte");
    EXPECT_EQ(SdChildPath("/", "a.mdl"), "/a.mdl");
    EXPECT_EQ(SdChildPath("/Models", "a.mdl"), "/Models/a.mdl");
    EXPECT_EQ(FatResultText(4), "PRES_Fat_INVALID_NAME");
    EXPECT_EQ(FatResultText(13), "PRES_Fat_MKFS_ABORTED");
    EXPECT_EQ(FatResultText(99), "File Transfer Canceled");
    EXPECT_EQ(FatResultText(100), " ");
    EXPECT_EQ(FatResultText(14), "");
}

TEST(SdTexts, OnlyPlainNamesCanBecomePcFileNames)
{
    for (const char* safe : {"x.cld", "hTREX 45003.mdl", ".hidden", "a.b"})
        EXPECT_TRUE(IsPcSafeName(safe)) << safe;
    for (const char* unsafe : {"", ".", "..", "..x", "../x", "a/b", "a\\b", "x\ty", "x\x7f"})
        EXPECT_FALSE(IsPcSafeName(unsafe)) << unsafe;
}

TEST(SdCommands, DiskSpaceParsesTheTwoHexadecimalFields)
{
    SdLink s;
    s.engine().On(sim::ControllerMode::Application, 6, '3', [](const sim::Request&) {
        const std::string text = "0x00003A98  0x00001F40";
        return sim::Reply{sim::kAckCode, std::vector<uint8_t>(text.begin(), text.end())};
    });
    uint32_t total = 0;
    uint32_t free = 0;
    ASSERT_TRUE(s.link.SdDiskSpace(total, free));
    EXPECT_EQ(total, 15000u);
    EXPECT_EQ(free, 8000u);
}

TEST(SdCommands, RequestsCarryTheirTextsAsTheCardExpects)
{
    SdLink s;
    uint8_t result = kSdResultNone;
    ASSERT_FALSE(s.link.SdFileOpen("/Models/a.mdl", kSdOpenRead, result));
    EXPECT_EQ(result, sim::kSdNoFile);
    const std::string open = PayloadString(s.Requests('5').at(0));
    EXPECT_EQ(open, std::string("0x01 /Models/a.mdl\0", 19));

    ASSERT_TRUE(s.link.SdFileOpen("/Models/hALPHA01.mdl", kSdOpenRead, result));
    std::vector<uint8_t> buffer(2048);
    uint16_t length = 0;
    ASSERT_TRUE(s.link.SdFileRead(2048, buffer.data(), length, result));
    EXPECT_EQ(length, 2048);
    EXPECT_EQ(PayloadString(s.Requests('8').at(0)), std::string("0x0800\0", 7));
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), s.CardFile("/Models/hALPHA01.mdl").begin()));

    ASSERT_TRUE(s.link.SdFileOpen("/new.bin", kSdOpenCreate, result));
    uint32_t written = 0;
    ASSERT_TRUE(s.link.SdFileWrite(buffer.data(), 2048, written, result));
    EXPECT_EQ(written, 2048u);
    const sim::Request write = s.Requests(':').at(0);
    ASSERT_EQ(write.payload.size(), 2056u);
    EXPECT_EQ(PayloadString(write).substr(0, 8), std::string("0x0800 \0", 8));
    EXPECT_EQ(s.CardFile("/new.bin"), buffer);
}

TEST(SdCommands, AFailedReadWaitsOnlyForTheResultByte)
{
    SdLink s;
    s.engine().On(sim::ControllerMode::Application, 6, '8', [](const sim::Request&) {
        return sim::Reply{sim::kNakCode, {4}};
    });
    uint8_t result = kSdResultNone;
    std::vector<uint8_t> buffer(2048);
    uint16_t length = 0;
    const int64_t start = s.clock.NowMs();
    EXPECT_FALSE(s.link.SdFileRead(2048, buffer.data(), length, result));
    EXPECT_EQ(result, 4);
    EXPECT_LT(s.clock.NowMs() - start, 100);
}

TEST(SdCommands, AReadOfMoreThanAskedForIsRefused)
{
    SdLink s;
    s.engine().On(sim::ControllerMode::Application, 6, '8', [](const sim::Request&) {
        return sim::Reply{sim::kAckCode, std::vector<uint8_t>(64, 7)};
    });
    uint8_t result = kSdResultNone;
    std::vector<uint8_t> buffer(16, 0);
    uint16_t length = 0;
    EXPECT_FALSE(s.link.SdFileRead(16, buffer.data(), length, result));
    EXPECT_EQ(buffer, std::vector<uint8_t>(16, 0));
}

TEST(SdCommands, LogStopRetriesBusyAndSilenceTenTimesButNotARefusal)
{
    struct Case {
        sim::FaultKind kind;
        int count;
        bool stopped;
        uint64_t requests;
        int64_t durationMs;
    };
    const Case cases[] = {
        {sim::FaultKind::Busy, 20, false, 10, 10 * (2 + 10)},
        {sim::FaultKind::Busy, 3, true, 4, 3 * (2 + 10) + 2},
        {sim::FaultKind::NoReply, 2, true, 3, 2 * (2 + 300 + 10 + 10) + 2},
        {sim::FaultKind::Nak, 1, false, 1, 2},
    };
    for (const Case& c : cases) {
        SdLink s;
        s.KeepRepliesWhole();
        s.AddFault(c.kind, 3, '0', c.count);
        const int64_t start = s.clock.NowMs();
        EXPECT_EQ(s.link.SdLogStop(), c.stopped) << static_cast<int>(c.kind);
        EXPECT_EQ(s.engine().RequestCount(), c.requests) << static_cast<int>(c.kind);
        EXPECT_EQ(s.clock.NowMs() - start, c.durationMs) << static_cast<int>(c.kind);
    }
}

TEST(SdCommands, OpenFolderAndDeleteTryFiveTimesWithPauses)
{
    SdLink s;
    s.KeepRepliesWhole();
    uint8_t result = kSdResultNone;
    const int64_t start = s.clock.NowMs();
    EXPECT_FALSE(s.link.SdFileOpen("/nothing/here", kSdOpenRead, result));
    EXPECT_EQ(result, sim::kSdNoPath);
    EXPECT_EQ(s.Requests('5').size(), 5u);
    EXPECT_EQ(s.clock.NowMs() - start, 5 * (2 + 300));

    s.AddFault(sim::FaultKind::NoReply, 6, '9', 4);
    EXPECT_TRUE(s.link.SdDelete("/empty.txt", result));
    EXPECT_EQ(s.Requests('9').size(), 5u);
    EXPECT_EQ(s.card.Find("/empty.txt"), nullptr);

    EXPECT_FALSE(s.link.SdMakeFolder("/Models", result));
    EXPECT_EQ(result, sim::kSdExist);
    EXPECT_EQ(s.Requests('>').size(), 5u);
}

TEST(SdCommands, SingleAttemptCommandsGiveUpAtOnce)
{
    SdLink s;
    s.AddFault(sim::FaultKind::NoReply, 6, '?', 1);
    uint8_t result = kSdResultNone;
    uint32_t size = 0;
    const int64_t start = s.clock.NowMs();
    EXPECT_FALSE(s.link.SdFileStatus("/readme.txt", size, result));
    EXPECT_EQ(result, kSdResultNone) << "no reply, no result code";
    EXPECT_EQ(s.clock.NowMs() - start, 2 + 1500 + 10);
    ASSERT_TRUE(s.link.SdFileStatus("/readme.txt", size, result));
    EXPECT_EQ(size, s.CardFile("/readme.txt").size());

    s.AddFault(sim::FaultKind::CorruptCrc, 6, '<', 1);
    ASSERT_TRUE(s.link.SdOpenDirectory("/", result));
    std::string entry;
    EXPECT_FALSE(s.link.SdNextEntry(entry, result));
    const auto log = s.reporter.LogLines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].rfind("CRC Mismatch. Recv : ", 0), 0u);
}

TEST(SdCommands, EveryCommandChecksTheConnectionFirst)
{
    SdLink s;
    s.port->ClosePort();
    uint8_t result = kSdResultNone;
    uint32_t total = 0;
    EXPECT_FALSE(s.link.SdLogStop());
    EXPECT_FALSE(s.link.SdDiskSpace(total, total));
    EXPECT_FALSE(s.link.SdDelete("/readme.txt", result));
    EXPECT_EQ(s.reporter.Messages(), std::vector<std::string>(3, "Unconnected|Skarnel"));
    EXPECT_EQ(s.engine().RequestCount(), 0u);
}

}  // namespace
}  // namespace skarnel
