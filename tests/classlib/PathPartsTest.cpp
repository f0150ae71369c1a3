// Splitting paths of code page 932 at their last real separator.
#include "classlib/PathParts.h"

#include "support/Cp932.h"

#include <gtest/gtest.h>

namespace {

TEST(PathParts, SplitsAtTheLastBackslashNeverATrailByte)
{
    struct Case {
        const char* utf8Path;
        const char* directory;
        const char* fileName;
    } cases[] = {
        {u8"C:\\Tools\\Setup\\office\\auto.kpx", u8"C:\\Tools\\Setup\\office", u8"auto.kpx"},
        {u8"auto.kpx", u8"auto.kpx", u8"auto.kpx"},
        // "ソ" and "表" end in the byte 0x5C.
        {u8"C:\\ソフト\\表.kpx", u8"C:\\ソフト", u8"表.kpx"},
        {u8"C:\\表", u8"C:", u8"表"},
        {u8"C:\\dir\\", u8"C:\\dir", u8""},
    };
    for (const Case& c : cases) {
        std::string path = Cp932(c.utf8Path);
        EXPECT_PRED_FORMAT2(SameBytes, Cp932(c.directory), DirectoryPart(path));
        EXPECT_PRED_FORMAT2(SameBytes, Cp932(c.fileName), FileNamePart(path));
    }
    EXPECT_EQ(std::string::npos, FindLastBackslash(Cp932(u8"ソ表")));
}

TEST(PathParts, FileNameNeverCarriesASeparator)
{
    EXPECT_EQ("evil.kpx", FileNamePart("C:\\profiles/../../evil.kpx"));
    EXPECT_EQ("font.kpx", FileNamePart("fonts/font.kpx"));
}

TEST(PathParts, ATornCharacterAtTheEndStaysInTheFileName)
{
    // "dir\name" and a lead byte without its trail byte; behind the string's
    // end its buffer still holds a backslash from before it was cut short,
    // where no search may look.
    std::string path = std::string("dir\\name\x83") + '\0' + "\\x";
    path.resize(9);
    EXPECT_EQ(3u, FindLastBackslash(path));
    EXPECT_EQ("dir", DirectoryPart(path));
    EXPECT_EQ("name\x83", FileNamePart(path));

    std::string bare = std::string("name\x83") + '\0' + "\\x";
    bare.resize(5);
    EXPECT_EQ(std::string::npos, FindLastBackslash(bare));
    EXPECT_EQ("name\x83", FileNamePart(bare));
}

} // namespace
