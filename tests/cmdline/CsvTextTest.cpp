// The /csv text: each field quoted as RFC 4180 says, rows that read back as
// written, and the one-line detail.
#include "cmdline/CsvText.h"

#include "support/CsvReader.h"

#include <gtest/gtest.h>

namespace {

TEST(CsvText, QuotesOnlyWhatNeedsItAndReadsBackAsWritten)
{
    const struct {
        const char* text;
        const char* field;
    } kCases[] = {
        {"Plotter 3F", "Plotter 3F"},
        {"", ""},
        {"C:\\KPXSetup\\o.kpx", "C:\\KPXSetup\\o.kpx"},
        {"Office, \"A3\"", "\"Office, \"\"A3\"\"\""},
        {"a\"b", "\"a\"\"b\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"a\nb", "\"a\nb\""},
        {"a\rb", "\"a\rb\""},
        // A reader that trims unquoted fields keeps a name's blanks.
        {"Plotter 4F ", "\"Plotter 4F \""},
        {"\tx", "\"\tx\""},
        // 表 (0x95 0x5C): its trail byte is a backslash, nothing to quote.
        {"\x95\x5C Plotter", "\x95\x5C Plotter"},
        {"\x95\x5C,\x95\x5C", "\"\x95\x5C,\x95\x5C\""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CsvField(c.text), c.field);
        CsvRows rows;
        EXPECT_TRUE(ReadCsv(CsvRow({c.text, "x"}) + CsvRow({"y"}), rows));
        EXPECT_EQ(rows, (CsvRows{{c.text, "x"}, {"y"}}));
    }
    EXPECT_EQ(CsvRow({"a", "b,c", ""}), "a,\"b,c\",\r\n");
    EXPECT_EQ(JoinedLines({"one.", "two\r\nthree", "four\n"}), "one. two three four ");
}

} // namespace
