// Where PLOTA2.INI lies for each platform class and Terminal Services state.
#include "settings/DriverIniLocation.h"

#include "settings/DriverINI.h"
#include "support/ApiOverride.h"
#include "support/Cp932.h"
#include "support/ScopedOsVersion.h"
#include "support/ScopedPlatformFlags.h"

#include <gtest/gtest.h>

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
    struct Case {
        OsClass os;
        bool terminalServices;
        const char* path;
    } cases[] = {
        {OsWin9x, false, "C:\\WINDOWS\\PLOTA2.INI"},
        {OsWin9x, true, "C:\\WINDOWS\\PLOTA2.INI"},
        {OsNT4, false, "C:\\WINNT\\system32\\PLOTA2.INI"},
        {OsNT4, true, "C:\\WINNT\\system32\\kestro\\_OMRA\\jdoe\\PLOTA2.INI"},
        {OsXP, false, "C:\\WINNT\\system32\\PLOTA2.INI"},
        {OsXP, true, "C:\\Users\\jdoe\\_OMRA\\PLOTA2.INI"},
        {Os2012R2, true, "C:\\Users\\jdoe\\_OMRA\\PLOTA2.INI"},
        {OsUnknown, false, "C:\\WINNT\\system32\\PLOTA2.INI"},
        {OsUnknown, true, "C:\\Users\\jdoe\\_OMRA\\PLOTA2.INI"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.path, DriverIniPath(c.os, c.terminalServices, Dirs())) << c.os << "/" << c.terminalServices;
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

HRESULT WINAPI FakeAppData(HWND, int folder, HANDLE token, DWORD flags, LPSTR path)
{
    if (folder != CSIDL_APPDATA || token || flags != 0)
        return E_INVALIDARG;
    lstrcpyA(path, "C:\\WINNT\\Profiles\\jdoe\\Application Data");
    return S_OK;
}

HRESULT WINAPI NoAppData(HWND, int, HANDLE, DWORD, LPSTR)
{
    return E_FAIL;
}

BOOL WINAPI FakeUserName(LPSTR name, LPDWORD size)
{
    lstrcpyA(name, "logon");
    *size = 6;
    return TRUE;
}

TEST(DriverIniLocation, NT4WithTerminalServicesAsksForTheUserFolder)
{
    ScopedApiOverride<&Win32Api::SHGetFolderPathA> shell(&FakeAppData);
    EXPECT_EQ("jdoe", QueryDriverIniDirs(OsNT4, true).userFolderName);
    EXPECT_TRUE(QueryDriverIniDirs(OsNT4, false).userFolderName.empty());
}

TEST(DriverIniLocation, NT4WithoutApplicationDataFolderUsesTheLogonName)
{
    ScopedApiOverride<&Win32Api::SHGetFolderPathA> shell(&NoAppData);
    ScopedApiOverride<&Win32Api::GetUserNameA> user(&FakeUserName);
    EXPECT_EQ("logon", QueryDriverIniDirs(OsNT4, true).userFolderName);
}

HMODULE WINAPI NoUserEnv(LPCSTR name)
{
    return lstrcmpiA(name, "UserEnv.dll") == 0 ? nullptr : ::LoadLibraryA(name);
}

int g_processTokenOpens = 0;

BOOL WINAPI DeniedThreadToken(HANDLE, DWORD, BOOL, PHANDLE)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

BOOL WINAPI CountingProcessToken(HANDLE process, DWORD access, PHANDLE token)
{
    ++g_processTokenOpens;
    return ::OpenProcessToken(process, access, token);
}

TEST(DriverIniLocation, ProfileDirectoryFromTheUserEnvironmentLibrary)
{
    // Wine has the library and answers for the process's token, as a thread
    // that impersonates nobody has no token of its own.
    g_processTokenOpens = 0;
    ScopedApiOverride<&Win32Api::OpenProcessToken> process(&CountingProcessToken);
    std::string dir = QueryDriverIniDirs(Os7, true).userProfileDir;
    EXPECT_EQ(1, g_processTokenOpens);
    char expected[MAX_PATH + 1] = {};
    ASSERT_TRUE(GetEnvironmentVariableA("USERPROFILE", expected, sizeof expected));
    EXPECT_EQ(0, lstrcmpiA(expected, dir.c_str())) << dir;

    {
        ScopedApiOverride<&Win32Api::LoadLibraryA> load(&NoUserEnv);
        EXPECT_EQ("", QueryDriverIniDirs(Os7, true).userProfileDir);
    }
    {
        // Only a missing thread token falls back to the process's.
        g_processTokenOpens = 0;
        ScopedApiOverride<&Win32Api::OpenThreadToken> thread(&DeniedThreadToken);
        EXPECT_EQ("", QueryDriverIniDirs(Os7, true).userProfileDir);
        EXPECT_EQ(0, g_processTokenOpens);
    }
}

TEST(DriverIniLocation, TheObjectLocatesTheFileByTheMachine)
{
    char systemDir[MAX_PATH] = {};
    GetSystemDirectoryA(systemDir, MAX_PATH);
    char windowsDir[MAX_PATH] = {};
    GetWindowsDirectoryA(windowsDir, MAX_PATH);
    {
        ScopedOsVersion version(OsXP);
        ScopedPlatformFlags flags(false, false);
        EXPECT_EQ(std::string(systemDir) + "\\PLOTA2.INI", CDriverINI().GetIniPath());
    }
    {
        ScopedOsVersion version(OsWin9x);
        ScopedPlatformFlags flags(false, true);
        EXPECT_EQ(std::string(windowsDir) + "\\PLOTA2.INI", CDriverINI().GetIniPath());
    }
    {
        ScopedOsVersion version(OsUnknown);
        ScopedPlatformFlags flags(false, true);
        char profile[MAX_PATH] = {};
        GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
        EXPECT_EQ(0, lstrcmpiA((std::string(profile) + "\\_OMRA\\PLOTA2.INI").c_str(),
                               CDriverINI().GetIniPath().c_str()));
    }
}

} // namespace
