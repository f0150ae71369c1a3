// The text edit of an initialization file against the profile functions: for
// each layout the same change is made both ways, every section read back
// through the profile functions, and the lines outside the changed sections
// compared with the original.
#include "settings/IniTextEdit.h"

#include "settings/DriverINI.h"
#include "support/Cp932.h"
#include "support/ProfileChanges.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

enum Check {
    Refused,   // the edit leaves the file to the profile functions
    Reads,     // reads back as after the profile functions
    WineBytes, // and is byte for byte what Wine's writer leaves
    OnlyEdited // the profile functions' result is a fault: only the edit's bytes
};

struct Layout {
    const char* what;
    std::string text;
    std::vector<IniSectionChange> changes;
    Check check;
    const char* edited = nullptr; // the edit's bytes where Wine's writer lays them out otherwise
};

const std::string kLong = "[a]\r\nx=" + std::string(32765, 'v');

const Layout kLayouts[] = {
    {"an empty file", "", {{"a", "", {{"x", "1"}}}}, WineBytes},
    {"a file of comments only", ";c1\r\n;c2\r\n", {{"a", "", {{"x", "1"}}}}, WineBytes},
    {"a key replaced, one added", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", {{"a", "", {{"x", "3"}, {"z", "4"}}}}, WineBytes},
    {"names in other case, blanks around them, a comment",
     "[A]\r\n  X  =  1  \r\n;c\r\n[b]\r\n",
     {{"a", "", {{"x", "3"}, {"z", "4"}}}},
     WineBytes},
    // Windows keeps blank lines and adds a key after the section's last line
    // that is not blank; Wine's writer drops blank lines.
    {"[Windows] blank lines between sections",
     "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n",
     {{"a", "", {{"z", "3"}}}},
     Reads,
     "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
    {"a last line without CR LF, a new section", "[a]\r\nx=1", {{"b", "", {{"y", "2"}}}}, WineBytes},
    {"a last line without CR LF in the section", "[a]", {{"a", "", {{"y", "2"}}}}, WineBytes},
    {"LF line ends",
     "[a]\nx=1\n[b]\ny=2\n",
     {{"a", "", {{"x", "3"}, {"z", "4"}}}},
     Reads,
     "[a]\nx=3\nz=4\r\n[b]\ny=2\n"},
    {"a line without =", "[a]\r\nbare\r\nx=1\r\n", {{"a", "", {{"x", "2"}}}}, WineBytes},
    {"a key named as a line without =", "[a]\r\nbare\r\n", {{"a", "", {{"bare", "1"}}}}, Refused},
    // Which of two sections of one name a write takes, Windows and Wine may
    // answer differently.
    {"two sections of one name", "[a]\r\nx=1\r\n[b]\r\n[A]\r\ny=5\r\n", {{"a", "", {{"y", "7"}}}}, Refused},
    {"a move to a new name keeps the comments",
     "[a]\r\n;c\r\nx=1\r\n\r\n[b]\r\ny=2\r\n",
     {{"a", "c", {{"z", "3"}}}},
     Reads,
     "\r\n[b]\r\ny=2\r\n[c]\r\n;c\r\nx=1\r\nz=3\r\n"},
    {"a move onto a section there, key by key",
     "[a]\r\nx=1\r\ny=2\r\n[C]\r\ny=9\r\nw=0\r\n",
     {{"a", "c", {{"z", "3"}}}},
     WineBytes},
    {"a move of a name with two sections", "[a]\r\nx=1\r\n[b]\r\n[A]\r\nx=2\r\n", {{"a", "c", {}}}, Refused},
    // Key by key, the last of two lines of one key would win.
    {"a move of a key named twice to a new name", "[a]\r\nx=1\r\nX=2\r\n", {{"a", "c", {}}}, Refused},
    {"a move of a missing section", "[b]\r\ny=2\r\n", {{"a", "c", {{"x", "1"}}}}, WineBytes},
    {"moves in a row", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", {{"a", "b", {}}, {"b", "a", {{"z", "3"}}}}, WineBytes},
    // The profile functions would write the section onto itself and delete it.
    {"a move onto the section itself (a change of case)",
     "[a]\r\nx=1\r\n",
     {{"a", "A", {{"x", "2"}}}},
     OnlyEdited,
     "[a]\r\nx=2\r\n"},
    {"double-byte names with trail bytes \\ [ ]",
     "[\x83\x5C]\r\nx=1\r\n[\x83\x5B\x83\x5D]\r\ny=1\r\n",
     {{"\x83\x5C", "", {{"x", "2"}}}, {"\x83\x5B\x83\x5D", "\x83\x5D\x83\x5C", {{"y", "2"}}}},
     WineBytes},
    // Windows compares them without regard to case; Wine does not.
    {"[Windows] full-width letters in other case", "[\x82\x6F]\r\nx=1\r\n", {{"\x82\x90", "", {{"x", "3"}}}}, Refused},
    {"UTF-16 with a byte order mark", std::string("\xFF\xFE[\0a\0]\0", 8), {{"a", "", {{"x", "3"}}}}, Refused},
    {"a NUL byte", std::string("[a]\r\nx=\0\r\n", 9), {{"a", "", {{"x", "3"}}}}, Refused},
    {"a line longer than Windows 95/98 read", kLong, {{"a", "", {{"y", "3"}}}}, Refused},
    {"a CR alone", "[a]\rx=1\r\n", {{"a", "", {{"x", "3"}}}}, Refused},
    {"a text after a section's name", "[a] x\r\nx=1\r\n", {{"a", "", {{"x", "3"}}}}, Refused},
    {"a key without a name moved", "[a]\r\n=5\r\n", {{"a", "c", {}}}, Refused},
    // Keys deleted (a removal): the section goes once no key is left in it.
    {"keys deleted, another key and a comment stay",
     "[a]\r\nr=6\r\nX=1\r\n;c\r\ny=2\r\n[b]\r\nx=1\r\n",
     {{"a", "", {{"x", ""}, {"y", ""}, {"z", ""}}, true}},
     WineBytes},
    {"a section left empty goes",
     "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n",
     {{"a", "", {{"x", ""}}, true}, {"c", "", {{"x", ""}}, true}},
     Reads,
     "\r\n[b]\r\ny=2\r\n"},
    {"two sections of one name lose their keys",
     "[a]\r\nx=1\r\n[b]\r\n[A]\r\nx=2\r\n",
     {{"a", "", {{"x", ""}}, true}},
     Refused},
    {"a section of comments left", "[a]\r\n;c\r\nx=1\r\n", {{"a", "", {{"x", ""}}, true}}, Refused},
    {"a key deleted that is a line without =", "[a]\r\nx\r\ny=1\r\n", {{"a", "", {{"x", ""}}, true}}, Refused},
};

// The lines that are not blank outside the sections the changes name, without
// their line ends (CR LF or LF: a last line may gain one).
std::vector<std::string> LinesOutside(const std::string& text, const std::vector<IniSectionChange>& changes)
{
    std::vector<std::string> lines;
    bool inside = false;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line[0] == '[')
            inside = false;
        for (const IniSectionChange& change : changes) {
            for (const std::string& name : {change.section, change.moveTo})
                inside |= !name.empty() && lstrcmpiA(line.c_str(), ("[" + name + "]").c_str()) == 0;
        }
        if (!inside && line.find_first_not_of(" \t") != std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

TEST(IniTextEdit, EachLayoutReadsBackAsAfterTheProfileFunctions)
{
    TempDir dir("iniedit");
    int row = 0;
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.what);
        EditedIniText pieces;
        const bool done = EditIniText(layout.text, layout.changes, pieces);
        ASSERT_EQ(layout.check != Refused, done);
        if (!done)
            continue;
        const std::string edited = pieces.Joined();
        if (layout.edited) {
            EXPECT_PRED_FORMAT2(SameBytes, layout.edited, edited);
        }
        if (layout.check == OnlyEdited)
            continue;
        // Files of their own: the profile functions may hold a file read a
        // moment ago.
        const std::string oracle = dir.file(std::to_string(++row) + "p.ini"),
                          ours = dir.file(std::to_string(row) + "e.ini");
        ASSERT_TRUE(WriteFileBytes(oracle, layout.text) && WriteFileBytes(ours, edited));
        // What a removal reads first: the keys' values, as the profile
        // functions read them.
        CIniTextReader reader(layout.text);
        for (const IniSectionChange& change : layout.changes) {
            for (const auto& key : change.keys) {
                std::string read;
                ASSERT_TRUE(reader.Value(change.section, key.first, read));
                char value[64] = {};
                GetPrivateProfileStringA(change.section.c_str(), key.first.c_str(), "", value, sizeof value,
                                         oracle.c_str());
                if (change.deleteKeys) {
                    EXPECT_EQ(read, value) << key.first;
                }
            }
        }
        ChangeByProfileFunctions(oracle, layout.changes);
        EXPECT_EQ(ReadBack(oracle), ReadBack(ours));
        EXPECT_EQ(LinesOutside(layout.text, layout.changes), LinesOutside(edited, layout.changes));
        if (layout.check == WineBytes) {
            EXPECT_PRED_FORMAT2(SameBytes, ReadFileBytes(oracle), edited);
        }
    }
}

} // namespace
