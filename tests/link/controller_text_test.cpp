#include "link/controller_text.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using namespace std::string_literals;

struct TextCase {
    const char* what;
    std::string text;
    std::string sent;
    bool fitsLatin1 = true;
};

class LowBytes : public testing::TestWithParam<TextCase> {};

TEST_P(LowBytes, AreWhatTheControllerTakes)
{
    EXPECT_EQ(LowBytesOfCharacters(GetParam().text), GetParam().sent);
    EXPECT_EQ(FitsLatin1(GetParam().text), GetParam().fitsLatin1);
}

INSTANTIATE_TEST_SUITE_P(Names, LowBytes,
                         testing::Values(TextCase{"ascii", "plain.txt", "plain.txt"},
                                         TextCase{"latin1",
                                                  "Gr\xc3\xbc\xc3\x9f"
                                                  "e.txt",
                                                  "Gr\xfc\xdf"
                                                  "e.txt"},
                                         TextCase{"beyondLatin1", "\xe2\x82\xac", "\xac", false},
                                         TextCase{"beyondTheBasicPlane", "\xf0\x9f\x98\x80", "\x3d\x00"s, false},
                                         TextCase{"latin1Byte", "M\xfcller", "M\xfcller"},
                                         TextCase{"cutOff", "a\xc3", "a\xc3"},
                                         TextCase{"overlongSlash", "\xc0\xaf", "\xc0\xaf"},
                                         TextCase{"overlongDot", "\xe0\x80\xae", "\xe0\x80\xae"},
                                         TextCase{"surrogate", "\xed\xa0\x80", "\xed\xa0\x80"}),
                         [](const testing::TestParamInfo<TextCase>& c) { return std::string(c.param.what); });

TEST(ControllerText, Latin1NamesBecomeUtf8AndGoBackByteForByte)
{
    EXPECT_EQ(Latin1ToUtf8("M\xfcller.txt"), "M\xc3\xbcller.txt");
    EXPECT_EQ(Latin1ToUtf8("\xff\x80 a"), "\xc3\xbf\xc2\x80 a");
    for (int byte = 0; byte < 256; ++byte) {
        const std::string sent(1, static_cast<char>(byte));
        EXPECT_EQ(LowBytesOfCharacters(Latin1ToUtf8(sent)), sent) << byte;
    }
}

}  // namespace
}  // namespace skarnel
