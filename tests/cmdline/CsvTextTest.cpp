// The /csv text: fields quoted as RFC 4180 says, rows that read back as written.
#include "cmdline/CsvText.h"

#include "cmdline/FewNames.h"
#include "support/Cp932.h"
#include "support/CsvReader.h"

#include <gtest/gtest.h>

namespace {

TEST(CsvText, QuotesOnlyWhatNeedsItAndReadsBackAsWritten)
{
    const struct {
        const char* text;
        const char* field;
    } kCases[] = {{"Plotter 3F", "Plotter 3F"},
                  {"", ""},
                  {"Office, \"A3\"", "\"Office, \"\"A3\"\"\""},
                  {"two\r\nlines", "\"two\r\nlines\""},
                  // A reader that trims unquoted fields keeps a name's blanks.
                  {"Plotter 4F ", "\"Plotter 4F \""},
                  // 表 (0x95 0x5C): its trail byte is a backslash, nothing to quote.
                  {"\x95\x5C Plotter", "\x95\x5C Plotter"},
                  {"\x95\x5C,\"", "\"\x95\x5C,\"\"\""}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CsvField(c.text), c.field);
        CsvRows rows;
        EXPECT_TRUE(ReadCsv(CsvRow({c.text, ""}) + CsvRow({"y"}), rows));
        EXPECT_EQ(rows, (CsvRows{{c.text, ""}, {"y"}}));
    }
    EXPECT_EQ(JoinedLines({"one.", "two\r\nthree\tfour"}), "one.\ttwo three four");
    // A /check line about a file many printers share names a few of them.
    EXPECT_EQ(Utf8FromCp932(FewNamesAndTheRest({"A", "B", "C", "D", "E"})), u8"A, B, C, ほか2台");
    EXPECT_EQ(FewNamesAndTheRest({"A", "B", "C"}), "A, B, C");
}

} // namespace
