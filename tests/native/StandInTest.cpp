// The Linux stand-ins for <windows.h> and <mbstring.h> against code page 932
// as the Wine-run tests see it (tests/classlib/PathPartsTest.cpp, the
// lead-byte ranges): only then do the fuzz targets say something about the
// shipped program.
#include "classlib/MbString.h"
#include "classlib/PathParts.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(StandIns, LeadBytesAreThoseOfCodePage932)
{
    const BYTE edges[] = {0x80, 0x81, 0x9F, 0xA0, 0xDF, 0xE0, 0xFC, 0xFD};
    const bool lead[] = {false, true, true, false, false, true, true, false};
    for (size_t i = 0; i < sizeof(edges); ++i)
        EXPECT_EQ(lead[i], IsDBCSLeadByte(edges[i]) != FALSE) << std::hex << int(edges[i]);
}

TEST(StandIns, ATrailByte0x5CIsNoBackslash)
{
    // "C:\ソフト\表.kpx": ソ is 0x83 0x5C and 表 is 0x95 0x5C.
    const std::string path = "C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.kpx";
    EXPECT_EQ("C:\\\x83\x5C\x83\x74\x83\x67", DirectoryPart(path));
    EXPECT_EQ("\x95\x5C.kpx", FileNamePart(path));
    EXPECT_EQ(std::string::npos, FindLastBackslash("\x83\x5C\x95\x5C"));
}

TEST(StandIns, ADoubleByteCharacterComparesAsOne)
{
    // 0x83 0x5C against 0x83 0x41 differs in the trail byte only; case
    // folding touches ASCII letters, never a trail byte that looks like one.
    EXPECT_GT(MbCompare("\x83\x5C", "\x83\x41"), 0);
    EXPECT_NE(0, MbCompareNoCase("\x83\x61", "\x83\x41"));
    EXPECT_EQ(0, MbCompareNoCase("Auto.KPX", "auto.kpx"));
}

} // namespace
