// Comparing code page 932 texts that end in a lead byte without its trail
// byte, as a hand-edited settings file or a pasted name may.
#include "classlib/MbString.h"

#include <gtest/gtest.h>

namespace {

TEST(MbString, TornTextsAreEqualOnlyToThemselves)
{
    std::string a = std::string("name\x83") + '\0' + "X";
    std::string b = std::string("name\x83") + '\0' + "Y";
    // Cut short: different bytes stay behind the two ends.
    a.resize(5);
    b.resize(5);
    EXPECT_EQ(0, MbCompare(a, b));
    EXPECT_EQ(0, MbCompareNoCase(a, b));

    EXPECT_GT(MbCompare("name\x83", "name"), 0);
    EXPECT_LT(MbCompareNoCase("NAME", "name\x83"), 0);
    EXPECT_EQ(0, MbCompareNoCase("NAME\x83", "name\x83"));
}

} // namespace
