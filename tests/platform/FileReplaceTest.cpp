// Replacing a file whole: each way the system offers, on real files, with
// the seam standing in only where Wine differs from the system in question
// (no MoveFileExA on 9x, a rename refused by permissions, a process ended
// between two steps). Then the recovery after a killed run.
#include "platform/FileReplace.h"

#include "platform/PendingRenames.h"
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

// The backup of a 9x replacement in the folder, the target's name followed
// by ".~kpx"; empty when there is none.
std::string Backup(const TempDir& dir)
{
    for (const std::string& name : Names(dir)) {
        if (name.find(".~kpx") != std::string::npos)
            return dir.file(name);
    }
    return std::string();
}

enum System { NT, Win9x, Held, Denied, Win9xSecondRenameFails };

struct Case {
    const char* what;
    System system;
    bool targetExists;
    DWORD error;         // what ReplaceWithTemp returns
    const char* content; // the target afterwards
    bool inUse;          // for a failure: whether it goes to the restart
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
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_HIDDEN);
    }

    std::optional<ScopedApiOverride<&Win32Api::MoveFileExA>> moveEx;
    std::optional<ScopedApiOverride<&Win32Api::MoveFileA>> move;
    std::optional<ScopedApiOverride<&Win32Api::CreateFileA>> deleteOpen;
    int permissionsCopied = 0;
    ScopedApiOverride<&Win32Api::SetFileSecurityA> security(
        [&](LPCSTR file, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR) {
            permissionsCopied += std::string(file) != target;
            return TRUE;
        });
    HANDLE held = INVALID_HANDLE_VALUE;
    switch (c.system) {
    case Win9x:
    case Win9xSecondRenameFails:
        moveEx.emplace([](LPCSTR, LPCSTR, DWORD) {
            SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
            return FALSE;
        });
        if (c.system == Win9xSecondRenameFails) {
            move.emplace([&](LPCSTR from, LPCSTR to) {
                if (to == target && std::string(from).find(".~kpx") == std::string::npos) {
                    SetLastError(ERROR_DISK_FULL);
                    return FALSE;
                }
                return move->saved()(from, to);
            });
        }
        break;
    case Held:
        held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        break;
    case Denied:
        // The target's permissions refuse the rename and its deletion; no
        // program holds it.
        moveEx.emplace([](LPCSTR, LPCSTR, DWORD) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        });
        deleteOpen.emplace([&](LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD creation,
                               DWORD flags, HANDLE templ) {
            if (access == DELETE) {
                SetLastError(ERROR_ACCESS_DENIED);
                return INVALID_HANDLE_VALUE;
            }
            return deleteOpen->saved()(name, access, share, sa, creation, flags, templ);
        });
        break;
    case NT:
        break;
    }

    std::string temp;
    ASSERT_TRUE(WriteTempCopy(false, dir.file("source"), dir.path(), temp));
    EXPECT_EQ(ReadFileBytes(temp), "new");
    const DWORD error = ReplaceWithTemp(false, temp, target);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(error != 0 && IsInUse(false, error, target), c.inUse);
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(target), c.content);
    EXPECT_EQ(permissionsCopied, c.targetExists ? 1 : 0);
    if (error == 0) {
        EXPECT_EQ(Names(dir), (std::vector<std::string>{"source", "x.kpx"}));
        // The replaced file's attributes stay with its name.
        EXPECT_EQ(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_HIDDEN,
                  c.targetExists ? DWORD(FILE_ATTRIBUTE_HIDDEN) : 0u);
    } else {
        // The caller decides about the temporary file: it is there, whole.
        EXPECT_EQ(ReadFileBytes(temp), "new");
        RemoveTemp(false, temp);
        EXPECT_EQ(Names(dir), (std::vector<std::string>{"source", "x.kpx"}));
    }
}

const Case kCases[] = {
    {"new target", NT, false, 0, "new", false},
    {"existing target renamed over with its permissions and attributes", NT, true, 0, "new", false},
    {"9x moves the old file aside then renames", Win9x, true, 0, "new", false},
    {"9x new target", Win9x, false, 0, "new", false},
    {"9x old file back when the new one cannot follow", Win9xSecondRenameFails, true, ERROR_DISK_FULL, "old", false},
    {"held target is in use", Held, true, ERROR_ACCESS_DENIED, "old", true},
    {"denied target is no file in use", Denied, true, ERROR_ACCESS_DENIED, "old", false},
};

INSTANTIATE_TEST_SUITE_P(Systems, FileReplace, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c)
                                 name += isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

struct Abandoned {};

// A replacement abandoned before each of its file-system steps in turn, as a
// process killed there would leave it: the target's name holds the old or
// the new file whole, or (9x, between the two renames) nothing while the
// backup holds the old one; the next run's recovery puts that back.
TEST(FileReplaceInterrupted, TheTargetsNameNeverLosesTheFileAndRecoveryPutsTheBackupBack)
{
    for (const bool win9x : {false, true}) {
        for (int abandonAt = 1;; ++abandonAt) {
            SCOPED_TRACE(std::string(win9x ? "9x" : "NT") + ", abandoned at step " + std::to_string(abandonAt));
            TempDir dir("interrupted");
            const std::string target = dir.file("PLOTA2.INI");
            ASSERT_TRUE(WriteFileBytes(target, "old"));
            ASSERT_TRUE(WriteFileBytes(dir.file("source"), "new"));
            std::string temp;
            ASSERT_TRUE(WriteTempCopy(false, dir.file("source"), dir.path(), temp));

            int steps = 0;
            auto step = [&] {
                if (++steps == abandonAt)
                    throw Abandoned();
            };
            bool finished = false;
            {
                ScopedApiOverride<&Win32Api::MoveFileExA> moveEx([&](LPCSTR from, LPCSTR to, DWORD flags) {
                    step();
                    if (win9x) {
                        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
                        return FALSE;
                    }
                    return MoveFileExA(from, to, flags);
                });
                ScopedApiOverride<&Win32Api::MoveFileA> move([&](LPCSTR from, LPCSTR to) {
                    step();
                    return MoveFileA(from, to);
                });
                ScopedApiOverride<&Win32Api::DeleteFileA> remove([&](LPCSTR path) {
                    step();
                    return DeleteFileA(path);
                });
                ScopedApiOverride<&Win32Api::SetFileAttributesA> attributes([&](LPCSTR path, DWORD value) {
                    step();
                    return SetFileAttributesA(path, value);
                });
                try {
                    EXPECT_EQ(ReplaceWithTemp(false, temp, target), 0u);
                    finished = true;
                } catch (const Abandoned&) {
                }
            }

            const std::string now = ReadFileBytes(target);
            const bool aside = !PathExists(target) && ReadFileBytes(Backup(dir)) == "old";
            EXPECT_TRUE(now == "old" || now == "new" || aside) << now;
            EXPECT_EQ(RecoverLeftovers(false, dir.path()), 0u);
            const std::string recovered = ReadFileBytes(target);
            EXPECT_TRUE(recovered == "old" || recovered == "new") << recovered;
            EXPECT_EQ(Names(dir), (std::vector<std::string>{"PLOTA2.INI", "source"}));
            if (finished)
                break;
        }
    }
}

// A target held through several runs: the restart replaces it once, with
// the last run's file; a direct replacement once it is free takes the
// waiting one back.
TEST(FileReplaceAtRestart, OneWaitingReplacementPerTargetAndNoneAfterADirectOne)
{
    PendingRenamesGuard pending;
    TempDir dir("restart");
    const std::string target = dir.file("x.kpx");
    ASSERT_TRUE(WriteFileBytes(target, "old"));
    auto waiting = [&] {
        std::vector<std::string> sources;
        for (const PendingRename& rename : PendingRenameList()) {
            if (lstrcmpiA(rename.target.c_str(), target.c_str()) == 0)
                sources.push_back(ReadFileBytes(rename.source));
        }
        return sources;
    };
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // The file put in place at the restart carries the target's access list.
    std::vector<std::string> secured;
    ScopedApiOverride<&Win32Api::SetFileSecurityA> security(
        [&](LPCSTR file, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR) {
            secured.push_back(file);
            return TRUE;
        });
    for (const char* content : {"first", "second"}) {
        ASSERT_TRUE(WriteFileBytes(dir.file("source"), content));
        std::string temp;
        ASSERT_TRUE(WriteTempCopy(false, dir.file("source"), dir.path(), temp));
        const DWORD error = ReplaceWithTemp(false, temp, target);
        ASSERT_TRUE(IsInUse(false, error, target));
        ASSERT_TRUE(ReplaceAtRestart(false, temp, target));
    }
    EXPECT_EQ(waiting(), (std::vector<std::string>{"second"}));
    ASSERT_EQ(PendingRenameList().empty(), false);
    EXPECT_NE(std::find(secured.begin(), secured.end(), PendingRenameList().back().source), secured.end());
    EXPECT_EQ(Names(dir).size(), 3u); // source, the one temporary file, x.kpx
    CloseHandle(held);

    std::string temp;
    ASSERT_TRUE(WriteTempCopy(false, dir.file("source"), dir.path(), temp));
    ASSERT_EQ(ReplaceWithTemp(false, temp, target), 0u);
    EXPECT_EQ(waiting(), std::vector<std::string>());
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"source", "x.kpx"}));
}

// A removal of a held file: its deletion at the restart takes the waiting
// replacement back (the file would come back then), and a file put in place
// later takes the deletion back (it would go then). A read-only file is
// deleted.
TEST(FileReplaceAtRestart, ADeletionAndAReplacementOfOneTargetTakeEachOtherBack)
{
    PendingRenamesGuard pending;
    TempDir dir("deletion");
    const std::string target = dir.file("x.kpx");
    ASSERT_TRUE(WriteFileBytes(target, "old"));
    const auto waiting = [&] {
        std::vector<std::string> steps;
        for (const PendingRename& rename : PendingRenameList()) {
            if (lstrcmpiA(rename.target.c_str(), target.c_str()) == 0)
                steps.push_back("replace");
            else if (rename.target.empty() && lstrcmpiA(rename.source.c_str(), target.c_str()) == 0)
                steps.push_back("delete");
        }
        return steps;
    };
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string temp;
    ASSERT_TRUE(WriteTempCopy(false, std::string(), dir.path(), temp));
    ASSERT_TRUE(ReplaceAtRestart(false, temp, target));
    ASSERT_TRUE(IsInUse(false, DeleteNow(false, target), target));
    ASSERT_TRUE(DeleteAtRestart(false, target));
    EXPECT_EQ(waiting(), (std::vector<std::string>{"delete"}));
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"x.kpx"}));
    CloseHandle(held);

    ASSERT_TRUE(WriteTempCopy(false, std::string(), dir.path(), temp));
    ASSERT_EQ(ReplaceWithTemp(false, temp, target), 0u);
    EXPECT_EQ(waiting(), std::vector<std::string>());
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(DeleteNow(false, target), 0u);
    EXPECT_EQ(Names(dir), std::vector<std::string>());
}

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

    // The backups of a replacement cut short on 9x: one whose target is
    // missing goes back; one beside its target without the mark of the
    // file that replaced it stays.
    ASSERT_TRUE(WriteFileBytes(dir.file("y.kpx.~kpxold"), "only copy"));
    ASSERT_TRUE(WriteFileBytes(dir.file("x.kpx.~kpxold"), "old x"));

    EXPECT_EQ(RecoverLeftovers(false, dir.path()), 0u);
    EXPECT_EQ(ReadFileBytes(dir.file("y.kpx")), "only copy");
    std::vector<std::string> expected(std::begin(kept), std::end(kept));
    expected.push_back("y.kpx");
    expected.push_back("x.kpx.~kpxold");
    std::vector<std::string> names = Names(dir);
    std::sort(expected.begin(), expected.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, expected);
}

// 9x: a file that takes the target's name between the two renames stops
// both the new file and the old one from taking it. The old file stays
// under its backup name, also through the next run's recovery, beside the
// file that took the name: it may be the only copy left of it.
TEST(FileReplaceInterrupted, On9xAFileThatTookTheTargetsNameLeavesTheOldFileAside)
{
    TempDir dir("reappeared");
    const std::string target = dir.file("PLOTA2.INI");
    ASSERT_TRUE(WriteFileBytes(target, "old"));
    ASSERT_TRUE(WriteFileBytes(dir.file("source"), "new"));
    std::string temp;
    ASSERT_TRUE(WriteTempCopy(false, dir.file("source"), dir.path(), temp));
    {
        ScopedApiOverride<&Win32Api::MoveFileExA> moveEx([](LPCSTR, LPCSTR, DWORD) {
            SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
            return FALSE;
        });
        ScopedApiOverride<&Win32Api::MoveFileA> move([&](LPCSTR from, LPCSTR to) {
            if (from == temp)
                WriteFileBytes(target, "another program's");
            return MoveFileA(from, to);
        });
        EXPECT_EQ(ReplaceWithTemp(false, temp, target), DWORD(ERROR_ALREADY_EXISTS));
    }
    RemoveTemp(false, temp); // as a caller does after a failed replacement
    EXPECT_EQ(RecoverLeftovers(false, dir.path()), 0u);
    EXPECT_EQ(ReadFileBytes(target), "another program's");
    EXPECT_EQ(ReadFileBytes(Backup(dir)), "old");
    EXPECT_EQ(Names(dir).size(), 3u); // PLOTA2.INI, its backup, source
}

// The restart list is shared with other programs: taking back its own
// deletion, the tool leaves every other entry byte for byte, paths with
// characters outside code page 932 too (U+03AC and U+0457 are in none of
// its characters; through the ANSI calls they would come back as "?").
TEST(FileReplaceAtRestart, OtherProgramsEntriesKeepEveryByte)
{
    PendingRenamesGuard pending;
    const std::string target = TempDir("others").file("x.kpx");
    const std::wstring greek = L"\\??\\C:\\\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac\\a.dll";
    const std::wstring before = greek + L'\0' + L'!' + greek + L".new" + L'\0';
    const std::wstring after = std::wstring(L"\\??\\C:\\\u041a\u0438\u0457\u0432\\b.dll") + L'\0' + L'\0';
    const std::wstring own = L"\\??\\" + std::wstring(target.begin(), target.end()) + L'\0' + L'\0';
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    const std::wstring written = before + own + after + L'\0';
    ASSERT_EQ(RegSetValueExW(key, L"PendingFileRenameOperations", 0, REG_MULTI_SZ,
                             reinterpret_cast<const BYTE*>(written.data()), DWORD(written.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);

    ForgetEarlierRestartReplacements(false, target, std::string());
    std::wstring value(1024, L'\0');
    DWORD size = DWORD(value.size() * sizeof(wchar_t));
    EXPECT_EQ(RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(&value[0]), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(value.substr(0, size / sizeof(wchar_t)) == before + after + L'\0');
    EXPECT_EQ(PendingRenameList().size(), 2u);
}

} // namespace
