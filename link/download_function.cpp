#include "link/download_function.h"

#include "base/byte_order.h"
#include "base/clock.h"
#include "base/format.h"
#include "link/frame.h"
#include "link/reply_codes.h"
#include "base/reporter.h"
#include "link/rs232.h"

#include <array>
#include <cstring>

namespace skarnel {
namespace {

constexpr int64_t kAckWaitMs = 10'000;
constexpr int64_t kReplyWaitMs = 20'000;
constexpr int kFailurePauseMs = 50;
constexpr uint32_t kLastSequenceNumber = 250;

}  // namespace

CDownload_Function::~CDownload_Function() = default;

Reporter& CDownload_Function::Window() const
{
    return ownerWindow ? *ownerWindow : NullReporter::Instance();
}

Clock& CDownload_Function::GetClock() const
{
    return port ? port->clock() : Clock::System();
}

void CDownload_Function::Sleep(int milliseconds) const
{
    GetClock().SleepMs(milliseconds);
}

uint16_t CDownload_Function::ComputeCrc16(const uint8_t* bytes, size_t count)
{
    return skarnel::ComputeCrc16(bytes, count);
}

bool CDownload_Function::CheckConnected()
{
    if (port && port->IsConnected())
        return true;
    Window().ShowMessage("Unconnected", kApplicationTitle, MessageIcon::None);
    return false;
}

void CDownload_Function::ReportFailedExchange(uint32_t value, int replyCode)
{
    Window().ReportFailedExchange(value, replyCode);
}

size_t CDownload_Function::SendFrame(uint16_t length, const uint8_t* payload, uint8_t group, uint8_t code)
{
    if (!CheckConnected() || length > kMaxFramePayload)
        return 0;
    port->ClearReceiveBuffer();
    port->DiscardInput();
    const auto sequence = static_cast<uint8_t>(sequenceNumber);
    sequenceNumber = static_cast<uint8_t>(sequenceNumber + 1);
    if (sequenceNumber > kLastSequenceNumber)
        sequenceNumber = 1;
    requests_.Sent(sequence);

    std::array<uint8_t, kFrameBufferSize> frame;
    const size_t size = EncodeFrame(sequence, group, code, payload, length, frame.data());
    size_t written = port->WriteBytes(frame.data(), kFrameHeaderSize);
    Sleep(2);
    written += port->WriteBytes(frame.data() + kFrameHeaderSize, size - kFrameHeaderSize);
    return written;
}

bool CDownload_Function::CheckFrame(const uint8_t* bytes, size_t length)
{
    if (bytes[0] != 0x00) {
        Window().ReportLogLine(Format("Packet Start Flag Mismatch. Recv : 0x%x", bytes[0]));
        return false;
    }
    if (bytes[1] != static_cast<uint8_t>(~bytes[2])) {
        Window().ReportLogLine(Format("Packet Sequence Info Mismatch. Recv : 0x%x 0x%x", bytes[1], bytes[2]));
        return false;
    }
    const uint16_t crc = length >= kFrameOverhead ? skarnel::ComputeCrc16(bytes + 3, length - 5) : 0;
    const uint8_t receivedLow = length >= 2 ? bytes[length - 2] : 0;
    const uint8_t receivedHigh = length >= 2 ? bytes[length - 1] : 0;
    const auto computedLow = static_cast<uint8_t>(crc);
    const auto computedHigh = static_cast<uint8_t>(crc >> 8);
    if (length < kFrameOverhead || receivedLow != computedLow || receivedHigh != computedHigh) {
        Window().ReportLogLine(Format("CRC Mismatch. Recv : 0x%x 0x%x,  Calc : 0x%x 0x%x, Data Length : %d",
                                      receivedLow, receivedHigh, computedLow, computedHigh, static_cast<int>(length)));
        return false;
    }
    return true;
}

const uint8_t* CDownload_Function::ReplyPayload() const
{
    return port->receiveBuffer() + kFrameHeaderSize;
}

uint16_t CDownload_Function::ReplyPayloadLength() const
{
    return ReadLe16(port->receiveBuffer() + 3);
}

bool CDownload_Function::CopyReplyPayload(uint32_t limit, uint8_t* buffer, uint16_t& length) const
{
    const uint16_t carried = ReplyPayloadLength();
    if (carried > limit)
        return false;
    std::memcpy(buffer, ReplyPayload(), carried);
    length = carried;
    return true;
}

// Polls until at least `count` bytes wait or the limit has passed; the count at that moment.
size_t CDownload_Function::PollForInput(size_t count, int64_t limitMs)
{
    Clock& clock = GetClock();
    const int64_t start = clock.NowMs();
    size_t waiting = port->InputQueueCount();
    while (waiting < count && clock.NowMs() - start <= limitMs) {
        port->WaitPollStep();
        waiting = port->InputQueueCount();
    }
    return waiting;
}

// Shared tail of WaitAck and WaitAckCode. A late answer to an earlier request is passed over and
// the wait goes on for this one's.
bool CDownload_Function::FinishAckWait(bool reportOtherCodes, int& replyCode)
{
    const int64_t deadline = GetClock().NowMs() + kAckWaitMs;
    int code = kLateReply;
    while (code == kLateReply) {
        const size_t size = PollForInput(1, deadline - GetClock().NowMs()) > 0 ? AwaitWholeFrame() : 0;
        if (size < kFrameOverhead) {
            ReportFailedExchange(0, kReplyTimeout);
            Sleep(kFailurePauseMs);
            return false;
        }
        code = TakeReply(size, nullptr);
    }
    if (code < 0)
        return false;
    const uint8_t* reply = port->receiveBuffer();
    replyCode = code;
    if (replyCode == kReplyAck)
        return true;
    if (replyCode == kReplyError) {
        const uint32_t address = reply[3] == 4 ? ReadLe32(reply + kFrameHeaderSize) : 0;
        ReportFailedExchange(address, kReplyError);
        Sleep(kFailurePauseMs);
        return false;
    }
    if (reportOtherCodes) {
        ReportFailedExchange(0, replyCode);
        Sleep(kFailurePauseMs);
    }
    return false;
}

bool CDownload_Function::WaitAck()
{
    if (!CheckConnected())
        return false;
    int replyCode = 0;
    return FinishAckWait(true, replyCode);
}

bool CDownload_Function::WaitAckCode(int& replyCode)
{
    if (!CheckConnected())
        return false;
    return FinishAckWait(false, replyCode);
}

bool CDownload_Function::WaitReply()
{
    if (!CheckConnected())
        return false;
    if (PollForInput(1, kReplyWaitMs) > 0 && AwaitWholeFrame() >= kFrameOverhead)
        return true;
    ReportFailedExchange(0, kReplyTimeout);
    return false;
}

bool CDownload_Function::WaitReplyCount(size_t count)
{
    if (!CheckConnected())
        return false;
    if (PollForInput(count, kAckWaitMs) > 0 && AwaitWholeFrame() >= kFrameOverhead)
        return true;
    ReportFailedExchange(0, kReplyTimeout);
    return false;
}

bool CDownload_Function::AcknowledgedCommand(uint8_t group, uint8_t code, const uint8_t* payload, uint16_t length,
                                             int attempts, int pauseMs)
{
    if (!CheckConnected())
        return false;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        SendFrame(length, payload, group, code);
        if (WaitAck())
            return true;
        Sleep(pauseMs);
    }
    return false;
}

bool CDownload_Function::QueryCommand(uint8_t group, uint8_t code, const uint8_t* payload, uint16_t length,
                                      int attempts, int pauseMs)
{
    if (!CheckConnected())
        return false;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        SendFrame(length, payload, group, code);
        Sleep(50);
        if (ReadWaitingReply() == kReplyAck)
            return true;
        Sleep(pauseMs);
    }
    return false;
}

bool CDownload_Function::SingleCommand(uint8_t group, uint8_t code, const uint8_t* payload, uint16_t length)
{
    if (!CheckConnected())
        return false;
    SendFrame(length, payload, group, code);
    return WaitAck();
}

bool CDownload_Function::UnansweredCommand(uint8_t group, uint8_t code, const uint8_t* payload, uint16_t length,
                                           int pauseMs)
{
    if (!CheckConnected())
        return false;
    SendFrame(length, payload, group, code);
    Sleep(pauseMs);
    return true;
}

}  // namespace skarnel
