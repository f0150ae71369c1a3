// Replacing "%KPXSETUP%" by the tool directory: repeated until no token is
// left, and cut short where repeating could never end.
#include "settings/ToolDirToken.h"

#include "support/Cp932.h"

#include <gtest/gtest.h>

namespace {

struct SubstitutionCase {
    const char* text;
    const char* toolDir;
    const char* expected;
};

TEST(ToolDirToken, RepeatsUntilNoTokenIsLeft)
{
    const SubstitutionCase cases[] = {
        {"%KPXSETUP%\\a.kpx", "C:\\Tools", "C:\\Tools\\a.kpx"},
        {"x%KPXSETUP%y%KPXSETUP%z", "D", "xDyDz"},
        {"%KPXSETUP", "C:\\Tools", "%KPXSETUP"},
        // A replacement that rebuilds the token across its edges is replaced
        // again by the next pass...
        {"%KPXSETUP%SETUP%", "%KPX", "%KPX"},
        {"%KPX%KPXSETUP%SETUP%", "SETUP%%KPX", "SETUP%SETUP%%KPX%KPX"},
        // ...while inserted text is not searched within the same pass.
        {"%KPXSETUP%", "%KPXSETU", "%KPXSETU"},
    };
    for (const SubstitutionCase& c : cases) {
        std::string text = c.text;
        EXPECT_TRUE(SubstituteToolDir(text, c.toolDir, 259)) << c.text;
        EXPECT_EQ(c.expected, text) << c.text << " with " << c.toolDir;
    }
}

TEST(ToolDirToken, ToolDirectoryHoldingTheTokenIsInsertedOnce)
{
    std::string text = "%KPXSETUP%\\a.kpx";
    EXPECT_TRUE(SubstituteToolDir(text, "C:\\%KPXSETUP%", 259));
    EXPECT_EQ("C:\\%KPXSETUP%\\a.kpx", text);

    // With no token in the value that directory changes nothing.
    text = "D:\\b.kpx";
    EXPECT_TRUE(SubstituteToolDir(text, "C:\\%KPXSETUP%", 259));
    EXPECT_EQ("D:\\b.kpx", text);
}

TEST(ToolDirToken, ThePassCountsItsReplacements)
{
    std::string text = "%KPXSETUP%%KPXSETUP%%KPXSETUP%";
    EXPECT_EQ(3, ReplaceToolDirTokenOnce(text, "%KPXSETUP%"));
    EXPECT_EQ("%KPXSETUP%%KPXSETUP%%KPXSETUP%", text);
    EXPECT_EQ(0, ReplaceToolDirTokenOnce(text = "%kpxsetup%", "X"));
}

TEST(ToolDirToken, DoubleByteTextAroundTheTokenIsKept)
{
    // 0x83 0x5C ("so") and 0x95 0x5C ("hyou") end in a backslash byte.
    std::string text = Cp932(u8"ソ%KPXSETUP%表\\");
    EXPECT_TRUE(SubstituteToolDir(text, Cp932(u8"C:\\ソフト"), 259));
    EXPECT_PRED_FORMAT2(SameBytes, Cp932(u8"ソC:\\ソフト表\\"), text);
}

} // namespace
