// Line breaks made what a file, an edit control or a single line holds: CR LF
// counted once, a lone CR or LF a break of its own, breaks at the end gone
// from a single line.
#include "classlib/LineBreaks.h"

#include <gtest/gtest.h>

namespace {

struct LineBreakCase {
    const char* text;
    const char* withCrLf;
    const char* onOneLine;   // joined with a blank
    const char* joinedTight; // joined with nothing, as the dialogs' messages are
};

const LineBreakCase kCases[] = {
    {"", "", "", ""},
    {"one line", "one line", "one line", "one line"},
    {"a\nb", "a\r\nb", "a b", "ab"},
    {"a\r\nb", "a\r\nb", "a b", "ab"},
    {"a\rb", "a\r\nb", "a b", "ab"},
    {"a\n\nb", "a\r\n\r\nb", "a  b", "ab"},
    {"a\r\n\r\n", "a\r\n\r\n", "a", "a"},
    {"ends with blanks and a break  \r\n", "ends with blanks and a break  \r\n", "ends with blanks and a break",
     "ends with blanks and a break"},
    {"\x83\x76\x83\x8A\x83\x93\x83\x5E\n\x96\xBC", "\x83\x76\x83\x8A\x83\x93\x83\x5E\r\n\x96\xBC",
     "\x83\x76\x83\x8A\x83\x93\x83\x5E \x96\xBC", "\x83\x76\x83\x8A\x83\x93\x83\x5E\x96\xBC"},
};

TEST(LineBreaks, EachBreakBecomesWhatTheDestinationHolds)
{
    for (const LineBreakCase& c : kCases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
        EXPECT_EQ(c.withCrLf, WithCrLf(c.text));
        EXPECT_EQ(c.onOneLine, OnOneLine(c.text));
        EXPECT_EQ(c.joinedTight, OnOneLine(c.text, ""));
    }
}

} // namespace
