#include "sim/fault_plan.h"

#include <gtest/gtest.h>

namespace skarnel::sim {
namespace {

TEST(ParseFaultRule, ReadsKindAmountAndFilters)
{
    std::string error;
    const std::optional<FaultRule> busy = ParseFaultRule("busy,code=0x11,count=3", error);
    ASSERT_TRUE(busy) << error;
    EXPECT_EQ(busy->kind, FaultKind::Busy);
    EXPECT_EQ(busy->code, 0x11);
    EXPECT_FALSE(busy->group);
    EXPECT_EQ(busy->count, 3);
    EXPECT_EQ(busy->at, 1);

    const std::optional<FaultRule> cut = ParseFaultRule("truncate=5,at=2,group=5", error);
    ASSERT_TRUE(cut) << error;
    EXPECT_EQ(cut->kind, FaultKind::Truncate);
    EXPECT_EQ(cut->amount, 5);
    EXPECT_EQ(cut->at, 2);
    EXPECT_EQ(cut->group, 5);

    EXPECT_EQ(ParseFaultRule("delay", error)->amount, 200);
}

TEST(ParseFaultRule, RefusesWhatItCannotRead)
{
    for (const char* text :
         {"", "explode", "busy=x", "truncate=-1", "nak,at=0", "nak,count=0", "nak,colour=3", "nak,code"}) {
        std::string error;
        EXPECT_FALSE(ParseFaultRule(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(FaultPlan, StrikesTheMatchingRequestsFromTheirIndexOn)
{
    FaultPlan plan;
    FaultRule rule;
    rule.kind = FaultKind::Nak;
    rule.code = 0x21;
    rule.at = 2;
    rule.count = 2;
    plan.Add(rule);
    std::vector<bool> struck;
    for (int code : {0x21, 0x22, 0x21, 0x21, 0x21, 0x22})
        struck.push_back(plan.Next(0, code).has_value());
    EXPECT_EQ(struck, (std::vector<bool>{false, false, true, true, false, false}));
}

TEST(FaultPlan, RandomFaultsRepeatForTheSameSeed)
{
    auto run = [](uint32_t seed) {
        FaultPlan plan;
        plan.SetRandom(seed, 0.3);
        std::vector<int> kinds;
        for (int i = 0; i < 200; ++i) {
            const std::optional<FaultRule> fault = plan.Next(0, 0x11);
            kinds.push_back(fault ? static_cast<int>(fault->kind) : -1);
        }
        return kinds;
    };
    const std::vector<int> first = run(42);
    EXPECT_EQ(first, run(42));
    EXPECT_NE(first, run(43));
    const auto strikes = std::count_if(first.begin(), first.end(), [](int k) { return k >= 0; });
    EXPECT_GT(strikes, 30);
    EXPECT_LT(strikes, 90);
}

}  // namespace
}  // namespace skarnel::sim
