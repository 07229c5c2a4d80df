#include "link/download_function.h"

#include "base/byte_order.h"
#include "link/frame.h"
#include "link/reply_codes.h"
#include "tests/support/simulated_link.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using sim::ControllerMode;
using sim::FaultKind;
using sim::FaultRule;
using sim::Reply;
using test::SimulatedLink;

constexpr uint8_t kTestCode = 0x7E;

// A controller that answers the test command with a fixed reply.
void AnswerTestCommandWith(SimulatedLink& s, Reply reply)
{
    s.engine().On(ControllerMode::Application, 0, kTestCode, [reply](const sim::Request&) { return reply; });
}

FaultRule Fault(FaultKind kind, int count = 1, int amount = 0)
{
    FaultRule rule;
    rule.kind = kind;
    rule.count = count;
    rule.amount = amount;
    return rule;
}

TEST(SendFrame, SequenceNumbersRunFromOneTo250AndWrap)
{
    SimulatedLink s;
    s.engine().KeepRequestLog(true);
    for (int i = 0; i < 252; ++i)
        s.link.SendFrame(0, nullptr, 0, kTestCode);
    const auto& log = s.engine().RequestLog();
    ASSERT_EQ(log.size(), 252u);
    EXPECT_EQ(log[0].sequence, 1);
    EXPECT_EQ(log[249].sequence, 250);
    EXPECT_EQ(log[250].sequence, 1);
    EXPECT_EQ(log[251].sequence, 2);
}

TEST(SendFrame, FirstProductInformationRequestIsTheNineKnownBytes)
{
    SimulatedLink s;
    s.engine().KeepRequestLog(true);
    ProductInfo info;
    ASSERT_TRUE(s.link.ReadProductInfo(info));
    EXPECT_EQ(s.engine().RequestLog().at(0).frame,
              (std::vector<uint8_t>{0x00, 0x01, 0xFE, 0x00, 0x00, 0x00, 0x11, 0x10, 0x02}));
}

TEST(SendFrame, WithoutAnOpenPortShowsUnconnectedAndSendsNothing)
{
    SimulatedLink s;
    s.port->ClosePort();
    EXPECT_EQ(s.link.SendFrame(0, nullptr, 0, 0x11), 0u);
    ProductInfo info;
    EXPECT_FALSE(s.link.ReadProductInfo(info));
    EXPECT_EQ(s.reporter.Messages(), (std::vector<std::string>{"Unconnected|Skarnel", "Unconnected|Skarnel"}));

    CDownload_Function unbound;
    EXPECT_FALSE(unbound.WaitAck());
}

struct CheckFrameCase {
    const char* name;
    std::vector<uint8_t> bytes;
    bool sound;
    const char* text;
};

std::vector<uint8_t> SoundReply()
{
    return EncodeFrame(7, 0, 1, {0x10, 0x20});
}

std::vector<uint8_t> WithByte(std::vector<uint8_t> bytes, size_t index, uint8_t value)
{
    bytes[index] = value;
    return bytes;
}

class CheckFrameTest : public testing::TestWithParam<CheckFrameCase> {};

TEST_P(CheckFrameTest, ReportsTheFirstFaultFound)
{
    SimulatedLink s;
    const CheckFrameCase& c = GetParam();
    EXPECT_EQ(s.link.CheckFrame(c.bytes.data(), c.bytes.size()), c.sound);
    const std::vector<std::string> lines = s.reporter.LogLines();
    if (*c.text)
        EXPECT_EQ(lines, std::vector<std::string>{c.text});
    else
        EXPECT_TRUE(lines.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Frames, CheckFrameTest,
    testing::Values(CheckFrameCase{"Sound", SoundReply(), true, ""},
                    CheckFrameCase{"OtherSequenceStillSound", EncodeFrame(5, 3, 1, {}), true, ""},
                    CheckFrameCase{"StartFlag", WithByte(SoundReply(), 0, 0x01), false,
                                   "Packet Start Flag Mismatch. Recv : 0x1"},
                    CheckFrameCase{"Sequence", WithByte(SoundReply(), 2, 0x00), false,
                                   "Packet Sequence Info Mismatch. Recv : 0x7 0x0"},
                    CheckFrameCase{"Crc", WithByte(SoundReply(), 10, 0x00), false,
                                   "CRC Mismatch. Recv : 0x61 0x0,  Calc : 0x61 0x9b, Data Length : 11"},
                    CheckFrameCase{"TooShortForACrc",
                                   {0x00, 0x01, 0xFE},
                                   false,
                                   "CRC Mismatch. Recv : 0x1 0xfe,  Calc : 0x0 0x0, Data Length : 3"}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(CheckFrame, LengthFieldIsNotComparedWithTheBytesRead)
{
    SimulatedLink s;
    std::vector<uint8_t> frame = EncodeFrame(1, 0, 1, {1, 2, 3});
    frame[3] = 0x40;  // claims 64 payload bytes; the CRC covers what was read
    const uint16_t crc = ComputeCrc16(frame.data() + 3, frame.size() - 5);
    WriteLe16(frame.data() + frame.size() - 2, crc);
    EXPECT_TRUE(s.link.CheckFrame(frame.data(), frame.size()));
}

struct AckCase {
    const char* name;
    Reply reply;
    bool succeeds;
    int reportedCode;  // 0: nothing reported
    uint32_t reportedValue;
};

class WaitAckTest : public testing::TestWithParam<AckCase> {};

TEST_P(WaitAckTest, TurnsTheReplyCodeIntoAResultAndAReport)
{
    SimulatedLink s;
    const AckCase& c = GetParam();
    AnswerTestCommandWith(s, c.reply);
    s.link.SendFrame(0, nullptr, 0, kTestCode);
    const int64_t start = s.clock.NowMs();
    EXPECT_EQ(s.link.WaitAck(), c.succeeds);
    const std::vector<test::RecordingReporter::Event> events = s.reporter.Events();
    if (c.reportedCode == 0) {
        EXPECT_TRUE(events.empty());
        EXPECT_LT(s.clock.NowMs() - start, 10);
    } else {
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].number, c.reportedCode);
        EXPECT_EQ(events[0].value, c.reportedValue);
        EXPECT_GE(s.clock.NowMs() - start, 50);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ReplyCodes, WaitAckTest,
    testing::Values(AckCase{"Ack", Reply{1, {}}, true, 0, 0}, AckCase{"AckWithData", Reply{1, {9, 9, 9}}, true, 0, 0},
                    AckCase{"Nak", Reply{2, {}}, false, 2, 0},
                    AckCase{"ErrorWithAddress", Reply{3, {0x00, 0x20, 0x00, 0x00}}, false, 3, 0x2000},
                    AckCase{"ErrorWithoutAddress", Reply{3, {}}, false, 3, 0},
                    AckCase{"ErrorWithOtherLength", Reply{3, {0x00, 0x20}}, false, 3, 0},
                    AckCase{"CrcError", Reply{4, {0x00, 0x20, 0x00, 0x00}}, false, 4, 0},
                    AckCase{"Busy", Reply{5, {}}, false, 5, 0}, AckCase{"UnknownCode", Reply{9, {}}, false, 9, 0}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(WaitAck, NoReplyTimesOutAfterTenSecondsAndFiftyMilliseconds)
{
    SimulatedLink s;
    s.engine().faults().Add(Fault(FaultKind::NoReply));
    s.link.SendFrame(0, nullptr, 0, 0x11);
    const int64_t start = s.clock.NowMs();
    EXPECT_FALSE(s.link.WaitAck());
    const int64_t elapsed = s.clock.NowMs() - start;
    EXPECT_GT(elapsed, 10'050);
    EXPECT_LE(elapsed, 10'050 + 10);
    EXPECT_EQ(s.reporter.FailedCodes(), std::vector<int>{kReplyTimeout});
}

TEST(WaitAck, ReplyShorterThanAFrameIsATimeOut)
{
    SimulatedLink s;
    s.engine().faults().Add(Fault(FaultKind::Truncate, 1, 5));
    s.link.SendFrame(0, nullptr, 0, 0x23);
    const int64_t start = s.clock.NowMs();
    EXPECT_FALSE(s.link.WaitAck());
    EXPECT_LT(s.clock.NowMs() - start, 100);
    EXPECT_EQ(s.reporter.FailedCodes(), std::vector<int>{kReplyTimeout});
}

TEST(WaitAck, LateReplyIsStillTaken)
{
    SimulatedLink s;
    s.engine().faults().Add(Fault(FaultKind::Delay, 1, 9'000));
    s.link.SendFrame(0, nullptr, 0, 0x23);
    EXPECT_TRUE(s.link.WaitAck());
}

TEST(WaitAckCode, HandsBackTheCodeAndReportsOnlyErrorsWithAddress)
{
    SimulatedLink s;
    AnswerTestCommandWith(s, Reply{5, {}});
    s.link.SendFrame(0, nullptr, 0, kTestCode);
    int code = 0;
    EXPECT_FALSE(s.link.WaitAckCode(code));
    EXPECT_EQ(code, 5);
    EXPECT_TRUE(s.reporter.Events().empty());

    AnswerTestCommandWith(s, Reply{3, {0x10, 0, 0, 0}});
    s.link.SendFrame(0, nullptr, 0, kTestCode);
    EXPECT_FALSE(s.link.WaitAckCode(code));
    EXPECT_EQ(code, 3);
    EXPECT_EQ(s.reporter.FailedCodes(), std::vector<int>{3});
}

TEST(WaitReply, WaitsUpToTwentySecondsAndReadsNothing)
{
    SimulatedLink s;
    s.engine().faults().Add(Fault(FaultKind::Delay, 1, 15'000));
    s.link.SendFrame(0, nullptr, 0, 0x23);
    EXPECT_TRUE(s.link.WaitReply());
    EXPECT_EQ(s.port->InputQueueCount(), 9u);

    s.reporter.Clear();
    s.engine().faults().Add(Fault(FaultKind::NoReply));
    s.port->ReadToBuffer(s.port->InputQueueCount());
    s.link.SendFrame(0, nullptr, 0, 0x23);
    const int64_t start = s.clock.NowMs();
    EXPECT_FALSE(s.link.WaitReply());
    EXPECT_GT(s.clock.NowMs() - start, 20'000);
    EXPECT_LE(s.clock.NowMs() - start, 20'010);
    EXPECT_EQ(s.reporter.FailedCodes(), std::vector<int>{kReplyTimeout});
}

TEST(WaitReplyCount, SucceedsWithAFrameEvenWhenFewerThanAskedCame)
{
    SimulatedLink s;
    s.link.SendFrame(0, nullptr, 0, 0x23);
    const int64_t start = s.clock.NowMs();
    EXPECT_TRUE(s.link.WaitReplyCount(100));
    EXPECT_GT(s.clock.NowMs() - start, 10'000);
    EXPECT_TRUE(s.reporter.Events().empty());
}

TEST(QueryPattern, ReportsEachCorruptReplyAndGivesUpAfterThreeAttempts)
{
    SimulatedLink s;
    s.engine().faults().Add(Fault(FaultKind::CorruptCrc, 3));
    s.engine().KeepRequestLog(true);
    ProductInfo info;
    const int64_t start = s.clock.NowMs();
    EXPECT_FALSE(s.link.ReadProductInfo(info));
    EXPECT_EQ(s.engine().RequestLog().size(), 3u);
    const std::vector<std::string> lines = s.reporter.LogLines();
    ASSERT_EQ(lines.size(), 3u);
    for (const std::string& line : lines)
        EXPECT_EQ(line.rfind("CRC Mismatch. Recv : ", 0), 0u) << line;
    EXPECT_GE(s.clock.NowMs() - start, 3 * 150);
}

TEST(QueryPattern, RecoversOnALaterAttemptAndReportsNothingForMereSilence)
{
    SimulatedLink s;
    s.engine().faults().Add(Fault(FaultKind::NoReply, 2));
    ProductInfo info;
    EXPECT_TRUE(s.link.ReadProductInfo(info));
    EXPECT_EQ(info.productName, "KT-40");
    EXPECT_TRUE(s.reporter.Events().empty());
}

TEST(QueryPattern, BusyRepliesAreFailedAttemptsWithoutText)
{
    SimulatedLink s;
    s.engine().faults().Add(Fault(FaultKind::Busy, 3));
    VersionAddressInfo addresses;
    EXPECT_FALSE(s.link.ReadVersionAddressInfo(addresses));
    EXPECT_TRUE(s.reporter.Events().empty());
    EXPECT_TRUE(s.link.ReadVersionAddressInfo(addresses));
    EXPECT_EQ(addresses.AppPCodeAddr, s.engine().state().addresses.appProductCode);
}

TEST(QueryPattern, StrayBytesBeforeTheReplyFailTheStartFlag)
{
    SimulatedLink s;
    s.engine().faults().Add(Fault(FaultKind::StrayBytes, 1, 3));
    ProductInfo info;
    EXPECT_TRUE(s.link.ReadProductInfo(info));
    EXPECT_EQ(s.reporter.LogLines(), std::vector<std::string>{"Packet Start Flag Mismatch. Recv : 0x5a"});
}

TEST(AcknowledgedPattern, PauseRfProcessCostsThreeFullWaitsWhenUnanswered)
{
    SimulatedLink s;
    s.engine().faults().Add(Fault(FaultKind::NoReply, 3));
    const int64_t start = s.clock.NowMs();
    EXPECT_FALSE(s.link.PauseRfProcess());
    const int64_t elapsed = s.clock.NowMs() - start;
    EXPECT_GE(elapsed, 3 * (10'000 + 150));
    EXPECT_LE(elapsed, 3 * (10'000 + 150 + 20));
    EXPECT_EQ(s.reporter.FailedCodes(), (std::vector<int>{kReplyTimeout, kReplyTimeout, kReplyTimeout}));
    EXPECT_FALSE(s.engine().state().rfPaused);
}

TEST(AcknowledgedPattern, PauseRfProcessAlwaysUsesGroupFourAndTheOnceFormTheCurrentGroup)
{
    SimulatedLink s;
    s.engine().KeepRequestLog(true);
    s.link.groupId = kGroupModelData;
    EXPECT_TRUE(s.link.PauseRfProcess());
    EXPECT_TRUE(s.engine().state().rfPaused);
    s.link.PauseRfProcessOnce();
    const auto& log = s.engine().RequestLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].group, kGroupRfProcess);
    EXPECT_EQ(log[1].group, kGroupModelData);
    EXPECT_EQ(s.link.groupId, kGroupModelData);
}

TEST(RequestRestart, SucceedsWithoutAnswerAndDiscardsWhatCame)
{
    SimulatedLink s;
    s.engine().state().restartDelayMs = 100;
    const int64_t start = s.clock.NowMs();
    EXPECT_TRUE(s.link.RequestRestart());
    EXPECT_EQ(s.clock.NowMs() - start, 150 + 2);
    EXPECT_EQ(s.port->InputQueueCount(), 0u);
    EXPECT_EQ(s.engine().state().mode, sim::ControllerMode::BootLoader);
}

TEST(RequestRestart, BootUpFrameFollowsTheRestartDelay)
{
    SimulatedLink s;
    s.engine().state().restartDelayMs = 800;
    EXPECT_TRUE(s.link.RequestRestart());
    EXPECT_EQ(s.port->InputQueueCount(), 0u);
    EXPECT_TRUE(s.port->WaitForCount(1000, 9));
    s.port->ReadToBuffer(s.port->InputQueueCount());
    EXPECT_TRUE(s.link.CheckFrame(s.port->receiveBuffer(), 9));
    EXPECT_EQ(s.port->receiveBuffer()[6], 0x30);
    EXPECT_EQ(s.port->receiveBuffer()[5], kGroupBootLoader);
}

TEST(Display, TextLinesAndTheModelDataBannerReachTheController)
{
    SimulatedLink s;
    s.engine().KeepRequestLog(true);
    EXPECT_TRUE(s.link.ShowModelDataBanner(false));
    const sim::DisplayState& display = s.engine().state().display;
    EXPECT_TRUE(display.on);
    ASSERT_EQ(display.lines.size(), 5u);
    EXPECT_EQ(display.lines.at(2), "* Write Start       *");
    const auto& log = s.engine().RequestLog();
    ASSERT_EQ(log.size(), 7u);
    EXPECT_EQ(log[0].code, 0x23);
    EXPECT_EQ(log[1].code, 0x22);
    for (size_t line = 0; line < 5; ++line) {
        EXPECT_EQ(log[2 + line].code, 0x21);
        EXPECT_EQ(log[2 + line].payload.size(), 22u);
        EXPECT_EQ(log[2 + line].payload[0], line);
    }
}

TEST(Display, BannerStopsWhenTheDisplayCannotBeSwitchedOn)
{
    SimulatedLink s;
    sim::FaultRule nak = Fault(FaultKind::Nak, 3);
    nak.code = 0x23;
    s.engine().faults().Add(nak);
    EXPECT_FALSE(s.link.ShowModelDataBanner(true));
    EXPECT_TRUE(s.engine().state().display.lines.empty());
    EXPECT_EQ(s.reporter.FailedCodes(), (std::vector<int>{2, 2, 2}));
}

TEST(ReplyCodeTexts, EachTableWordsTheCodesItsOwnWay)
{
    EXPECT_EQ(ReplyCodeText(ReplyTextTable::Standard, 3, 0x2000), "Error Return. \n\rAddress : 2000");
    EXPECT_EQ(ReplyCodeText(ReplyTextTable::Standard, 4, 0xAB), "CRC Error Return. \n\rAddress : AB");
    EXPECT_EQ(ReplyCodeText(ReplyTextTable::Standard, 100, 0), "Error - Packet Response TimeOut");
    EXPECT_EQ(ReplyCodeText(ReplyTextTable::Standard, 7, 0), "");
    EXPECT_EQ(ReplyCodeText(ReplyTextTable::Firmware, 4, 0xAB), "CRC Error Return.");
    EXPECT_EQ(ReplyCodeText(ReplyTextTable::Firmware, 5, 0), "");
    EXPECT_EQ(ReplyCodeText(ReplyTextTable::Firmware, 100, 0), "Packet Response TimeOut");
    EXPECT_EQ(ReplyCodeText(ReplyTextTable::ModelData, 2, 0), "Nack Receive");
    EXPECT_EQ(ReplyCodeText(ReplyTextTable::ModelData, 100, 0), "Error Return. \n\rAddress : 0");
}

}  // namespace
}  // namespace skarnel
