#include "base/file_safe_name.h"
#include "base/printable_text.h"
#include "tests/support/hostile_names.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarnel {
namespace {

using namespace std::string_literals;

struct EscapeCase {
    const char* what;
    std::string name;
    std::string printed;
};

class PrintableNames : public testing::TestWithParam<EscapeCase> {};

TEST_P(PrintableNames, ShowControlCharactersAsEscapes)
{
    EXPECT_EQ(PrintableName(GetParam().name), GetParam().printed);
}

INSTANTIATE_TEST_SUITE_P(Names, PrintableNames,
                         testing::Values(EscapeCase{"plain", "x.cld", "x.cld"},
                                         EscapeCase{"latin1", "M\xc3\xbcller", "M\xc3\xbcller"},
                                         EscapeCase{"newline", "nl\nx", "nl\\nx"},
                                         EscapeCase{"crlf", "a\r\nb", "a\\r\\nb"}, EscapeCase{"tab", "a\tb", "a\\tb"},
                                         EscapeCase{"clearScreen", "\x1b[2J", "\\x1b[2J"},
                                         EscapeCase{"nul", "a\0b"s, "a\\x00b"}, EscapeCase{"delete", "\x7f", "\\x7f"},
                                         EscapeCase{"c1",
                                                    "\xc2\x9b"
                                                    "2J",
                                                    "\\x9b2J"},
                                         EscapeCase{"rawC1",
                                                    "\x9b"
                                                    "2J",
                                                    "\\x9b2J"},
                                         EscapeCase{"noUtf8", "\xff\xc3", "\\xff\\xc3"},
                                         EscapeCase{"overlongNewline", "\xe0\x80\x8a", "\\xe0\\x80\\x8a"},
                                         EscapeCase{"backslashStays", "a\\b", "a\\b"}),
                         [](const testing::TestParamInfo<EscapeCase>& c) { return std::string(c.param.what); });

TEST(PrintableText, KeepsOnlyTheLineBreaksOfTheSystemsTexts)
{
    EXPECT_EQ(PrintableText("Folder Delete Fail -/a \r\n PRES_Fat_DENIED   "),
              "Folder Delete Fail -/a \r\n PRES_Fat_DENIED   ");
    EXPECT_EQ(PrintableText("\x1b[2Jx\x07"), "\\x1b[2Jx\\x07");
}

TEST(HostileNames, NeverReachTheTerminalRaw)
{
    const std::vector<std::string> names = test::HostileNames("/outside");
    ASSERT_EQ(names.size(), 10'000u);
    for (const std::string& name : names) {
        EXPECT_TRUE(test::IsTerminalSafe(PrintableName(name))) << PrintableName(name);
        EXPECT_TRUE(test::IsTerminalSafe(PrintableText(name), true)) << PrintableName(name);
    }
}

// What each caller adds ("h...01.mdl", ".apm", the refusal of ".") is tested with the caller.
TEST(HostileNames, KeepNoSeparatorDotsOrControlCharacterInAFileName)
{
    for (const std::string& name : test::HostileNames("/outside")) {
        const std::string safe = FileSafeName(name);
        EXPECT_EQ(safe.find_first_of("/\\"), std::string::npos) << PrintableName(name);
        EXPECT_EQ(safe.find(".."), std::string::npos) << PrintableName(name);
        EXPECT_TRUE(std::none_of(safe.begin(), safe.end(), [](char c) { return c >= 0 && c < 0x20; }))
            << PrintableName(name);
        EXPECT_EQ(safe.find("\x7f"), std::string::npos) << PrintableName(name);
    }
}

}  // namespace
}  // namespace skarnel
