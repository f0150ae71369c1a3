// The one writer of the driver settings file replaces the file in one step:
// another program's write between the read and the replacement makes it
// plan and make the change again on the new file, so that write is kept; one
// that keeps writing makes it give up with the file as that program left it.
// An edit of the file's text writes a large file around the change as it was.
#include "settings/DriverIniChange.h"

#include "support/IniSection.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

struct Case {
    const char* what;
    bool fileExists;
    int otherWrites; // attempts during which another program writes the file
    bool changed;    // the change is in the file afterwards
};

class DriverIniChange : public ::testing::TestWithParam<Case> {
protected:
    void TearDown() override { DeleteFileA(m_ini.c_str()); }
    std::string m_ini = CDriverINI().GetIniPath();
};

TEST_P(DriverIniChange, AnotherProgramsWriteIsKept)
{
    const Case& c = GetParam();
    DeleteFileA(m_ini.c_str());
    if (c.fileExists) {
        ASSERT_TRUE(WriteFileBytes(m_ini, "[Plotter 1F]\r\nColorProfileSetName=Keep\r\n"));
    }
    int attempts = 0;
    DWORD error = 1;
    CDriverIniWrite write;
    const auto plan = [&](IIniValues&, std::vector<IniSectionChange>& changes) {
        // Another program writes the file while the change is planned.
        if (++attempts <= c.otherWrites) {
            const std::string value = "Other" + std::to_string(attempts);
            WritePrivateProfileStringA("Plotter 2F", "ColorProfileSetName", value.c_str(), m_ini.c_str());
        }
        changes = {{"Plotter 3F", std::string(), {{"ColorProfileSetName", "Office"}}}};
        return true;
    };
    const bool done = write.Prepare(plan, error) && write.Commit(error) == TextChangeDone;
    EXPECT_EQ(done, c.changed);
    EXPECT_EQ(error, 0u); // no system error to give, also when it gives up
    EXPECT_EQ(attempts, std::min(c.otherWrites + 1, 4));
    EXPECT_EQ(IniSection(m_ini, "Plotter 3F"), c.changed ? Lines{"ColorProfileSetName=Office"} : Lines());
    if (c.fileExists) {
        EXPECT_EQ(IniSection(m_ini, "Plotter 1F"), Lines{"ColorProfileSetName=Keep"});
    }
    if (c.otherWrites) {
        EXPECT_EQ(IniSection(m_ini, "Plotter 2F"),
                  Lines{"ColorProfileSetName=Other" + std::to_string(std::min(c.otherWrites, 4))});
    }
    // No temporary file is left beside the file.
    WIN32_FIND_DATAA data;
    const std::string folder = m_ini.substr(0, m_ini.rfind('\\') + 1);
    HANDLE search = FindFirstFileA((folder + "~kpx*.tmp").c_str(), &data);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << data.cFileName;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

// The new text is written as the stretches no change touched, from the text
// read, and copies of the rest: each in its place, once.
TEST(DriverIniTextChange, ALargeFileKeepsEveryStretchAroundTheChangeInItsPlace)
{
    const std::string ini = CDriverINI().GetIniPath();
    std::string before, after;
    for (int i = 0; i < 300; ++i) {
        (i < 150 ? before : after) +=
            "[Printer " + std::to_string(i) + "]\r\nColorProfileSetName=Set " + std::to_string(i % 7) + "\r\n";
    }
    ASSERT_TRUE(WriteFileBytes(ini, before + "[Plotter 3F]\r\nColorProfileSetName=Home\r\n" + after));
    DWORD error = 1;
    CDriverIniWrite write;
    ASSERT_TRUE(write.Prepare(
        [](IIniValues&, std::vector<IniSectionChange>& changes) {
            changes = {{"Plotter 3F", std::string(), {{"ColorProfileSetName", "Office"}}}};
            return true;
        },
        error));
    const TextChangeResult result = write.Commit(error);
    EXPECT_TRUE(write.EditedInOnePass());
    EXPECT_EQ(result, TextChangeDone);
    EXPECT_EQ(ReadFileBytes(ini), before + "[Plotter 3F]\r\nColorProfileSetName=Office\r\n" + after);
    DeleteFileA(ini.c_str());
}

const Case kCases[] = {
    {"file made when missing", false, 0, true},
    {"plain change", true, 0, true},
    {"one write meanwhile starts over", true, 1, true},
    {"writes at every try give up", true, 4, false},
};

INSTANTIATE_TEST_SUITE_P(Writes, DriverIniChange, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c)
                                 name += isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

} // namespace
