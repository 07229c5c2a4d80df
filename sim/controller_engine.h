#pragma once

#include "sim/controller_state.h"
#include "sim/fault_plan.h"
#include "sim/reply_delivery.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <tuple>
#include <optional>
#include <vector>

namespace skarnel::sim {

struct Request {
    uint8_t sequence = 0;
    uint8_t group = 0;
    uint8_t code = 0;
    std::vector<uint8_t> payload;
    std::vector<uint8_t> frame;  // the bytes as they came
};

inline constexpr uint8_t kAckCode = 1;
inline constexpr uint8_t kNakCode = 2;
inline constexpr uint8_t kErrorCode = 3;
inline constexpr uint8_t kCrcErrorCode = 4;
inline constexpr uint8_t kBusyCode = 5;

struct Reply {
    uint8_t code = kAckCode;
    std::vector<uint8_t> payload;
};

// The simulated controller. It is fed the bytes the PC sends, at a time, and asked at a time
// for the bytes it sends back; it never looks at a clock of its own. Times are in nanoseconds.
class ControllerEngine {
public:
    // A handler answers a request with a reply, or with nothing to leave it unanswered.
    using Handler = std::function<std::optional<Reply>(const Request&)>;

    explicit ControllerEngine(ControllerState state = {});

    // Handlers are looked up by mode, group and code; a request without one is refused (NAK).
    void On(ControllerMode mode, int group, uint8_t code, Handler handler);

    void Receive(const uint8_t* data, size_t count, int64_t nowNs);
    // Moves up to `capacity` bytes that are due by nowNs into out; returns their count.
    size_t TakeOutput(uint8_t* out, size_t capacity, int64_t nowNs);
    // When the next pending byte becomes due, if any is pending.
    std::optional<int64_t> NextOutputNs() const;

    // Sends a frame the controller speaks first (the boot-up frame), `delayNs` from now; the
    // fault plan applies to it as to a reply.
    void SendUnprompted(uint8_t group, const Reply& reply, int64_t delayNs);
    // Runs an action at a later time (before output due at the same time is handed over).
    void ScheduleAfter(int64_t delayNs, std::function<void()> action);
    // The time of the request being handled, or of the last call.
    int64_t NowNs() const { return nowNs_; }

    // Wire-speed emulation: 115200 baud 8N1 both ways, output in USB packets of up to 64 bytes.
    void SetWireSpeed(bool enabled) { wireSpeed_ = enabled; }
    FaultPlan& faults() { return faults_; }
    ControllerState& state() { return state_; }
    const ControllerState& state() const { return state_; }
    uint64_t RequestCount() const { return requestCount_; }
    // Keeps every sound request from now on, for tests that look at what the PC sent.
    void KeepRequestLog(bool keep) { keepLog_ = keep; }
    const std::vector<Request>& RequestLog() const { return requestLog_; }

private:
    struct Scheduled {
        int64_t dueNs;
        std::function<void()> action;
    };

    void AdvanceTo(int64_t nowNs);
    void ParseInput();
    void Handle(const Request& request, int64_t receivedNs);
    // Queues a frame ready at readyNs, cut as the fault plan says it crosses the cable.
    void Emit(const std::vector<uint8_t>& frame, int64_t readyNs, int group, int code);
    // Applies a fault to a reply frame; returns when the reply is ready.
    static int64_t Mangle(const FaultRule& fault, std::vector<uint8_t>& frame, int64_t readyNs);
    std::optional<Reply> Dispatch(const Request& request);

    ControllerState state_;
    FaultPlan faults_;
    std::map<std::tuple<ControllerMode, int, uint8_t>, Handler> handlers_;
    std::vector<uint8_t> input_;
    int64_t inputLastByteNs_ = 0;
    int64_t rxLineFreeNs_ = 0;
    int64_t txLineFreeNs_ = 0;
    int64_t nowNs_ = 0;
    uint8_t unpromptedSequence_ = 1;
    bool wireSpeed_ = false;
    uint64_t requestCount_ = 0;
    bool keepLog_ = false;
    std::vector<Request> requestLog_;
    std::deque<ReplyPiece> output_;
    std::vector<Scheduled> scheduled_;
};

}  // namespace skarnel::sim
