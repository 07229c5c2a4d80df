#include "sim/fault_plan.h"

#include <array>
#include <sstream>

namespace skarnel::sim {
namespace {

struct KindName {
    const char* name;
    FaultKind kind;
    int defaultAmount;
};

constexpr std::array<KindName, 8> kKinds{{
    {"no-reply", FaultKind::NoReply, 0},
    {"truncate", FaultKind::Truncate, 5},
    {"bad-crc", FaultKind::CorruptCrc, 0},
    {"bad-start", FaultKind::WrongStart, 0},
    {"busy", FaultKind::Busy, 0},
    {"nak", FaultKind::Nak, 0},
    {"delay", FaultKind::Delay, 200},
    {"stray", FaultKind::StrayBytes, 3},
}};

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

void FaultPlan::SetRandom(uint32_t seed, double probability)
{
    random_.emplace(seed);
    probability_ = probability;
}

std::optional<FaultRule> FaultPlan::Next(int group, int code)
{
    std::optional<FaultRule> chosen;
    for (ActiveRule& active : rules_) {
        const FaultRule& rule = active.rule;
        if ((rule.group && *rule.group != group) || (rule.code && *rule.code != code))
            continue;
        const int index = ++active.seen;
        if (!chosen && index >= rule.at && index < rule.at + rule.count)
            chosen = rule;
    }
    if (chosen || !random_)
        return chosen;
    std::uniform_real_distribution<double> strike(0.0, 1.0);
    if (strike(*random_) >= probability_)
        return std::nullopt;
    std::uniform_int_distribution<size_t> pick(0, kKinds.size() - 1);
    const KindName& kind = kKinds[pick(*random_)];
    FaultRule rule;
    rule.kind = kind.kind;
    rule.amount = kind.defaultAmount;
    return rule;
}

}  // namespace skarnel::sim
