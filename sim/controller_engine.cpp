#include "sim/controller_engine.h"

#include "base/byte_order.h"
#include "link/frame.h"

#include <algorithm>

namespace skarnel::sim {
namespace {

constexpr int64_t kNsPerMs = 1'000'000;

}  // namespace

ControllerEngine::ControllerEngine(ControllerState state) : state_(std::move(state)) {}

void ControllerEngine::On(ControllerMode mode, int group, uint8_t code, Handler handler)
{
    handlers_[{mode, group, code}] = std::move(handler);
}

void ControllerEngine::Receive(const uint8_t* data, size_t count, int64_t nowNs)
{
    AdvanceTo(nowNs);
    if (count == 0)
        return;
    if (wireSpeed_) {
        rxLineFreeNs_ = std::max(nowNs, rxLineFreeNs_) + static_cast<int64_t>(count) * kWireByteNs;
        inputLastByteNs_ = rxLineFreeNs_;
    } else {
        inputLastByteNs_ = nowNs;
    }
    input_.insert(input_.end(), data, data + count);
    ParseInput();
}

// Takes whole frames off the front of the input; anything that cannot start a frame is skipped.
void ControllerEngine::ParseInput()
{
    while (!input_.empty()) {
        if (input_.size() >= 3 && (input_[0] != 0x00 || input_[1] != static_cast<uint8_t>(~input_[2]))) {
            input_.erase(input_.begin());
            continue;
        }
        if (input_.size() < kFrameHeaderSize)
            return;
        const size_t length = ReadLe16(input_.data() + 3);
        if (length > kMaxFramePayload) {
            input_.erase(input_.begin());
            continue;
        }
        const size_t frameSize = kFrameOverhead + length;
        if (input_.size() < frameSize)
            return;
        Request request;
        request.sequence = input_[1];
        request.group = input_[5];
        request.code = input_[6];
        request.payload.assign(input_.begin() + kFrameHeaderSize, input_.begin() + kFrameHeaderSize + length);
        if (keepLog_)
            request.frame.assign(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(frameSize));
        const uint16_t crc = ComputeCrc16(input_.data() + 3, 4 + length);
        const bool sound = ReadLe16(input_.data() + kFrameHeaderSize + length) == crc;
        input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(frameSize));
        if (sound) {
            Handle(request, inputLastByteNs_);
        } else {
            Emit(EncodeFrame(request.sequence, request.group, kCrcErrorCode, {}), inputLastByteNs_, request.group,
                 request.code);
        }
    }
}

std::optional<Reply> ControllerEngine::Dispatch(const Request& request)
{
    const auto handler = handlers_.find({state_.mode, request.group, request.code});
    if (handler == handlers_.end())
        return Reply{kNakCode, {}};
    return handler->second(request);
}

void ControllerEngine::Handle(const Request& request, int64_t receivedNs)
{
    nowNs_ = std::max(nowNs_, receivedNs);
    ++requestCount_;
    if (keepLog_)
        requestLog_.push_back(request);
    const std::optional<FaultRule> fault = faults_.Next(request.group, request.code);
    const FaultKind kind = fault ? fault->kind : FaultKind::Delay;
    std::optional<Reply> reply;
    if (fault && kind == FaultKind::NoReply)
        return;
    if (fault && kind == FaultKind::Busy)
        reply = Reply{kBusyCode, {}};
    else if (fault && kind == FaultKind::Nak)
        reply = Reply{kNakCode, {}};
    else
        reply = Dispatch(request);
    if (!reply)
        return;
    std::vector<uint8_t> frame = EncodeFrame(request.sequence, request.group, reply->code, reply->payload);
    const int64_t readyNs = fault ? Mangle(*fault, frame, receivedNs) : receivedNs;
    Emit(frame, readyNs, request.group, request.code);
}

int64_t ControllerEngine::Mangle(const FaultRule& fault, std::vector<uint8_t>& frame, int64_t readyNs)
{
    switch (fault.kind) {
    case FaultKind::Truncate: frame.resize(std::min(frame.size(), static_cast<size_t>(fault.amount))); break;
    case FaultKind::CorruptCrc: frame.back() ^= 0xFF; break;
    case FaultKind::WrongStart: frame[0] = 0x01; break;
    case FaultKind::StrayBytes: frame.insert(frame.begin(), static_cast<size_t>(fault.amount), 0x5A); break;
    case FaultKind::Delay: return readyNs + fault.amount * kNsPerMs;
    default: break;
    }
    return readyNs;
}

void ControllerEngine::Emit(const std::vector<uint8_t>& frame, int64_t readyNs, int group, int code)
{
    if (frame.empty())
        return;
    const Delivery delivery = faults_.NextDelivery(group, code, frame.size());
    // Pieces leave in order: a reply never overtakes the one before it.
    const int64_t start = std::max(readyNs, txLineFreeNs_);
    for (ReplyPiece& piece : CutReply(frame, start, delivery, wireSpeed_)) {
        txLineFreeNs_ = std::max(txLineFreeNs_, piece.dueNs);
        output_.push_back(std::move(piece));
    }
}

void ControllerEngine::SendUnprompted(uint8_t group, const Reply& reply, int64_t delayNs)
{
    const uint8_t sequence = unpromptedSequence_;
    unpromptedSequence_ = static_cast<uint8_t>(sequence % 250 + 1);
    // Faults strike these frames too, matched by group and reply code; no-reply drops the frame.
    ScheduleAfter(delayNs, [this, group, reply, sequence] {
        const std::optional<FaultRule> fault = faults_.Next(group, reply.code);
        if (fault && fault->kind == FaultKind::NoReply)
            return;
        std::vector<uint8_t> frame = EncodeFrame(sequence, group, reply.code, reply.payload);
        const int64_t readyNs = fault ? Mangle(*fault, frame, nowNs_) : nowNs_;
        Emit(frame, readyNs, group, reply.code);
    });
}

void ControllerEngine::ScheduleAfter(int64_t delayNs, std::function<void()> action)
{
    scheduled_.push_back({nowNs_ + delayNs, std::move(action)});
}

void ControllerEngine::AdvanceTo(int64_t nowNs)
{
    while (true) {
        auto next = std::min_element(scheduled_.begin(), scheduled_.end(),
                                     [](const Scheduled& a, const Scheduled& b) { return a.dueNs < b.dueNs; });
        if (next == scheduled_.end() || next->dueNs > nowNs)
            break;
        Scheduled due = std::move(*next);
        scheduled_.erase(next);
        nowNs_ = std::max(nowNs_, due.dueNs);
        due.action();
    }
    nowNs_ = std::max(nowNs_, nowNs);
}

size_t ControllerEngine::TakeOutput(uint8_t* out, size_t capacity, int64_t nowNs)
{
    AdvanceTo(nowNs);
    size_t taken = 0;
    while (!output_.empty() && output_.front().dueNs <= nowNs && taken < capacity) {
        ReplyPiece& chunk = output_.front();
        const size_t n = std::min(capacity - taken, chunk.bytes.size());
        std::copy_n(chunk.bytes.begin(), n, out + taken);
        taken += n;
        chunk.bytes.erase(chunk.bytes.begin(), chunk.bytes.begin() + static_cast<std::ptrdiff_t>(n));
        if (chunk.bytes.empty())
            output_.pop_front();
    }
    return taken;
}

std::optional<int64_t> ControllerEngine::NextOutputNs() const
{
    std::optional<int64_t> next;
    if (!output_.empty())
        next = output_.front().dueNs;
    for (const Scheduled& action : scheduled_)
        next = next ? std::min(*next, action.dueNs) : action.dueNs;
    return next;
}

}  // namespace skarnel::sim
