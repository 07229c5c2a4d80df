#include "tests/faults/fault_mix.h"

#include "base/format.h"

#include <array>
#include <climits>
#include <random>

namespace skarnel::test {
namespace {

using sim::FaultKind;

struct FaultShape {
    const char* name;
    FaultKind kind;
    int minAmount;
    int maxAmount;
    int maxCount;
};

// Storms: a run of one fault from some request on. A stall is a delay of up to 15 s; a split
// reply's second half may come after the 20 ms that end a reply, which cuts it.
constexpr std::array<FaultShape, 8> kStorms{{
    {"no-reply", FaultKind::NoReply, 0, 0, 3},
    {"truncate", FaultKind::Truncate, 1, 40, 3},
    {"bad-crc", FaultKind::CorruptCrc, 0, 0, 3},
    {"bad-start", FaultKind::WrongStart, 0, 0, 3},
    {"busy", FaultKind::Busy, 0, 0, 40},
    {"nak", FaultKind::Nak, 0, 0, 3},
    {"delay", FaultKind::Delay, 20, 15'000, 2},
    {"stray", FaultKind::StrayBytes, 1, 64, 3},
}};

// How every reply of a trial crosses the cable, when not whole.
constexpr std::array<FaultShape, 3> kDeliveries{{
    {"split", FaultKind::Split, 100, 40'000, INT_MAX},
    {"packets", FaultKind::Packets, 1, 64, INT_MAX},
    {"trickle", FaultKind::Trickle, 0, 0, INT_MAX},
}};

constexpr std::array<double, 5> kRandomRates{0.0, 0.005, 0.01, 0.03, 0.1};
constexpr int kMaxStorms = 2;
constexpr int kDyingLinkOneIn = 5;

class Draw {
public:
    explicit Draw(uint32_t seed) : engine_(seed) {}
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool OneIn(int n) { return Between(1, n) == 1; }
    uint32_t Seed() { return static_cast<uint32_t>(engine_()); }

private:
    std::mt19937 engine_;
};

sim::FaultRule Rule(FaultKind kind, int amount, int at, int count)
{
    sim::FaultRule rule;
    rule.kind = kind;
    rule.amount = amount;
    rule.at = at;
    rule.count = count;
    return rule;
}

void AddStorm(Draw& draw, int typicalRequests, FaultMix& mix)
{
    const FaultShape& shape = kStorms[static_cast<size_t>(draw.Between(0, static_cast<int>(kStorms.size()) - 1))];
    const int amount = draw.Between(shape.minAmount, shape.maxAmount);
    const int at = draw.Between(1, typicalRequests);
    const int count = draw.Between(1, shape.maxCount);
    mix.rules.push_back(Rule(shape.kind, amount, at, count));
    mix.description += Format("; %s=%d x%d from request %d", shape.name, amount, count, at);
}

void AddDelivery(Draw& draw, FaultMix& mix)
{
    const int pick = draw.Between(0, 2 * static_cast<int>(kDeliveries.size()) - 1);
    if (pick >= static_cast<int>(kDeliveries.size()))
        return;
    const FaultShape& shape = kDeliveries[static_cast<size_t>(pick)];
    const int amount = draw.Between(shape.minAmount, shape.maxAmount);
    mix.rules.push_back(Rule(shape.kind, amount, 1, shape.maxCount));
    mix.description += Format("; every reply %s=%d", shape.name, amount);
}

// Half the deaths leave the port open to a controller that no longer answers, half pull the cable.
void AddDyingLink(Draw& draw, int typicalRequests, FaultMix& mix)
{
    const int at = draw.Between(1, typicalRequests);
    if (draw.OneIn(2)) {
        mix.rules.insert(mix.rules.begin(), Rule(FaultKind::NoReply, 0, at, INT_MAX));
        mix.description += Format("; controller silent from request %d", at);
    } else {
        mix.portDiesAtWrite = at;
        mix.description += Format("; port gone at write %d", at);
    }
}

}  // namespace

FaultMix DrawFaultMix(uint32_t seed, int typicalRequests)
{
    Draw draw(seed);
    FaultMix mix;
    mix.randomSeed = draw.Seed();
    mix.probability = kRandomRates[static_cast<size_t>(draw.Between(0, static_cast<int>(kRandomRates.size()) - 1))];
    mix.description = Format("random faults %.2f", mix.probability);
    for (int storms = draw.Between(0, kMaxStorms); storms > 0; --storms)
        AddStorm(draw, typicalRequests, mix);
    AddDelivery(draw, mix);
    if (draw.OneIn(kDyingLinkOneIn))
        AddDyingLink(draw, typicalRequests, mix);
    return mix;
}

void PlanFaults(const FaultMix& mix, sim::FaultPlan& plan)
{
    plan = sim::FaultPlan();
    for (const sim::FaultRule& rule : mix.rules)
        plan.Add(rule);
    if (mix.probability > 0)
        plan.SetRandom(mix.randomSeed, mix.probability);
}

}  // namespace skarnel::test
