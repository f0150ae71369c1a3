// A printer's record written with one write of its section leaves the file
// exactly as the five key writes of the single printer's apply leave it:
// the same file bytes from the same start, through the real profile
// functions, whatever the section held before.
#include "settings/DriverINI.h"
#include "settings/SectionLines.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kPaths[4] = {"C:\\o\\auto.kpx", "C:\\o\\font.kpx", "C:\\o\\tone.kpx", "C:\\o\\vivid.kpx"};
const ProfileKind kKinds[4] = {ProfileAuto, ProfileFont, ProfileTone, ProfileVividness};

TEST(ProfileRecord, OneSectionWriteLeavesTheBytesOfTheKeyWrites)
{
    const struct {
        const char* what;
        const char* start; // the file before
    } cases[] = {
        {"no file", nullptr},
        {"no section", "[Other]\r\nColorProfileSetName=Art\r\n"},
        {"other keys", "[Other]\r\nA=1\r\n[Plotter 3F]\r\nResolution=600\r\n[Last]\r\nB=2\r\n"},
        {"an older record between other keys",
         "[Plotter 3F]\r\nResolution=600\r\nColorProfileSetName=Art\r\nAuto=a.kpx\r\nPaper=A1\r\n"
         "Vividness=v.kpx\r\n"},
        {"keys in other letters and blanks", "[plotter 3f]\r\nauto = a.kpx\r\nFONT=f.kpx\r\n"},
        {"a key twice", "[Plotter 3F]\r\nTone=1\r\nTone=2\r\n"},
        {"a comment", "[Plotter 3F]\r\n;comment\r\nResolution=600\r\n"},
        {"a comment elsewhere", "[Other]\r\n;comment\r\n[Plotter 3F]\r\nAuto=a.kpx\r\n"},
        {"blank lines and a quoted value", "[Plotter 3F]\r\n\r\nPaper=\"A1 wide\"\r\n\r\nAuto=a.kpx\r\n[Z]\r\nB=2\r\n"},
        {"the record in place, one file name changed",
         "[Plotter 3F]\r\nColorProfileSetName=Office\r\nAuto=auto.kpx\r\nFont=old.kpx\r\nTone=tone.kpx\r\n"
         "Vividness=vivid.kpx\r\n"},
    };
    TempDir dir("record");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string byKeys = dir.file("keys.ini"), bySection = dir.file("section.ini");
        for (const std::string& path : {byKeys, bySection}) {
            DeleteFileA(path.c_str());
            if (c.start) {
                ASSERT_TRUE(WriteFileBytes(path, c.start));
            }
        }
        {
            CDriverINI keys(byKeys, false);
            ASSERT_TRUE(keys.WriteProfileSetName("Plotter 3F", "Office"));
            for (int i = 0; i < 4; ++i)
                ASSERT_TRUE(keys.WriteProfileFile("Plotter 3F", kKinds[i], kPaths[i]));
            keys.FlushProfileCache();
        }
        {
            CDriverINI section(bySection, false);
            ASSERT_TRUE(section.WriteProfileRecord("Plotter 3F", "Office", kPaths));
            section.FlushProfileCache();
        }
        EXPECT_EQ(ReadFileBytes(bySection), ReadFileBytes(byKeys));
    }
}

// The two text rules on their own: which lines a section read leaves out,
// and the merge of the record into the lines it gives.
TEST(ProfileRecord, BareLinesAndTheMerge)
{
    const struct {
        const char* text;
        bool bare;
    } files[] = {{"", false},
                 {"[A]\r\nk=v\r\n\r\n  \r\n", false},
                 {"[A]\r\n;c\r\n", true},
                 {"text\r\n[A]\r\n", true},
                 {"[A] \r\n k = v \r\n", false}};
    for (const auto& f : files)
        EXPECT_EQ(HasBareLines(f.text), f.bare) << f.text;

    using Lines = std::vector<std::string>;
    const struct {
        Lines lines;
        Lines merged;
    } merges[] = {
        {{}, {"K=1", "L=2"}},
        {{"L = old", "k=old", "K=again"}, {"L=2", "k=1", "K=again"}},
        {{"M=3"}, {"M=3", "K=1", "L=2"}},
    };
    for (const auto& m : merges)
        EXPECT_EQ(MergeSectionEntries(m.lines, {{"K", "1"}, {"L", "2"}}), m.merged);
}

} // namespace
