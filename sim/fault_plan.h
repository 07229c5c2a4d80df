#pragma once

#include "sim/reply_delivery.h"

#include <climits>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace skarnel::sim {

enum class FaultKind {
    NoReply,     // the request goes unanswered and unhandled
    Truncate,    // the reply is cut to `amount` bytes
    CorruptCrc,  // the reply's CRC is wrong
    WrongStart,  // the reply's start flag is 0x01
    Busy,        // answered with reply code 5 instead of being handled
    Nak,         // answered with reply code 2 instead of being handled
    Delay,       // the reply comes `amount` ms late
    StrayBytes,  // `amount` stray bytes come before the reply
    // How the reply crosses the cable; these strike every matching request unless counted,
    // and they combine with the faults above.
    Split,    // in two halves, the second `amount` microseconds after the first
    Packets,  // in packets of at most `amount` bytes, one USB frame apart
    Trickle,  // one byte at a time at wire speed
};

bool IsDeliveryKind(FaultKind kind);

// One fault for requests that match: optionally a group and a code; it strikes from the
// `at`-th matching request on (1-based), `count` times.
struct FaultRule {
    FaultKind kind = FaultKind::NoReply;
    int amount = 0;
    std::optional<int> group;
    std::optional<int> code;
    int at = 1;
    int count = 1;
};

// Parses "kind[=amount][,group=G][,code=C][,at=N][,count=M]", e.g. "busy,code=0x11,count=3"
// or "truncate=5,at=2". Kinds: no-reply, truncate, bad-crc, bad-start, busy, nak, delay, stray,
// split, packets, trickle.
std::optional<FaultRule> ParseFaultRule(const std::string& text, std::string& error);

// Parses the random mode "SEED[:PROBABILITY]" (a random fault per request) or "SEED:split"
// (every reply split at a random point, the parts 0.5 to 4 ms apart) into the plan.
bool ParseRandomFaults(const std::string& text, class FaultPlan& plan, std::string& error);

// The environment variable that gives every simulated controller of a process, and every
// simulator started from it, a random mode (so a whole test suite can run on split replies).
inline constexpr const char* kRandomFaultsVariable = "SKARNEL_SIM_RANDOM_FAULTS";
std::string RandomFaultsFromEnvironment();

class FaultPlan {
public:
    void Add(const FaultRule& rule) { rules_.push_back({rule, 0}); }
    // A fault of a random kind strikes each request with the given probability, reproducibly.
    void SetRandom(uint32_t seed, double probability);
    // Every reply is split in two at a random point, reproducibly.
    void SetRandomSplit(uint32_t seed);

    // The fault, if any, for the next request of that group and code.
    std::optional<FaultRule> Next(int group, int code);
    // How the reply of `size` bytes to that request crosses the cable; call once per request.
    Delivery NextDelivery(int group, int code, size_t size);

private:
    struct ActiveRule {
        FaultRule rule;
        int seen;
    };
    std::optional<FaultRule> Match(int group, int code, bool delivery);

    std::vector<ActiveRule> rules_;
    std::optional<std::mt19937> random_;
    double probability_ = 0;
    std::optional<std::mt19937> randomSplit_;
};

}  // namespace skarnel::sim
