#include "link/download_function.h"
#include "link/frame.h"
#include "link/reply_codes.h"
#include "link/rs232.h"
#include "sdcard/sd_codes.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/simulated_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>

namespace skarnel {
namespace {

// A cable whose incoming bytes are scripted: each piece becomes readable at its time.
class ScriptedCable final : public SerialBackend {
public:
    explicit ScriptedCable(Clock& clock) : clock_(clock) {}

    void Arrive(int64_t atMs, const std::vector<uint8_t>& bytes) { script_.insert({atMs, bytes}); }

    bool Open(const std::string&, unsigned, OpenFailure&) override { return true; }
    void Close() override {}
    void Purge() override { queue_.clear(); }
    size_t Write(const uint8_t*, size_t count) override { return count; }
    size_t QueuedInput() override
    {
        Deliver();
        return queue_.size();
    }
    size_t Read(uint8_t* destination, size_t count) override
    {
        const size_t n = Peek(destination, count);
        queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(n));
        return n;
    }
    size_t Peek(uint8_t* destination, size_t count) override
    {
        Deliver();
        const size_t n = std::min(count, queue_.size());
        std::copy_n(queue_.begin(), n, destination);
        return n;
    }
    void WaitForInput(int maxMs) override
    {
        const int64_t now = clock_.NowMs();
        const int64_t next = script_.empty() ? now + maxMs : std::min(now + maxMs, script_.begin()->first);
        clock_.SleepMs(std::max<int64_t>(next - now, 0));
    }

private:
    void Deliver()
    {
        while (!script_.empty() && script_.begin()->first <= clock_.NowMs()) {
            queue_.insert(queue_.end(), script_.begin()->second.begin(), script_.begin()->second.end());
            script_.erase(script_.begin());
        }
    }

    Clock& clock_;
    std::multimap<int64_t, std::vector<uint8_t>> script_;
    std::deque<uint8_t> queue_;
};

struct ScriptedLink {
    ScriptedLink() { port->OpenPort(SerialPortId::FromPath("/dev/scripted"), 115200); }

    // The reply arrives in pieces cut at `cuts`, `gapMs` apart, starting `afterMs` from now.
    void ReplyInPieces(const std::vector<uint8_t>& frame, const std::vector<size_t>& cuts, int64_t gapMs,
                       int64_t afterMs = 1)
    {
        size_t begin = 0;
        int64_t at = clock.NowMs() + afterMs;
        for (size_t end : cuts) {
            cable->Arrive(at, {frame.begin() + static_cast<std::ptrdiff_t>(begin),
                               frame.begin() + static_cast<std::ptrdiff_t>(end)});
            begin = end;
            at += gapMs;
        }
        cable->Arrive(at, {frame.begin() + static_cast<std::ptrdiff_t>(begin), frame.end()});
    }

    VirtualClock clock{1'000'000};
    ScriptedCable* cable = new ScriptedCable(clock);
    std::unique_ptr<CRS232> port = std::make_unique<CRS232>(std::unique_ptr<SerialBackend>(cable), clock);
    test::RecordingReporter reporter;
    CDownload_Function link{*port, reporter};
};

std::vector<uint8_t> Ack(std::vector<uint8_t> payload = {}, uint8_t code = kReplyAck)
{
    return EncodeFrame(1, 0, code, payload);
}

struct PiecesCase {
    const char* name;
    std::vector<size_t> cuts;
    int64_t gapMs;
};

// However a reply is cut, with the parts up to 4 ms apart, every wait takes it whole and
// leaves nothing behind.
TEST(ReplyInPieces, EveryWaitCollectsTheWholeFrame)
{
    const std::vector<uint8_t> payload{0x10, 0x20, 0x30, 0x40};
    const PiecesCase cases[] = {
        {"after the start flag", {1}, 1},
        {"inside the length field", {4}, 2},
        {"after the header", {7}, 4},
        {"before the last CRC byte", {12}, 1},
        {"byte by byte", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 1},
        {"in three packets", {3, 8}, 4},
    };
    using Wait = bool (*)(CDownload_Function&);
    const std::pair<const char*, Wait> waits[] = {
        {"WaitAck", [](CDownload_Function& link) { return link.WaitAck(); }},
        {"WaitReply then read",
         [](CDownload_Function& link) { return link.WaitReply() && link.ReadWaitingReply() == kReplyAck; }},
        {"WaitReplyCount then read",
         [](CDownload_Function& link) { return link.WaitReplyCount(2) && link.ReadWaitingReply() == kReplyAck; }},
        {"a query that reads while the reply still comes",
         [](CDownload_Function& link) {
             link.Sleep(4);
             return link.ReadWaitingReply() == kReplyAck;
         }},
    };
    for (const PiecesCase& c : cases) {
        for (const auto& [waitName, wait] : waits) {
            ScriptedLink s;
            s.ReplyInPieces(Ack(payload), c.cuts, c.gapMs);
            EXPECT_TRUE(wait(s.link)) << c.name << ", " << waitName;
            EXPECT_EQ(s.link.ReplyPayloadLength(), payload.size()) << c.name << ", " << waitName;
            EXPECT_EQ(s.port->InputQueueCount(), 0u) << c.name << ", " << waitName;
            EXPECT_TRUE(s.reporter.Events().empty()) << c.name << ", " << waitName;
        }
    }
}

// A frame is taken exactly: a second reply right behind it stays for the next reader.
TEST(ReplyInPieces, OnlyTheFrameItselfIsTaken)
{
    ScriptedLink s;
    std::vector<uint8_t> twoReplies = Ack({1, 2});
    const std::vector<uint8_t> refusal = Ack({}, kReplyNak);
    twoReplies.insert(twoReplies.end(), refusal.begin(), refusal.end());
    s.ReplyInPieces(twoReplies, {}, 0);
    EXPECT_TRUE(s.link.WaitAck());
    EXPECT_EQ(s.port->InputQueueCount(), refusal.size());
}

// The fault that made a refused firmware block count as accepted: an acknowledgement left over
// from an earlier exchange must never answer a later request.
TEST(StaleReplies, LeftoversOfAnEarlierExchangeNeverAnswerTheNextRequest)
{
    ScriptedLink s;
    s.ReplyInPieces(Ack(), {}, 0);
    s.ReplyInPieces(Ack(), {}, 0, 2);  // the controller said it twice
    ASSERT_TRUE(s.link.WaitAck());
    s.link.Sleep(5);
    s.link.SendFrame(0, nullptr, 0, 0x13);
    s.ReplyInPieces(Ack({}, kReplyNak), {4}, 2);
    EXPECT_FALSE(s.link.WaitAck());
    EXPECT_EQ(s.reporter.FailedCodes(), std::vector<int>{kReplyNak});
}

TEST(StaleReplies, RefusedBlockIsNeverReportedAcceptedOnACableThatSplitsReplies)
{
    test::SimulatedLink s;
    sim::FaultRule split;
    split.kind = sim::FaultKind::Split;
    split.amount = 4000;
    split.count = 1000;
    s.engine().faults().Add(split);
    int blocks = 0;
    s.engine().On(sim::ControllerMode::Application, 0, 0x13, [&blocks](const sim::Request&) {
        ++blocks;
        return sim::Reply{blocks == 1 ? sim::kAckCode : sim::kNakCode, {}};
    });
    const std::vector<uint8_t> block(16, 0xA5);
    EXPECT_TRUE(s.link.SendDataBlock(block.data(), static_cast<uint16_t>(block.size())));
    EXPECT_FALSE(s.link.SendDataBlock(block.data(), static_cast<uint16_t>(block.size())));
    EXPECT_EQ(blocks, 4) << "the refused block is tried three times";
    EXPECT_EQ(s.reporter.FailedCodes(), std::vector<int>(3, kReplyNak));
}

// A controller that echoes sequence numbers lets a late answer be told from the current one's:
// the late acknowledgement of a request that timed out must not answer its retry.
TEST(StaleReplies, LateAnswerToAnEarlierRequestIsPassedOver)
{
    ScriptedLink s;
    s.link.SendFrame(0, nullptr, 0, 0x13);
    EXPECT_FALSE(s.link.WaitAck());
    s.link.SendFrame(0, nullptr, 0, 0x13);
    s.cable->Arrive(s.clock.NowMs() + 5, EncodeFrame(1, 0, kReplyAck, {}));
    s.cable->Arrive(s.clock.NowMs() + 20, EncodeFrame(2, 0, kReplyNak, {}));
    EXPECT_FALSE(s.link.WaitAck());
    EXPECT_EQ(s.reporter.FailedCodes(), (std::vector<int>{kReplyTimeout, kReplyNak}));
}

// A controller that does not echo them is answered as before, also after a time-out.
TEST(StaleReplies, ControllerThatDoesNotEchoSequenceNumbersIsStillHeard)
{
    ScriptedLink s;
    s.link.SendFrame(0, nullptr, 0, 0x13);
    EXPECT_FALSE(s.link.WaitAck());
    for (int request = 0; request < 3; ++request) {
        s.link.SendFrame(0, nullptr, 0, 0x13);
        s.cable->Arrive(s.clock.NowMs() + 1, EncodeFrame(7, 0, kReplyAck, {}));
        EXPECT_TRUE(s.link.WaitAck()) << request;
    }
}

struct UnfinishedCase {
    const char* name;
    std::vector<uint8_t> bytes;
};

// Bytes that stop short of the frame their length field promises are no reply: the wait times
// out once the line has been quiet, and nothing is read past the bytes that came.
TEST(UnfinishedReplies, FrameThatStopsShortIsATimeOut)
{
    std::vector<uint8_t> cut = Ack(std::vector<uint8_t>(40, 7));
    cut.resize(30);
    const UnfinishedCase cases[] = {
        {"cut reply", cut},
        // A length field of 300 with two payload bytes and a CRC that fits what came.
        {"forged short frame", {0x00, 0x07, 0xF8, 0x2C, 0x01, 0x06, 0x01, 0x2D, 0x41, 0x4C, 0xAC}},
        {"header only", {0x00, 0x01, 0xFE, 0x00}},
    };
    for (const UnfinishedCase& c : cases) {
        ScriptedLink s;
        s.ReplyInPieces(c.bytes, {}, 0);
        const int64_t start = s.clock.NowMs();
        EXPECT_FALSE(s.link.WaitAck()) << c.name;
        EXPECT_EQ(s.reporter.FailedCodes(), std::vector<int>{kReplyTimeout}) << c.name;
        EXPECT_LT(s.clock.NowMs() - start, 100) << c.name << ": the quiet line ends the wait";
    }
}

TEST(UnfinishedReplies, ShortSdEntryReplyFailsTheCommand)
{
    ScriptedLink s;
    s.cable->Arrive(s.clock.NowMs() + 3, {0x00, 0x07, 0xF8, 0x2C, 0x01, 0x06, 0x01, 0x2D, 0x41, 0x4C, 0xAC});
    std::string entry = "unchanged";
    uint8_t result = kSdResultNone;
    EXPECT_FALSE(s.link.SdNextEntry(entry, result));
    EXPECT_EQ(entry, "unchanged");
}

// Bytes that cannot start a frame still reach the frame check, which says what is wrong.
TEST(UnfinishedReplies, BrokenStartIsReportedByTheFrameCheck)
{
    ScriptedLink s;
    std::vector<uint8_t> reply = Ack();
    reply[0] = 0x01;
    s.ReplyInPieces(reply, {3}, 2);
    EXPECT_FALSE(s.link.WaitAck());
    EXPECT_EQ(s.reporter.LogLines(), std::vector<std::string>{"Packet Start Flag Mismatch. Recv : 0x1"});
    EXPECT_TRUE(s.reporter.FailedCodes().empty());
}

}  // namespace
}  // namespace skarnel
