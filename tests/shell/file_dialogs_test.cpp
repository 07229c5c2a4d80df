#include "shell/file_dialogs.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

struct FilterCase {
    const char* filter;
    const char* qtFilter;
};

TEST(QtFileFilter, GivesQtThePatternsInBracketsSeparatedByBlanks)
{
    const FilterCase cases[] = {
        {"Target File(*.bin)|*.bin|ALL Filess(*.*)|*.*||", "Target File(*.bin);;ALL Filess(*.*)"},
        {"Model Data File(*.mdl;*.mdl)|*.mdl;*.mdl|", "Model Data File(*.mdl *.mdl)"},
        {"Images|*.bin;*.hex||", "Images (*.bin *.hex)"},
    };
    for (const FilterCase& c : cases)
        EXPECT_EQ(QtFileFilter(c.filter).toStdString(), c.qtFilter) << c.filter;
}

}  // namespace
}  // namespace skarnel
