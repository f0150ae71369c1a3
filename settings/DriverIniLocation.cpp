#include "settings/DriverIniLocation.h"

#include "classlib/Handle.h"
#include "classlib/PathParts.h"
#include "classlib/SystemLibrary.h"
#include "classlib/Win32Api.h"
#include "platform/PlatformFlags.h"

const char kDriverIniName[] = "PLOTA2.INI";

namespace {

std::string WindowsDirectory()
{
    char dir[MAX_PATH] = {};
    Win32().GetWindowsDirectoryA(dir, MAX_PATH);
    return dir;
}

std::string SystemDirectory()
{
    char dir[MAX_PATH] = {};
    Win32().GetSystemDirectoryA(dir, MAX_PATH);
    return dir;
}

typedef HRESULT(WINAPI* SHGetFolderPathAFn)(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path);

// The user's application-data folder from SHGetFolderPathA, looked up at run
// time: shell32 has it from version 5.0 (2000, Me) on; NT 4.0 and 98 have it
// only in shfolder.dll, which Internet Explorer 5 and later programs install.
// False when neither library has it or the call fails.
bool QueryAppDataFolder(std::string& dir)
{
    for (const char* library : {"shell32.dll", "shfolder.dll"}) {
        CLibraryHandle module(LoadSystemLibrary(library));
        if (!module.IsValid())
            continue;
        FARPROC proc = Win32().GetProcAddress(module.Get(), "SHGetFolderPathA");
        if (!proc)
            continue;
        char path[MAX_PATH] = {};
        auto getFolderPath = reinterpret_cast<SHGetFolderPathAFn>(reinterpret_cast<void*>(proc));
        if (FAILED(getFolderPath(nullptr, CSIDL_APPDATA, nullptr, 0, path)))
            return false;
        dir = path;
        return true;
    }
    return false;
}

// NT 4.0 with Terminal Services: the name of the user's profile folder. When
// the application-data folder cannot be had, the logon name stands in: it is
// what NT 4.0 names the profile folder after, and it keeps the file per user
// rather than one shared by every user of the server.
std::string UserFolderName()
{
    std::string appData;
    if (QueryAppDataFolder(appData))
        return UserFolderFromAppData(appData);
    char user[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (Win32().GetUserNameA(user, &size))
        return user;
    return std::string();
}

typedef BOOL(WINAPI* GetUserProfileDirectoryFn)(HANDLE token, LPSTR dir, LPDWORD size);

// The profile directory of the user this thread runs as; empty when it cannot
// be had.
std::string UserProfileDirectory()
{
    CLibraryHandle userEnv(LoadSystemLibrary("UserEnv.dll"));
    if (!userEnv.IsValid())
        return std::string();

    HANDLE rawToken = nullptr;
    if (!Win32().OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, &rawToken)) {
        rawToken = nullptr;
        // A thread that impersonates nobody has no token of its own.
        if (GetLastError() == ERROR_NO_TOKEN && !Win32().OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken))
            rawToken = nullptr;
    }
    CHandle token(rawToken);
    if (!token.IsValid())
        return std::string();

    char dir[MAX_PATH + 1] = {};
    FARPROC proc = Win32().GetProcAddress(userEnv.Get(), "GetUserProfileDirectoryA");
    if (proc) {
        DWORD size = sizeof dir;
        if (!reinterpret_cast<GetUserProfileDirectoryFn>(reinterpret_cast<void*>(proc))(token.Get(), dir, &size))
            dir[0] = '\0';
    }
    return dir;
}

} // namespace

std::string JoinPath(const std::string& dir, const std::string& relative)
{
    // The last character is a backslash only if the last backslash found
    // character by character ends the string: a trail byte 0x5C is not one.
    size_t slash = FindLastBackslash(dir);
    bool endsWithBackslash = slash != std::string::npos && slash + 1 == dir.size();
    return endsWithBackslash ? dir + relative : dir + "\\" + relative;
}

std::string UserFolderFromAppData(const std::string& appDataDir)
{
    return FileNamePart(DirectoryPart(appDataDir));
}

std::string DriverIniPath(OsClass os, bool terminalServices, const DriverIniDirs& dirs)
{
    if (os == OsWin9x)
        return JoinPath(dirs.windowsDir, kDriverIniName);
    if (!terminalServices)
        return JoinPath(dirs.systemDir, kDriverIniName);
    if (os == OsNT4) {
        std::string relative = "kestro\\_OMRA\\";
        if (!dirs.userFolderName.empty())
            relative += dirs.userFolderName + "\\";
        return JoinPath(dirs.systemDir, relative + kDriverIniName);
    }
    // An empty profile directory leaves a path from the root of the current
    // drive, as the driver itself would compute it.
    return dirs.userProfileDir + "\\_OMRA\\" + kDriverIniName;
}

DriverIniDirs QueryDriverIniDirs(OsClass os, bool terminalServices)
{
    DriverIniDirs dirs;
    if (os == OsWin9x) {
        dirs.windowsDir = WindowsDirectory();
    } else if (!terminalServices) {
        dirs.systemDir = SystemDirectory();
    } else if (os == OsNT4) {
        dirs.systemDir = SystemDirectory();
        dirs.userFolderName = UserFolderName();
    } else {
        dirs.userProfileDir = UserProfileDirectory();
    }
    return dirs;
}

std::string CurrentDriverIniPath()
{
    const OsClass os = GetOsClass();
    const bool terminalServices = TerminalServicesActive() != FALSE;
    return DriverIniPath(os, terminalServices, QueryDriverIniDirs(os, terminalServices));
}
