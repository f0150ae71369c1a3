// Where PLOTA2.INI lies for each platform class and Terminal Services state.
#include "settings/DriverIniLocation.h"

#include "settings/DriverINI.h"
#include "support/ApiOverride.h"
#include "support/Cp932.h"
#include "support/ScopedOsVersion.h"
#include "support/ScopedPlatformFlags.h"
#include "support/TempDir.h"
#include "support/WinapiFunction.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

DriverIniDirs Dirs(const char* systemDir = "C:\\WINNT\\system32", const char* profileDir = "C:\\Users\\jdoe")
{
    DriverIniDirs dirs;
    dirs.windowsDir = "C:\\WINDOWS";
    dirs.systemDir = systemDir;
    dirs.userFolderName = "jdoe";
    dirs.userProfileDir = profileDir;
    return dirs;
}

TEST(DriverIniLocation, PathForEveryClassAndTerminalServicesState)
{
    // Each path, and the platform classes and Terminal Services states that
    // lead to it.
    const struct {
        const char* path;
        std::vector<std::pair<OsClass, bool>> machines;
    } paths[] = {
        {"C:\\WINDOWS\\PLOTA2.INI", {{OsWin9x, false}, {OsWin9x, true}}},
        {"C:\\WINNT\\system32\\PLOTA2.INI", {{OsNT4, false}, {OsXP, false}, {OsUnknown, false}}},
        {"C:\\WINNT\\system32\\kestro\\_OMRA\\jdoe\\PLOTA2.INI", {{OsNT4, true}}},
        {"C:\\Users\\jdoe\\_OMRA\\PLOTA2.INI", {{OsXP, true}, {Os2012R2, true}, {OsUnknown, true}}},
    };
    for (const auto& p : paths) {
        for (const auto& m : p.machines)
            EXPECT_EQ(p.path, DriverIniPath(m.first, m.second, Dirs())) << m.first << "/" << m.second;
    }
}

TEST(DriverIniLocation, DirectoryEdges)
{
    // A root directory already ends with its backslash.
    EXPECT_EQ("C:\\PLOTA2.INI", DriverIniPath(Os7, false, Dirs("C:\\")));
    // No profile directory: a path from the root of the current drive.
    EXPECT_EQ("\\_OMRA\\PLOTA2.INI", DriverIniPath(Os7, true, Dirs("C:\\x", "")));
    EXPECT_EQ("\\PLOTA2.INI", JoinPath("", "PLOTA2.INI"));
    // A directory whose last character is a double-byte one ending in 0x5C
    // does not end with a backslash.
    EXPECT_PRED_FORMAT2(SameBytes, Cp932(u8"C:\\ソ\\PLOTA2.INI"), JoinPath(Cp932(u8"C:\\ソ"), "PLOTA2.INI"));
}

TEST(DriverIniLocation, UserFolderIsTheProfileFolderAboveApplicationData)
{
    EXPECT_EQ("jdoe", UserFolderFromAppData("C:\\WINNT\\Profiles\\jdoe\\Application Data"));
    EXPECT_PRED_FORMAT2(SameBytes, Cp932(u8"ソフト"),
                        UserFolderFromAppData(Cp932(u8"C:\\WINNT\\Profiles\\ソフト\\Application Data")));
}

TEST(DriverIniLocation, NT4WithTerminalServicesAsksForTheUserFolder)
{
    // Looked up at run time in shell32 (2000, Me and later), then in
    // shfolder.dll (98 and NT 4.0 with a later Internet Explorer); the logon
    // name when neither has it or the call fails.
    using Sig = HRESULT(HWND, int, HANDLE, DWORD, LPSTR);
    WinapiFunction<Sig, 1> appData([](HWND, int folder, HANDLE token, DWORD flags, LPSTR path) {
        if (folder != CSIDL_APPDATA || token || flags != 0)
            return E_INVALIDARG;
        lstrcpyA(path, "C:\\WINNT\\Profiles\\jdoe\\Application Data");
        return S_OK;
    });
    WinapiFunction<Sig, 2> noAppData([](HWND, int, HANDLE, DWORD, LPSTR) { return E_FAIL; });
    const FARPROC FakeAppData = appData.proc();
    const FARPROC NoAppData = noAppData.proc();
    struct Case {
        FARPROC inShell32;
        bool shfolderLoads;
        FARPROC inShfolder;
        const char* folder;
        std::vector<std::string> lookedUpIn;
    } cases[] = {
        {FakeAppData, true, NoAppData, "jdoe", {"shell32.dll"}},
        {NoAppData, true, FakeAppData, "logon", {"shell32.dll"}},
        {nullptr, true, FakeAppData, "jdoe", {"shell32.dll", "shfolder.dll"}},
        {nullptr, true, NoAppData, "logon", {"shell32.dll", "shfolder.dll"}},
        {nullptr, true, nullptr, "logon", {"shell32.dll", "shfolder.dll"}},
        {nullptr, false, nullptr, "logon", {"shell32.dll"}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<HMODULE, std::string>> loaded;
        std::vector<std::string> lookedUpIn;
        ScopedApiOverride<&Win32Api::LoadLibraryExA> load([&](LPCSTR path, HANDLE file, DWORD flags) {
            const std::string name = SystemLibraryName(path);
            HMODULE module = !c.shfolderLoads && name == "shfolder.dll" ? nullptr : ::LoadLibraryExA(path, file, flags);
            loaded.emplace_back(module, name);
            return module;
        });
        ScopedApiOverride<&Win32Api::GetProcAddress> lookup([&](HMODULE module, LPCSTR name) -> FARPROC {
            if (!HIWORD(name) || lstrcmpA(name, "SHGetFolderPathA") != 0)
                return ::GetProcAddress(module, name);
            std::string library;
            for (const auto& l : loaded)
                if (l.first == module)
                    library = l.second;
            lookedUpIn.push_back(library);
            return library == "shell32.dll" ? c.inShell32 : library == "shfolder.dll" ? c.inShfolder : nullptr;
        });
        ScopedApiOverride<&Win32Api::GetUserNameA> user([](LPSTR name, LPDWORD size) {
            lstrcpyA(name, "logon");
            *size = 6;
            return TRUE;
        });

        EXPECT_EQ(c.folder, QueryDriverIniDirs(OsNT4, true).userFolderName) << ::testing::PrintToString(c.lookedUpIn);
        EXPECT_EQ(c.lookedUpIn, lookedUpIn);
    }
    // Without Terminal Services no user folder is asked for.
    EXPECT_TRUE(QueryDriverIniDirs(OsNT4, false).userFolderName.empty());
}

TEST(DriverIniLocation, ProfileDirectoryFromTheUserEnvironmentLibrary)
{
    // Wine has the library and answers for the process's token, as a thread
    // that impersonates nobody has no token of its own.
    int processTokenOpens = 0;
    ScopedApiOverride<&Win32Api::OpenProcessToken> process([&](HANDLE p, DWORD access, PHANDLE token) {
        ++processTokenOpens;
        return ::OpenProcessToken(p, access, token);
    });
    std::string dir = QueryDriverIniDirs(Os7, true).userProfileDir;
    EXPECT_EQ(1, processTokenOpens);
    char expected[MAX_PATH + 1] = {};
    ASSERT_TRUE(GetEnvironmentVariableA("USERPROFILE", expected, sizeof expected));
    EXPECT_EQ(0, lstrcmpiA(expected, dir.c_str())) << dir;

    {
        ScopedApiOverride<&Win32Api::LoadLibraryExA> load([](LPCSTR path, HANDLE file, DWORD flags) {
            return SystemLibraryName(path) == "UserEnv.dll" ? nullptr : ::LoadLibraryExA(path, file, flags);
        });
        EXPECT_EQ("", QueryDriverIniDirs(Os7, true).userProfileDir);
    }
    {
        // Only a missing thread token falls back to the process's.
        processTokenOpens = 0;
        ScopedApiOverride<&Win32Api::OpenThreadToken> thread([](HANDLE, DWORD, BOOL, PHANDLE) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        });
        EXPECT_EQ("", QueryDriverIniDirs(Os7, true).userProfileDir);
        EXPECT_EQ(0, processTokenOpens);
    }
}

TEST(DriverIniLocation, TheObjectLocatesTheFileByTheMachine)
{
    char windowsDir[MAX_PATH] = {};
    GetWindowsDirectoryA(windowsDir, MAX_PATH);
    {
        ScopedOsVersion version(OsXP);
        ScopedPlatformFlags flags(false, false);
        EXPECT_EQ(DriverIniFile(), CDriverINI().GetIniPath());
    }
    {
        ScopedOsVersion version(OsWin9x);
        ScopedPlatformFlags flags(false, true);
        EXPECT_EQ(std::string(windowsDir) + "\\PLOTA2.INI", CDriverINI().GetIniPath());
    }
    {
        ScopedOsVersion version(OsUnknown);
        ScopedPlatformFlags flags(false, true);
        const std::string perUser = UserDriverIniFolder() + "\\PLOTA2.INI";
        EXPECT_EQ(0, lstrcmpiA(perUser.c_str(), CDriverINI().GetIniPath().c_str()));
    }
}

} // namespace
