#include "base/clock.h"
#include "link/download_function.h"
#include "link/frame.h"
#include "link/rs232.h"

#include <algorithm>
#include <array>

namespace skarnel {
namespace {

// A reply still coming in is given up once no byte has come for this long. A USB bridge hands
// bytes over in packets of up to 64 bytes, and at 115200 baud such a packet alone takes 5.6 ms
// on the wire, longer than a poll step; the rest is room for a busy PC.
constexpr int64_t kQuietLineMs = 20;

// The size of the frame at the front of the input once all of it waits; nothing while it is
// still coming or when it cannot be sized.
std::optional<size_t> WholeFrameSize(CRS232& port, size_t waiting)
{
    std::array<uint8_t, kFrameSizingBytes> head{};
    const size_t seen = port.PeekInput(head.data(), head.size());
    if (seen < kFrameSizingBytes || !CanStartFrame(head.data(), seen))
        return std::nullopt;
    const size_t size = FrameSize(head.data());
    if (size > CRS232::kReceiveBufferSize || waiting < size)
        return std::nullopt;
    return size;
}

// What a reply that never became whole yields once the line is quiet: bytes that cannot start
// a frame go to the frame check, which says what is wrong with them; a frame that stopped short
// yields nothing.
size_t UnfinishedReplySize(CRS232& port, size_t waiting)
{
    std::array<uint8_t, 3> head{};
    const size_t seen = port.PeekInput(head.data(), head.size());
    if (waiting < kFrameOverhead || CanStartFrame(head.data(), seen))
        return 0;
    return std::min(waiting, CRS232::kReceiveBufferSize);
}

}  // namespace

size_t CDownload_Function::AwaitWholeFrame(std::optional<int64_t> completeByMs)
{
    Clock& clock = GetClock();
    size_t waiting = port->InputQueueCount();
    int64_t lastArrivalMs = clock.NowMs();
    while (true) {
        if (const std::optional<size_t> size = WholeFrameSize(*port, waiting))
            return *size;
        const int64_t now = clock.NowMs();
        const int64_t quietMs = now - lastArrivalMs;
        if (quietMs >= kQuietLineMs || (completeByMs && now >= *completeByMs))
            return UnfinishedReplySize(*port, waiting);
        port->WaitPollStep(static_cast<int>(std::min<int64_t>(kPollStepMs, kQuietLineMs - quietMs)));
        const size_t nowWaiting = port->InputQueueCount();
        if (nowWaiting != waiting) {
            waiting = nowWaiting;
            lastArrivalMs = clock.NowMs();
        }
    }
}

// Reads the reply's bytes and checks them; the reply code, kLateReply for the late answer to an
// earlier request, or -1. A frame that stopped short is dropped, so that its remains cannot be
// taken for the front of a later frame.
int CDownload_Function::TakeReply(size_t size, size_t* receivedCount)
{
    if (receivedCount)
        *receivedCount = 0;
    if (size < kFrameOverhead) {
        port->DiscardInput();
        return -1;
    }
    const size_t received = port->ReadToBuffer(size);
    if (receivedCount)
        *receivedCount = received;
    if (received < kFrameOverhead || !CheckFrame(port->receiveBuffer(), received))
        return -1;
    if (FrameSize(port->receiveBuffer()) != received)
        return -1;
    if (requests_.IsLateReply(port->receiveBuffer()[1]))
        return kLateReply;
    requests_.Answered();
    return port->receiveBuffer()[6];
}

int CDownload_Function::ReadWaitingReply(size_t* receivedCount, std::optional<int64_t> completeByMs)
{
    if (port->InputQueueCount() == 0) {
        if (receivedCount)
            *receivedCount = 0;
        return -1;
    }
    const int code = TakeReply(AwaitWholeFrame(completeByMs), receivedCount);
    return code == kLateReply ? -1 : code;
}

}  // namespace skarnel
