#include "sim/fault_plan.h"

#include <array>
#include <cstdlib>
#include <sstream>

namespace skarnel::sim {
namespace {

struct KindName {
    const char* name;
    FaultKind kind;
    int defaultAmount;
    int defaultCount;
};

constexpr std::array<KindName, 11> kKinds{{
    {"no-reply", FaultKind::NoReply, 0, 1},
    {"truncate", FaultKind::Truncate, 5, 1},
    {"bad-crc", FaultKind::CorruptCrc, 0, 1},
    {"bad-start", FaultKind::WrongStart, 0, 1},
    {"busy", FaultKind::Busy, 0, 1},
    {"nak", FaultKind::Nak, 0, 1},
    {"delay", FaultKind::Delay, 200, 1},
    {"stray", FaultKind::StrayBytes, 3, 1},
    {"split", FaultKind::Split, 1000, INT_MAX},
    {"packets", FaultKind::Packets, 16, INT_MAX},
    {"trickle", FaultKind::Trickle, 0, INT_MAX},
}};

// The random mode draws among the faults proper; the delivery kinds are not faults of a reply.
constexpr size_t kRandomKindCount = 8;
constexpr std::array<int64_t, 4> kRandomSplitGapsUs{500, 1000, 2000, 4000};
constexpr int64_t kNsPerUs = 1000;

std::optional<int> ParseNumber(const std::string& text)
{
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used, 0);
        if (used == text.size())
            return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

bool ApplyOption(FaultRule& rule, const std::string& key, int value)
{
    if (key == "group")
        rule.group = value;
    else if (key == "code")
        rule.code = value;
    else if (key == "at" && value >= 1)
        rule.at = value;
    else if (key == "count" && value >= 1)
        rule.count = value;
    else
        return false;
    return true;
}

}  // namespace

std::optional<FaultRule> ParseFaultRule(const std::string& text, std::string& error)
{
    std::stringstream parts(text);
    std::string part;
    std::getline(parts, part, ',');
    const size_t equals = part.find('=');
    const std::string kindName = part.substr(0, equals);
    FaultRule rule;
    bool known = false;
    for (const KindName& kind : kKinds) {
        if (kindName == kind.name) {
            rule.kind = kind.kind;
            rule.amount = kind.defaultAmount;
            rule.count = kind.defaultCount;
            known = true;
        }
    }
    if (!known) {
        error = "unknown fault kind '" + kindName + "'";
        return std::nullopt;
    }
    if (equals != std::string::npos) {
        const std::optional<int> amount = ParseNumber(part.substr(equals + 1));
        if (!amount || *amount < 0) {
            error = "bad amount in '" + part + "'";
            return std::nullopt;
        }
        rule.amount = *amount;
    }
    while (std::getline(parts, part, ',')) {
        const size_t eq = part.find('=');
        const std::optional<int> value = eq == std::string::npos ? std::nullopt : ParseNumber(part.substr(eq + 1));
        if (!value || !ApplyOption(rule, part.substr(0, eq), *value)) {
            error = "bad fault option '" + part + "'";
            return std::nullopt;
        }
    }
    return rule;
}

bool IsDeliveryKind(FaultKind kind)
{
    return kind == FaultKind::Split || kind == FaultKind::Packets || kind == FaultKind::Trickle;
}

bool ParseRandomFaults(const std::string& text, FaultPlan& plan, std::string& error)
{
    const size_t colon = text.find(':');
    try {
        const auto seed = static_cast<uint32_t>(std::stoul(text.substr(0, colon)));
        const std::string mode = colon == std::string::npos ? std::string() : text.substr(colon + 1);
        if (mode == "split")
            plan.SetRandomSplit(seed);
        else
            plan.SetRandom(seed, mode.empty() ? 0.1 : std::stod(mode));
    } catch (const std::exception&) {
        error = "bad random faults '" + text + "'";
        return false;
    }
    return true;
}

std::string RandomFaultsFromEnvironment()
{
    const char* text = std::getenv(kRandomFaultsVariable);
    return text ? text : "";
}

void FaultPlan::SetRandom(uint32_t seed, double probability)
{
    random_.emplace(seed);
    probability_ = probability;
}

void FaultPlan::SetRandomSplit(uint32_t seed)
{
    randomSplit_.emplace(seed);
}

std::optional<FaultRule> FaultPlan::Match(int group, int code, bool delivery)
{
    std::optional<FaultRule> chosen;
    for (ActiveRule& active : rules_) {
        const FaultRule& rule = active.rule;
        if (IsDeliveryKind(rule.kind) != delivery || (rule.group && *rule.group != group) ||
            (rule.code && *rule.code != code))
            continue;
        const int index = ++active.seen;
        if (!chosen && index >= rule.at && index - rule.at < rule.count)
            chosen = rule;
    }
    return chosen;
}

Delivery FaultPlan::NextDelivery(int group, int code, size_t size)
{
    if (const std::optional<FaultRule> rule = Match(group, code, true)) {
        switch (rule->kind) {
        case FaultKind::Split: return {DeliveryKind::Split, size / 2, int64_t{rule->amount} * kNsPerUs};
        case FaultKind::Packets: return {DeliveryKind::Packets, static_cast<size_t>(rule->amount), 0};
        default: return {DeliveryKind::Trickle, 0, 0};
        }
    }
    if (!randomSplit_ || size < 2)
        return {};
    std::uniform_int_distribution<size_t> point(1, size - 1);
    std::uniform_int_distribution<size_t> gap(0, kRandomSplitGapsUs.size() - 1);
    const size_t first = point(*randomSplit_);
    return {DeliveryKind::Split, first, kRandomSplitGapsUs[gap(*randomSplit_)] * kNsPerUs};
}

std::optional<FaultRule> FaultPlan::Next(int group, int code)
{
    std::optional<FaultRule> chosen = Match(group, code, false);
    if (chosen || !random_)
        return chosen;
    std::uniform_real_distribution<double> strike(0.0, 1.0);
    if (strike(*random_) >= probability_)
        return std::nullopt;
    std::uniform_int_distribution<size_t> pick(0, kRandomKindCount - 1);
    const KindName& kind = kKinds[pick(*random_)];
    FaultRule rule;
    rule.kind = kind.kind;
    rule.amount = kind.defaultAmount;
    return rule;
}

}  // namespace skarnel::sim
