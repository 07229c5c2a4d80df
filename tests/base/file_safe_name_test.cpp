#include "base/file_safe_name.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

struct NameCase {
    std::string name;
    std::string safe;
};

class FileSafeNames : public testing::TestWithParam<NameCase> {};

TEST_P(FileSafeNames, NeverLeaveTheFolderTheyAreWrittenTo)
{
    EXPECT_EQ(FileSafeName(GetParam().name), GetParam().safe);
}

INSTANTIATE_TEST_SUITE_P(Names, FileSafeNames,
                         testing::Values(NameCase{"TREX 450", "TREX 450"}, NameCase{"v1.2", "v1.2"},
                                         NameCase{"a/b\\c", "a_b_c"}, NameCase{"../up", "___up"}, NameCase{"..", "__"},
                                         NameCase{"x...y", "x___y"}, NameCase{"tab\there", "tab_here"},
                                         NameCase{"del\x7F", "del_"}, NameCase{"\xC4\xD6", "\xC4\xD6"},
                                         NameCase{"c1\xC2\x9B"
                                                  "2J",
                                                  "c1_2J"},
                                         NameCase{"\xC3\xBC\xC2", "\xC3\xBC\xC2"}));

}  // namespace
}  // namespace skarnel
