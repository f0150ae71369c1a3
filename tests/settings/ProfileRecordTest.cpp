// A printer's record written with one write of its section leaves the file
// exactly as the five key writes of the single printer's apply leave it:
// the same file bytes from the same start, through the real profile
// functions, whatever the section held before.
#include "settings/DriverINI.h"
#include "settings/SectionLines.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

const std::string kPaths[4] = {"C:\\o\\auto.kpx", "C:\\o\\font.kpx", "C:\\o\\tone.kpx", "C:\\o\\vivid.kpx"};
const char* const kNames[4] = {"auto.kpx", "font.kpx", "tone.kpx", "vivid.kpx"};

struct Start {
    const char* what;
    const char* start; // the file before
};

const Start kStarts[] = {
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

TEST(ProfileRecord, OneSectionWriteLeavesTheBytesOfTheKeyWrites)
{
    TempDir dir("record");
    for (const Start& c : kStarts) {
        SCOPED_TRACE(c.what);
        const std::string byKeys = dir.file("keys.ini"), bySection = dir.file("section.ini");
        for (const std::string& path : {byKeys, bySection}) {
            DeleteFileA(path.c_str());
            if (c.start) {
                ASSERT_TRUE(WriteFileBytes(path, c.start));
            }
        }
        // The set name, then each file name, key by key.
        ASSERT_TRUE(WritePrivateProfileStringA("Plotter 3F", "ColorProfileSetName", "Office", byKeys.c_str()));
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(
                WritePrivateProfileStringA("Plotter 3F", ProfileKeyName(kProfileSlots[i]), kNames[i], byKeys.c_str()));
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, byKeys.c_str());
        {
            CDriverINI section(bySection, false);
            ASSERT_TRUE(section.WriteProfileRecord("Plotter 3F", "Office", kPaths));
            section.FlushProfileCache();
        }
        EXPECT_EQ(ReadFileBytes(bySection), ReadFileBytes(byKeys));
    }
}

// A rename's record: the section written once under the new name leaves
// the bytes of the record under the old name and then the move.
TEST(ProfileRecord, RecordUnderTheNewNameLeavesTheBytesOfTheRecordAndTheMove)
{
    std::vector<Start> starts(std::begin(kStarts), std::end(kStarts));
    starts.push_back({"a section under the new name already", "[Plotter 2F]\r\nAuto=a.kpx\r\n[Plotter 3F]\r\nA=1\r\n"});
    starts.push_back({"only the new name's section", "[Plotter 2F]\r\nColorProfileSetName=Art\r\n"});
    TempDir dir("moved");
    for (const Start& c : starts) {
        SCOPED_TRACE(c.what);
        const std::string twoSteps = dir.file("two.ini"), atOnce = dir.file("once.ini");
        for (const std::string& path : {twoSteps, atOnce}) {
            DeleteFileA(path.c_str());
            if (c.start) {
                ASSERT_TRUE(WriteFileBytes(path, c.start));
            }
        }
        {
            CDriverINI steps(twoSteps, false);
            ASSERT_TRUE(steps.WriteProfileRecord("Plotter 3F", "Office", kPaths));
            ASSERT_TRUE(steps.MoveSection("Plotter 3F", "Plotter 2F"));
            steps.FlushProfileCache();
        }
        {
            CDriverINI once(atOnce, false);
            ASSERT_TRUE(once.MoveSectionWithRecord("Plotter 3F", "Plotter 2F", "Office", kPaths));
            once.FlushProfileCache();
        }
        EXPECT_EQ(ReadFileBytes(atOnce), ReadFileBytes(twoSteps));
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
