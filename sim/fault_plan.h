#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace skarnel::sim {

enum class FaultKind {
    NoReply,       // the request goes unanswered and unhandled
    Truncate,      // the reply is cut to `amount` bytes
    CorruptCrc,    // the reply's CRC is wrong
    WrongStart,    // the reply's start flag is 0x01
    Busy,          // answered with reply code 5 instead of being handled
    Nak,           // answered with reply code 2 instead of being handled
    Delay,         // the reply comes `amount` ms late
    StrayBytes,    // `amount` stray bytes come before the reply
};

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
// or "truncate=5,at=2". Kinds: no-reply, truncate, bad-crc, bad-start, busy, nak, delay, stray.
std::optional<FaultRule> ParseFaultRule(const std::string& text, std::string& error);

class FaultPlan {
public:
    void Add(const FaultRule& rule) { rules_.push_back({rule, 0}); }
    // A fault of a random kind strikes each request with the given probability, reproducibly.
    void SetRandom(uint32_t seed, double probability);

    // The fault, if any, for the next request of that group and code.
    std::optional<FaultRule> Next(int group, int code);

private:
    struct ActiveRule {
        FaultRule rule;
        int seen;
    };
    std::vector<ActiveRule> rules_;
    std::optional<std::mt19937> random_;
    double probability_ = 0;
};

}  // namespace skarnel::sim
