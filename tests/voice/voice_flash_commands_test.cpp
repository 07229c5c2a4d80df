#include "base/byte_order.h"
#include "base/file_magic.h"
#include "link/rs232.h"
#include "tests/support/temp_folder.h"
#include "tests/voice/voice_link.h"
#include "voice/voice_codes.h"
#include "voice/voice_flash_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace skarnel::test {
namespace {

using sim::FaultKind;
using Event = RecordingReporter::Event;

constexpr int64_t kNsPerMs = 1'000'000;

std::vector<Event> EventsOf(const VoiceLink& t, Event::Kind kind)
{
    std::vector<Event> events;
    for (const Event& event : t.reporter.Events())
        if (event.kind == kind)
            events.push_back(event);
    return events;
}

// The erase answered with frames at these times after the request: busy ones, then the
// acknowledgement last.
void AnswerEraseAt(VoiceLink& t, std::vector<int64_t> busyMs, int64_t ackMs)
{
    sim::ControllerEngine& engine = t.engine();
    engine.On(sim::ControllerMode::Application, kGroupVoiceFlash, kCodeVoiceFlashInit,
              [&engine, busyMs, ackMs](const sim::Request&) -> std::optional<sim::Reply> {
                  for (int64_t ms : busyMs)
                      engine.SendUnprompted(kGroupVoiceFlash, sim::Reply{sim::kBusyCode, {}}, ms * kNsPerMs);
                  engine.SendUnprompted(kGroupVoiceFlash, sim::Reply{}, ackMs * kNsPerMs);
                  return std::nullopt;
              });
}

TEST(VoiceFlashInfoRead, DecodesTheFourFieldsOfTheReply)
{
    VoiceLink t;
    t.engine().On(sim::ControllerMode::Application, kGroupVoiceFlash, kCodeVoiceFlashInfo, [](const sim::Request&) {
        return sim::Reply{
            sim::kAckCode,
            {0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x19, 0x00, 0x90, 0x01, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00}};
    });
    VoiceFlashInfo info;
    ASSERT_TRUE(t.link.ReadVoiceFlashInfo(info));
    EXPECT_EQ(info.sectorSize, 0x1000u);
    EXPECT_EQ(info.flashSize, 0x190000u);
    EXPECT_EQ(info.sectorCount, 400u);
    EXPECT_EQ(info.voiceDataVersion, 2u);
    ASSERT_EQ(t.Requests(kCodeVoiceFlashInfo).size(), 1u);
    EXPECT_EQ(t.Requests(kCodeVoiceFlashInfo)[0].group, kGroupVoiceFlash);
    EXPECT_TRUE(t.Requests(kCodeVoiceFlashInfo)[0].payload.empty());
}

TEST(VoiceFlashInfoRead, ShortReplyIsNeverTakenForTheFlashInformation)
{
    VoiceLink t;
    t.engine().On(sim::ControllerMode::Application, kGroupVoiceFlash, kCodeVoiceFlashInfo, [](const sim::Request&) {
        return sim::Reply{sim::kAckCode, {0x00, 0x10}};
    });
    VoiceFlashInfo info;
    EXPECT_FALSE(t.link.ReadVoiceFlashInfo(info));
    EXPECT_EQ(t.Requests(kCodeVoiceFlashInfo).size(), 6u);
}

// How a command with six attempts 500 ms apart meets a controller that keeps answering busy.
struct BusyCase {
    const char* name;
    uint8_t code;
    std::function<bool(CDownload_Function&)> command;
    std::string busyText;
};

class SixAttemptCommand : public testing::TestWithParam<BusyCase> {};

TEST_P(SixAttemptCommand, BusyIsRetriedWithItsTextThenSucceeds)
{
    VoiceLink t;
    t.StoreRecords({StoredRecord(0, 100, 0x2000, "a"), StoredRecord(1, 100, 0x2064, "b")});
    t.AddFault(FaultKind::Busy, GetParam().code, 2);
    EXPECT_TRUE(GetParam().command(t.link));
    EXPECT_EQ(t.Requests(GetParam().code).size(), 3u);
    EXPECT_EQ(t.Count(GetParam().busyText), 2);
    EXPECT_TRUE(t.reporter.FailedCodes().empty());
}

TEST_P(SixAttemptCommand, GivesUpAfterSixBusyAnswersHalfASecondApart)
{
    VoiceLink t;
    t.StoreRecords({StoredRecord(0, 100, 0x2000, "a"), StoredRecord(1, 100, 0x2064, "b")});
    t.AddFault(FaultKind::Busy, GetParam().code, 10);
    const int64_t start = t.clock.NowMs();
    EXPECT_FALSE(GetParam().command(t.link));
    EXPECT_EQ(t.Requests(GetParam().code).size(), 6u);
    EXPECT_EQ(t.Count(GetParam().busyText), 6);
    EXPECT_GE(t.clock.NowMs() - start, 6 * 500);
    EXPECT_LT(t.clock.NowMs() - start, 6 * 600);
}

INSTANTIATE_TEST_SUITE_P(Commands, SixAttemptCommand,
                         testing::Values(BusyCase{"FlashInformation", kCodeVoiceFlashInfo,
                                                  [](CDownload_Function& link) {
                                                      VoiceFlashInfo flash;
                                                      return link.ReadVoiceFlashInfo(flash);
                                                  },
                                                  "Serial Flash Busy. Version Data Read Retry"},
                                         BusyCase{"FileInformation", kCodeVoiceFileInfoRead,
                                                  [](CDownload_Function& link) {
                                                      VoiceFileInfo record;
                                                      return link.ReadVoiceFileInfo(1, record);
                                                  },
                                                  "Serial Flash Busy. ADPCM File Info Read Retry. Index : 1"},
                                         BusyCase{"Play", kCodeVoicePlay,
                                                  [](CDownload_Function& link) { return link.PlayVoiceFile(1); },
                                                  "Serial Flash Busy. ADPCM Play Command Send Again"}),
                         [](const testing::TestParamInfo<BusyCase>& c) { return std::string(c.param.name); });

TEST(VoiceFileInfoRead, ReadsTheSlotItIsAskedFor)
{
    VoiceLink t;
    t.StoreRecords({StoredRecord(0, 100, 0x2000, "first"), StoredRecord(1, 5000, 0x2064, "second")});
    VoiceFileInfo info;
    ASSERT_TRUE(t.link.ReadVoiceFileInfo(1, info));
    EXPECT_EQ(info.Name(), "second");
    EXPECT_EQ(info.size, 5000u);
    EXPECT_EQ(info.address, 0x2064u);
    EXPECT_EQ(t.Requests(kCodeVoiceFileInfoRead)[0].payload, (std::vector<uint8_t>{1, 0, 0, 0}));
}

TEST(VoiceFileInfoRead, NackEndsAtOnceAndSilenceWaitsTwentySecondsAnAttempt)
{
    VoiceLink nacked;
    nacked.AddFault(FaultKind::Nak, kCodeVoiceFileInfoRead, 1);
    VoiceFileInfo info;
    EXPECT_FALSE(nacked.link.ReadVoiceFileInfo(0, info));
    EXPECT_EQ(nacked.Requests(kCodeVoiceFileInfoRead).size(), 1u);
    EXPECT_EQ(nacked.reporter.FailedCodes(), std::vector<int>{2});

    VoiceLink silent;
    silent.AddFault(FaultKind::NoReply, kCodeVoiceFileInfoRead, 6);
    const int64_t start = silent.clock.NowMs();
    EXPECT_FALSE(silent.link.ReadVoiceFileInfo(0, info));
    EXPECT_EQ(silent.Requests(kCodeVoiceFileInfoRead).size(), 6u);
    EXPECT_EQ(silent.reporter.FailedCodes(), std::vector<int>(6, 100));
    EXPECT_GE(silent.clock.NowMs() - start, 6 * 20'500);
    EXPECT_LT(silent.clock.NowMs() - start, 6 * 20'600);
}

TEST(VoicePlay, NackEndsAtOnceAndAValidSlotIsPlayed)
{
    VoiceLink t;
    t.StoreRecords({StoredRecord(0, 100, 0x2000, "a"), StoredRecord(1, 100, 0x2064, "b")});
    t.AddFault(FaultKind::Nak, kCodeVoicePlay, 1);
    EXPECT_FALSE(t.link.PlayVoiceFile(1));
    EXPECT_EQ(t.reporter.FailedCodes(), std::vector<int>{2});
    EXPECT_EQ(t.Requests(kCodeVoicePlay).size(), 1u);
    EXPECT_TRUE(t.link.PlayVoiceFile(1));
    EXPECT_EQ(t.flash().lastPlayed, 1u);
    EXPECT_EQ(t.Requests(kCodeVoicePlay)[1].payload, (std::vector<uint8_t>{1, 0, 0, 0}));
}

TEST(VoiceFlashErase, CountsABusyFrameASectorAndEndsOnTheAcknowledgement)
{
    VoiceLink t(0x4000);
    t.flash().Memory()[0x3000] = 0x12;
    ASSERT_TRUE(t.link.InitVoiceFlash(4));
    const auto ranges = EventsOf(t, Event::ProgressRange);
    ASSERT_FALSE(ranges.empty());
    EXPECT_EQ(ranges[0].number, 4);
    std::vector<std::string> statuses;
    for (const Event& event : EventsOf(t, Event::Progress))
        statuses.push_back(event.text);
    EXPECT_EQ(statuses, (std::vector<std::string>{"Flash Initialize....  1/4", "Flash Initialize....  2/4",
                                                  "Flash Initialize....  3/4", "Flash Initialize....  4/4"}));
    EXPECT_EQ(t.flash().bytes[0x3000], 0xFF);
    EXPECT_EQ(t.flash().eraseCount, 1u);
}

TEST(VoiceFlashErase, FramesFourSecondsApartKeepItGoingFiveSecondsOfSilenceEndIt)
{
    VoiceLink slow;
    AnswerEraseAt(slow, {4000, 8000, 12000}, 16000);
    EXPECT_TRUE(slow.link.InitVoiceFlash(3));

    VoiceLink silent;
    AnswerEraseAt(silent, {4000}, 9100);
    const int64_t start = silent.clock.NowMs();
    EXPECT_FALSE(silent.link.InitVoiceFlash(3));
    // 200 ms before the request, 10 ms after it, the busy frame at 4 s, then 5 s of silence.
    EXPECT_GE(silent.clock.NowMs() - start, 200 + 4000 + 5000);
    EXPECT_LT(silent.clock.NowMs() - start, 200 + 4000 + 5100);
    EXPECT_TRUE(silent.reporter.LogLines().empty());
}

TEST(VoiceAreaWrite, DataAreaGoesInChunksOf2048WithTheRemainderLast)
{
    VoiceLink t;
    const std::vector<uint8_t> data = PatternBytes(10000, 7);
    ASSERT_TRUE(
        t.link.WriteVoiceArea(data.data(), kVoiceDataAddress, 10000, "ADPCM Data", StopRequest{}, kVoiceDataArea));
    const auto requests = t.Requests(kCodeVoiceDataWrite);
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(std::vector<uint8_t>(requests[0].payload.begin(), requests[0].payload.begin() + 4),
              (std::vector<uint8_t>{0x00, 0x20, 0x00, 0x00}));
    EXPECT_EQ(requests[0].payload.size(), 2052u);
    EXPECT_EQ(ReadLe32(requests[4].payload.data()), 0x4000u);
    EXPECT_EQ(requests[4].payload.size(), 1808u + 4);
    EXPECT_EQ(EventsOf(t, Event::ProgressRange)[0].number, 4);
    EXPECT_EQ(EventsOf(t, Event::Progress).back().text, "File Download : ADPCM Data  (5 / 5)");
    EXPECT_TRUE(std::equal(data.begin(), data.end(), t.flash().bytes.begin() + kVoiceDataAddress));
}

TEST(VoiceAreaWrite, InfoAreaIsFourChunksWithItsOwnCode)
{
    VoiceLink t;
    const std::vector<uint8_t> info = PatternBytes(kVoiceInfoTableSize, 3);
    ASSERT_TRUE(t.link.WriteVoiceArea(info.data(), 0, kVoiceInfoTableSize, "File Info", StopRequest{}, kVoiceInfoArea));
    EXPECT_EQ(t.WriteAddresses(kCodeVoiceInfoWrite), (std::vector<uint32_t>{0, 0x800, 0x1000, 0x1800}));
    EXPECT_TRUE(t.Requests(kCodeVoiceDataWrite).empty());
    EXPECT_TRUE(std::equal(info.begin(), info.end(), t.flash().bytes.begin()));
}

struct RewriteCase {
    const char* name;
    int failAt;  // the failing write request, 1-based
    int failures;
    std::vector<uint32_t> addresses;
    std::vector<std::string> lines;
};

class VoiceAreaRewrite : public testing::TestWithParam<RewriteCase> {};

TEST_P(VoiceAreaRewrite, RestartsAtTheSectorOfTheFailedChunk)
{
    VoiceLink t;
    const std::vector<uint8_t> data = PatternBytes(4 * 2048, 9);
    t.AddFault(FaultKind::Nak, kCodeVoiceDataWrite, GetParam().failures, GetParam().failAt);
    ASSERT_TRUE(
        t.link.WriteVoiceArea(data.data(), kVoiceDataAddress, 4 * 2048, "ADPCM Data", StopRequest{}, kVoiceDataArea));
    EXPECT_EQ(t.WriteAddresses(kCodeVoiceDataWrite), GetParam().addresses);
    EXPECT_EQ(t.reporter.LogLines(), GetParam().lines);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), t.flash().bytes.begin() + kVoiceDataAddress));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, VoiceAreaRewrite,
    testing::Values(RewriteCase{"SecondHalfOfASector",
                                2,
                                1,
                                {0x2000, 0x2800, 0x2000, 0x2800, 0x3000, 0x3800},
                                {"ADPCM Data Download Fail. Address : 0x2800. Request Size : 0x800",
                                 "ADPCM Data Download Retry. Current Sector Address : 0x2000"}},
                    RewriteCase{"FirstHalfOfASector",
                                3,
                                1,
                                {0x2000, 0x2800, 0x3000, 0x3000, 0x3800},
                                {"ADPCM Data Download Fail. Address : 0x3000. Request Size : 0x800",
                                 "ADPCM Data Download Retry. Current Sector Address : 0x3000"}},
                    RewriteCase{"ThreeInARow",
                                1,
                                3,
                                {0x2000, 0x2000, 0x2000, 0x2000, 0x2800, 0x3000, 0x3800},
                                {"ADPCM Data Download Fail. Address : 0x2000. Request Size : 0x800",
                                 "ADPCM Data Download Retry. Current Sector Address : 0x2000",
                                 "ADPCM Data Download Fail. Address : 0x2000. Request Size : 0x800",
                                 "ADPCM Data Download Retry. Current Sector Address : 0x2000",
                                 "ADPCM Data Download Fail. Address : 0x2000. Request Size : 0x800",
                                 "ADPCM Data Download Retry. Current Sector Address : 0x2000"}}),
    [](const testing::TestParamInfo<RewriteCase>& c) { return std::string(c.param.name); });

TEST(VoiceAreaWrite, FourFailuresInARowEndItButAnAcknowledgementClearsTheCount)
{
    const std::vector<uint8_t> data = PatternBytes(4 * 2048, 9);
    VoiceLink four;
    four.AddFault(FaultKind::Nak, kCodeVoiceDataWrite, 4);
    EXPECT_FALSE(four.link.WriteVoiceArea(data.data(), kVoiceDataAddress, 4 * 2048, "ADPCM Data", StopRequest{},
                                          kVoiceDataArea));
    EXPECT_EQ(four.Requests(kCodeVoiceDataWrite).size(), 4u);

    VoiceLink interrupted;
    interrupted.AddFault(FaultKind::Nak, kCodeVoiceDataWrite, 1, 1);
    interrupted.AddFault(FaultKind::Nak, kCodeVoiceDataWrite, 3, 3);
    EXPECT_TRUE(interrupted.link.WriteVoiceArea(data.data(), kVoiceDataAddress, 4 * 2048, "ADPCM Data", StopRequest{},
                                                kVoiceDataArea));
}

TEST(VoiceAreaWrite, StopRequestEndsItBeforeTheNextChunkAndNothingIsSentForAnEmptyArea)
{
    VoiceLink t;
    const std::vector<uint8_t> data(4096, 1);
    StopRequest stop;
    stop.Request();
    EXPECT_FALSE(t.link.WriteVoiceArea(data.data(), kVoiceDataAddress, 4096, "ADPCM Data", stop, kVoiceDataArea));
    EXPECT_EQ(t.reporter.LogLines(), std::vector<std::string>{"Thread Stop Flag Set!"});
    EXPECT_TRUE(t.link.WriteVoiceArea(nullptr, kVoiceDataAddress, 0, "ADPCM Data", StopRequest{}, kVoiceDataArea));
    EXPECT_TRUE(t.Requests(kCodeVoiceDataWrite).empty());
}

TEST(VoiceDataRead, AsksForLengthThenAddressAndWaitsForTheWholeReply)
{
    VoiceLink t;
    const std::vector<uint8_t> data = PatternBytes(1808, 5);
    std::copy(data.begin(), data.end(), t.flash().Memory().begin() + 0x4000);
    std::vector<uint8_t> buffer(kVoiceChunkSize);
    uint16_t received = 0;
    ASSERT_TRUE(t.link.ReadVoiceData(received, buffer.data(), 0x4000, 1808));
    EXPECT_EQ(received, 1808);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), buffer.begin()));
    EXPECT_EQ(t.Requests(kCodeVoiceDataRead)[0].payload,
              (std::vector<uint8_t>{0x10, 0x07, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00}));
}

TEST(VoiceDataRead, EveryFailedAttemptLeavesARetryLine)
{
    VoiceLink t;
    t.AddFault(FaultKind::Nak, kCodeVoiceDataRead, 3);
    std::vector<uint8_t> buffer(kVoiceChunkSize);
    uint16_t received = 0;
    EXPECT_FALSE(t.link.ReadVoiceData(received, buffer.data(), 0x4000, 1808));
    EXPECT_EQ(t.reporter.FailedCodes(), std::vector<int>(3, 2));
    EXPECT_EQ(t.Count("ADPCM File Data Read Retry. Address : 0x4000. Request Size : 0x710"), 3);
}

TEST(VoiceDataRead, NeverCopiesMoreThanWasAskedFor)
{
    VoiceLink t;
    t.engine().On(sim::ControllerMode::Application, kGroupVoiceFlash, kCodeVoiceDataRead, [](const sim::Request&) {
        return sim::Reply{sim::kAckCode, std::vector<uint8_t>(2048, 0x5A)};
    });
    std::vector<uint8_t> buffer(kVoiceChunkSize, 0);
    uint16_t received = 0;
    EXPECT_FALSE(t.link.ReadVoiceData(received, buffer.data(), 0x2000, 100));
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0x5A), 0);
    EXPECT_FALSE(t.link.ReadVoiceData(received, buffer.data(), 0x2000, 2049));
    EXPECT_EQ(t.Requests(kCodeVoiceDataRead).size(), 3u);
}

TEST(VoiceFileBackup, WritesTheHeaderAndTheSoundInChunks)
{
    VoiceLink t;
    TempFolder folder;
    const std::vector<uint8_t> sound = PatternBytes(5000, 11);
    std::copy(sound.begin(), sound.end(), t.flash().Memory().begin() + 0x2000);
    ASSERT_TRUE(t.link.BackupVoiceFile(5000, folder.Path("hello.apm"), 0x2000, 8000, "hello", StopRequest{}));
    const std::vector<uint8_t> file = folder.Read("hello.apm");
    ASSERT_EQ(file.size(), 32u + 5000);
    EXPECT_EQ(ReadLe32(file.data()), FileMagic);
    EXPECT_EQ(ReadLe32(file.data() + 4), 254u);
    EXPECT_EQ(ReadLe32(file.data() + 8), 1u);
    EXPECT_EQ(ReadLe32(file.data() + 12), 8000u);
    EXPECT_TRUE(std::all_of(file.begin() + 16, file.begin() + 32, [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(std::equal(sound.begin(), sound.end(), file.begin() + 32));
    std::vector<uint32_t> lengths;
    for (const sim::Request& request : t.Requests(kCodeVoiceDataRead))
        lengths.push_back(ReadLe32(request.payload.data()));
    EXPECT_EQ(lengths, (std::vector<uint32_t>{2048, 2048, 904}));
    EXPECT_EQ(EventsOf(t, Event::ProgressRange)[0].number, 3);
    EXPECT_EQ(EventsOf(t, Event::Progress).back().text, "File Backup : hello  (3 / 3)");
}

TEST(VoiceFileBackup, FailedReadLeavesAnEarlierBackupAsItWas)
{
    VoiceLink t;
    TempFolder folder;
    const std::string path = folder.Write("hello.apm", {1, 2, 3});
    t.AddFault(FaultKind::Nak, kCodeVoiceDataRead, 3, 2);
    EXPECT_FALSE(t.link.BackupVoiceFile(5000, path, 0x2000, 11025, "hello", StopRequest{}));
    EXPECT_EQ(t.reporter.LogLines().back(), "ADPCM Data Backup Fail. Address : 0x2800. Request Size : 0x800");
    EXPECT_EQ(folder.Read("hello.apm"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(t.link.BackupVoiceFile(5000, folder.Path("missing/hello.apm"), 0x2000, 11025, "hello", StopRequest{}));
    EXPECT_EQ(t.reporter.LogLines().back(), "File Creat Fail");
}

TEST(VoiceCommands, EveryCommandRefusesAClosedPortWithUnconnected)
{
    VoiceLink t;
    t.port->ClosePort();
    VoiceFlashInfo flash;
    VoiceFileInfo record;
    std::vector<uint8_t> buffer(kVoiceChunkSize);
    uint16_t received = 0;
    EXPECT_FALSE(t.link.ReadVoiceFlashInfo(flash));
    EXPECT_FALSE(t.link.InitVoiceFlash(4));
    EXPECT_FALSE(t.link.ReadVoiceFileInfo(0, record));
    EXPECT_FALSE(t.link.ReadVoiceData(received, buffer.data(), 0x2000, 16));
    EXPECT_FALSE(t.link.PlayVoiceFile(0));
    EXPECT_EQ(t.reporter.Messages(), std::vector<std::string>(5, "Unconnected|Skarnel"));
}

}  // namespace
}  // namespace skarnel::test
