// The tool settings file read for real with the system's profile calls: the
// offered sets and the finished paths of their files.
#include "settings/KPXSetupINI.h"
#include "support/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kHeader[] = "[KESTRO PLOTARA Color Profile Setup Tool]\r\n";

class ToolSettings : public ::testing::Test {
protected:
    // A settings file with the given text, read with tool directory toolDir.
    CKPXSetupINI Ini(const std::string& text, const std::string& toolDir = "C:\\Tools\\Setup")
    {
        std::string path = m_dir.file("KPXSETUP.INI");
        EXPECT_TRUE(WriteFileBytes(path, text));
        // The system may still hold the previous text of the same path.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
        return CKPXSetupINI(path, toolDir);
    }

    // What the drop-down offers.
    static std::vector<std::string> OfferedSets(const CKPXSetupINI& ini) { return ini.GetSetNames(); }

    TempDir m_dir;
};

TEST_F(ToolSettings, CountThatIsMissingZeroNegativeOrNotANumberOffersNoSets)
{
    const char* counts[] = {"", "NumColorProfileSets=0\r\n", "NumColorProfileSets=-2\r\n",
                            "NumColorProfileSets=abc\r\n", "NumColorProfileSets=\r\n"};
    for (const char* count : counts) {
        CKPXSetupINI ini = Ini(std::string(kHeader) + count + "ColorProfileSetName1=Office\r\n");
        EXPECT_TRUE(OfferedSets(ini).empty()) << count;
    }
}

TEST_F(ToolSettings, MissingNameIsSkippedAndNumberingStartsAtOne)
{
    CKPXSetupINI ini = Ini(std::string(kHeader) + "NumColorProfileSets=3\r\n"
                                                  "ColorProfileSetName0=Never\r\n"
                                                  "ColorProfileSetName1=Office\r\n"
                                                  "ColorProfileSetName2=\r\n"
                                                  "ColorProfileSetName3=Poster\r\n"
                                                  "ColorProfileSetName4=Beyond\r\n");
    EXPECT_EQ((std::vector<std::string>{"Office", "Poster"}), OfferedSets(ini));

    std::string name = "unchanged";
    EXPECT_FALSE(ini.GetSetName(1, name));
    EXPECT_EQ("unchanged", name);
}

// A count in the millions (or the largest the file can state) names no more
// sets than are written: reading ends after a long run of missing names, and
// never goes past the bound, so start-up takes the time of the names there.
TEST_F(ToolSettings, HugeCountOffersTheNamedSetsAndStopsAfterALongGap)
{
    const int gap = CKPXSetupINI::kMaxGap;
    const std::string names = "ColorProfileSetName1=Office\r\nColorProfileSetName3=Poster\r\n"
                              "ColorProfileSetName" +
                              std::to_string(3 + gap) +
                              "=JustInReach\r\n"
                              "ColorProfileSetName" +
                              std::to_string(4 + 2 * gap + 1) + "=PastTheGap\r\n";
    for (const char* count : {"2147483647", "999999", "-1"}) {
        CKPXSetupINI ini = Ini(std::string(kHeader) + "NumColorProfileSets=" + count + "\r\n" + names);
        const std::vector<std::string> expected = std::string(count) == "-1"
                                                      ? std::vector<std::string>{}
                                                      : std::vector<std::string>{"Office", "Poster", "JustInReach"};
        EXPECT_EQ(expected, OfferedSets(ini)) << count;
    }
    // Within the bound and without a gap every name counts.
    std::string many =
        std::string(kHeader) + "NumColorProfileSets=" + std::to_string(CKPXSetupINI::kMaxSets + 5) + "\r\n";
    for (int i = 1; i <= CKPXSetupINI::kMaxSets + 5; i += 200)
        many += "ColorProfileSetName" + std::to_string(i) + "=S" + std::to_string(i) + "\r\n";
    const std::vector<std::string> offered = OfferedSets(Ini(many));
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ("S4001", offered.back()); // 4201 lies beyond the bound of 4096
}

TEST_F(ToolSettings, MissingFileOffersNothingAndReadsNothing)
{
    CKPXSetupINI ini(m_dir.file("NONE.INI"), "C:\\Tools");
    EXPECT_EQ(0, ini.GetSetCount());
    std::string path = "unchanged";
    EXPECT_FALSE(ini.ReadProfilePath("Office", ProfileAuto, path));
    EXPECT_EQ("unchanged", path);
}

TEST_F(ToolSettings, EachKindReadsItsOwnKeyAndAMissingKindFails)
{
    CKPXSetupINI ini = Ini("[office]\r\n"
                           "Auto=%KPXSETUP%\\office\\auto.kpx\r\n"
                           "Vividness=D:\\vivid.kpx\r\n"
                           "Font=font.kpx\r\n");
    struct Case {
        ProfileKind kind;
        bool found;
        const char* path;
    } cases[] = {
        {ProfileAuto, true, "C:\\Tools\\Setup\\office\\auto.kpx"},
        {ProfileVividness, true, "D:\\vivid.kpx"},
        {ProfileTone, false, "unchanged"},
        {ProfileFont, true, "font.kpx"},
    };
    for (const Case& c : cases) {
        std::string path = "unchanged";
        // Section names match without regard to case.
        EXPECT_EQ(c.found, ini.ReadProfilePath("Office", c.kind, path) != FALSE) << c.path;
        EXPECT_EQ(c.path, path);
    }
}

TEST_F(ToolSettings, TokenAndEnvironmentExpansion)
{
    SetEnvironmentVariableA("KPX_TEST_ROOT", "E:\\Profiles");
    SetEnvironmentVariableA("KPX_TEST_INDIRECT", "%KPXSETUP%\\via");
    struct Case {
        const char* raw;
        const char* expected;
    } cases[] = {
        {"%KPXSETUP%\\a.kpx", "C:\\Tools\\Setup\\a.kpx"},
        // Only the upper-case token is the tool directory.
        {"%kpxsetup%\\a.kpx", "%kpxsetup%\\a.kpx"},
        {"%KPXSETUP%\\%KPXSETUP%.kpx", "C:\\Tools\\Setup\\C:\\Tools\\Setup.kpx"},
        {"%KPX_TEST_ROOT%\\b.kpx", "E:\\Profiles\\b.kpx"},
        // A token that a variable brings in is replaced as well.
        {"%KPX_TEST_INDIRECT%\\c.kpx", "C:\\Tools\\Setup\\via\\c.kpx"},
        {"plain\\name.kpx", "plain\\name.kpx"},
        {"%UNDEFINED_KPX_VAR%\\d.kpx", "%UNDEFINED_KPX_VAR%\\d.kpx"},
    };
    CKPXSetupINI ini("unused.ini", "C:\\Tools\\Setup");
    for (const Case& c : cases) {
        std::string path;
        EXPECT_TRUE(ini.ExpandProfilePath(c.raw, path)) << c.raw;
        EXPECT_EQ(c.expected, path) << c.raw;
    }
    SetEnvironmentVariableA("KPX_TEST_ROOT", nullptr);
    SetEnvironmentVariableA("KPX_TEST_INDIRECT", nullptr);
}

TEST_F(ToolSettings, VariableNamedKpxsetupWinsOverTheToolDirectory)
{
    SetEnvironmentVariableA("kpxsetup", "F:\\FromEnvironment");
    std::string path;
    EXPECT_TRUE(CKPXSetupINI("unused.ini", "C:\\Tools").ExpandProfilePath("%KPXSETUP%\\a.kpx", path));
    SetEnvironmentVariableA("kpxsetup", nullptr);
    EXPECT_EQ("F:\\FromEnvironment\\a.kpx", path);
}

TEST_F(ToolSettings, LongValuesAreSeenAsTheirFirst259Characters)
{
    std::string longName(300, 'n');
    CKPXSetupINI ini = Ini(std::string(kHeader) + "NumColorProfileSets=1\r\nColorProfileSetName1=" + longName +
                           "\r\n[Set]\r\nAuto=" + std::string(300, 'p') + "\r\n");
    std::string name;
    ASSERT_TRUE(ini.GetSetName(0, name));
    EXPECT_EQ(std::string(259, 'n'), name);

    std::string path;
    ASSERT_TRUE(ini.ReadProfilePath("Set", ProfileAuto, path));
    EXPECT_EQ(std::string(259, 'p'), path);
}

TEST_F(ToolSettings, PathThatGrowsBeyond259CharactersFails)
{
    std::string toolDir = "C:\\" + std::string(240, 'd');
    CKPXSetupINI ini("unused.ini", toolDir);
    std::string path = "unchanged";
    // 243 + 16 = 259 characters still fit; one more does not.
    EXPECT_TRUE(ini.ExpandProfilePath("%KPXSETUP%\\abcdefghijk.kpx", path));
    EXPECT_EQ(259u, path.size());
    path = "unchanged";
    EXPECT_FALSE(ini.ExpandProfilePath("%KPXSETUP%\\abcdefghijkl.kpx", path));
    EXPECT_EQ("unchanged", path);
}

TEST_F(ToolSettings, DoubleByteValueWithTrailByteBackslashIsReadWhole)
{
    // "ソフト\ア.kpx": the katakana so is 0x83 0x5C.
    std::string raw = Cp932(u8"%KPXSETUP%\\ソフト\\ア.kpx");
    CKPXSetupINI ini = Ini("[Set]\r\nAuto=" + raw + "\r\n", Cp932(u8"C:\\ツール"));
    std::string path;
    ASSERT_TRUE(ini.ReadProfilePath("Set", ProfileAuto, path));
    EXPECT_PRED_FORMAT2(SameBytes, Cp932(u8"C:\\ツール\\ソフト\\ア.kpx"), path);
}

// Each encoding the tool reads: code page 932, UTF-8 with a byte order mark,
// UTF-8 without one (told by a valid character beyond ASCII); names and
// paths arrive in the system code page, blanks and a pair of quotes dropped
// as the profile functions drop them.
TEST_F(ToolSettings, Utf8FilesReadInTheSystemCodePage)
{
    const std::string photo = u8"写真 表示用", path = u8"C:\\写真\\a.kpx";
    const struct {
        const char* start; // what comes before the header
        bool utf8;
        std::string sets;
        std::string autoPath;
    } cases[] = {
        {"", false, "[Set]\r\nAuto=" + Cp932(path) + "\r\n", Cp932(path)},
        {"\xEF\xBB\xBF", true, "[Set]\r\nAuto=" + path + "\r\n", Cp932(path)},
        {"\xEF\xBB\xBF", true, "[set]\nAuto = \"C:\\a.kpx\" \n", "C:\\a.kpx"},
        {"", true, "[Set]\r\n;Auto=x\r\nAuto=" + path + "\r\nAuto=y\r\n[Set]\r\nTone=t\r\n", Cp932(path)},
    };
    for (const auto& c : cases) {
        CKPXSetupINI ini = Ini(std::string(c.start) + kHeader + "NumColorProfileSets=1\r\nColorProfileSetName1=" +
                               (c.utf8 ? photo : Cp932(photo)) + "\r\n" + c.sets);
        EXPECT_EQ(OfferedSets(ini), std::vector<std::string>{Cp932(photo)}) << c.sets;
        std::string read;
        EXPECT_TRUE(ini.ReadProfilePath("Set", ProfileAuto, read));
        EXPECT_PRED_FORMAT2(SameBytes, c.autoPath, read);
        int line = 0;
        unsigned lost = 0;
        EXPECT_FALSE(ini.FindLostCharacter(Cp932(photo), line, lost));
    }
}

} // namespace
