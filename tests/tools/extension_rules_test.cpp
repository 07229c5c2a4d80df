#include "tools/extension_rules.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

struct RuleCase {
    const char* typed;
    const char* target;  // the merge target rule
    const char* ymodem;  // the Y-Modem target rule
};

TEST(ExtensionRules, AddBinUnlessTheNameEndsInIt)
{
    const RuleCase cases[] = {
        {"fw", "fw.bin", "fw.bin"},         {"", ".bin", ".bin"},
        {"abc", "abc.bin", "abc.bin"},      {"abcd", "abcd.bin", "abcd.bin"},
        {".bin", ".bin", ".bin"},           {"fw.bin", "fw.bin", "fw.bin"},
        {"fw.Bin", "fw.Bin", "fw.Bin"},     {"fw.BIN", "fw.BIN", "fw.BIN"},
        {"fw.bIN", "fw.bIN.bin", "fw.bIN"}, {"/data/fw.hex", "/data/fw.hex.bin", "/data/fw.hex.bin"},
    };
    for (const RuleCase& c : cases) {
        EXPECT_EQ(ApplyTargetExtensionRule(c.typed), c.target) << c.typed;
        EXPECT_EQ(ApplyYModemExtensionRule(c.typed), c.ymodem) << c.typed;
    }
}

}  // namespace
}  // namespace skarnel
