// Replacing a file whole: each way the system offers, on real files, with
// the seam standing in only where Wine differs from the system in question
// (no ReplaceFileA on NT 4.0 and 9x, no MoveFileExA on 9x, a replacement
// that fails half-way). Then the removal of a killed run's leftovers.
#include "platform/FileReplace.h"

#include "support/ApiOverride.h"
#include "support/PendingRenamesGuard.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

// The names in the folder, sorted as the system lists them.
std::vector<std::string> Names(const TempDir& dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(dir.file("*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (data.cFileName[0] != '.')
            names.push_back(data.cFileName);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return names;
}

// The entry set to null (the system lacks the function) while it lives.
template <class Fn>
class Missing {
public:
    explicit Missing(Fn& entry) : m_entry(entry), m_saved(entry) { entry = nullptr; }
    ~Missing() { m_entry = m_saved; }

private:
    Fn& m_entry;
    Fn m_saved;
};

enum System { Win2000Up, NT4, Win9x, HalfwayFailure, Held };

struct Case {
    const char* what;
    System system;
    bool targetExists;
    DWORD error;         // what ReplaceWithTemp returns
    const char* content; // the target afterwards
};

class FileReplace : public ::testing::TestWithParam<Case> {};

TEST_P(FileReplace, TargetIsTheOldOrTheNewFileAndNothingElseIsLeft)
{
    const Case& c = GetParam();
    TempDir dir("replace");
    const std::string target = dir.file("x.kpx");
    ASSERT_TRUE(WriteFileBytes(dir.file("source"), "new"));
    if (c.targetExists) {
        ASSERT_TRUE(WriteFileBytes(target, "old"));
    }

    std::optional<Missing<ReplaceFileFn>> noReplace;
    std::optional<ScopedApiOverride<&Win32Api::MoveFileExA>> noMoveEx;
    std::optional<ScopedApiOverride<&Win32Api::ReplaceFileA>> halfway;
    std::optional<ScopedApiOverride<&Win32Api::SetFileSecurityA>> security;
    int permissionsCopied = 0;
    HANDLE held = INVALID_HANDLE_VALUE;
    switch (c.system) {
    case NT4:
        noReplace.emplace(Win32().ReplaceFileA);
        security.emplace([&](LPCSTR file, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR) {
            permissionsCopied += std::string(file) != target;
            return TRUE;
        });
        break;
    case Win9x:
        noReplace.emplace(Win32().ReplaceFileA);
        noMoveEx.emplace([](LPCSTR, LPCSTR, DWORD) {
            SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
            return FALSE;
        });
        break;
    case HalfwayFailure:
        // The system moved the old file to the backup name, then could not
        // move the new one in.
        halfway.emplace([](LPCSTR replaced, LPCSTR, LPCSTR backup, DWORD, LPVOID, LPVOID) {
            MoveFileA(replaced, backup);
            SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
            return FALSE;
        });
        break;
    case Held:
        held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        break;
    case Win2000Up:
        break;
    }

    std::string temp;
    ASSERT_TRUE(WriteTempCopy(false, dir.file("source"), dir.path(), temp));
    EXPECT_EQ(ReadFileBytes(temp), "new");
    const DWORD error = ReplaceWithTemp(false, temp, target);
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(ReadFileBytes(target), c.content);
    EXPECT_EQ(permissionsCopied, c.system == NT4 && c.targetExists ? 1 : 0);
    if (error == 0) {
        EXPECT_EQ(Names(dir), (std::vector<std::string>{"source", "x.kpx"}));
    } else {
        // The caller decides about the temporary file: it is there, whole.
        EXPECT_EQ(ReadFileBytes(temp), "new");
        EXPECT_TRUE(IsHeldError(error) == (c.system == Held));
        RemoveTemp(false, temp);
        EXPECT_EQ(Names(dir), (std::vector<std::string>{"source", "x.kpx"}));
    }
}

const Case kCases[] = {
    {"new target", Win2000Up, false, 0, "new"},
    {"existing target replaced with a backup name", Win2000Up, true, 0, "new"},
    {"NT 4.0 copies the permissions then renames", NT4, true, 0, "new"},
    {"NT 4.0 new target", NT4, false, 0, "new"},
    {"9x deletes then renames", Win9x, true, 0, "new"},
    {"old file moved back after a half-way failure", HalfwayFailure, true, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, "old"},
    {"held target", Held, true, ERROR_SHARING_VIOLATION, "old"},
};

INSTANTIATE_TEST_SUITE_P(Systems, FileReplace, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c)
                                 name += isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

TEST(FileReplaceLeftovers, ExactlyThePatternGoesAndNeverAPendingReplacementsSource)
{
    PendingRenamesGuard pending;
    TempDir dir("leftovers");
    const char* const gone[] = {"~kpx0123abcd.tmp", "~KPX89ABCDEF.TMP"};
    const char* const kept[] = {"a~kpx0123abcd.tmp",    "~kpx0123abc.tmp",  "~kpx0123abcg.tmp",
                                "~kpx0123abcd.tmp.bak", "~kpxfeedbeef.tmp", "x.kpx"};
    for (const char* name : gone)
        ASSERT_TRUE(WriteFileBytes(dir.file(name), "left"));
    for (const char* name : kept)
        ASSERT_TRUE(WriteFileBytes(dir.file(name), "kept"));
    SetFileAttributesA(dir.file(gone[0]).c_str(), FILE_ATTRIBUTE_READONLY);
    // A replacement that waits for the restart names its source.
    ASSERT_TRUE(MoveFileExA(dir.file("~kpxfeedbeef.tmp").c_str(), dir.file("x.kpx").c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT));

    RemoveLeftoverTemps(false, dir.path());
    std::vector<std::string> expected(std::begin(kept), std::end(kept));
    std::vector<std::string> names = Names(dir);
    std::sort(expected.begin(), expected.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, expected);
}

} // namespace
