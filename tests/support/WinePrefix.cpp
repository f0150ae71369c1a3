#include "support/WinePrefix.h"

#include "support/TempDir.h"

#include <windows.h>
#include <winspool.h>

#include <cstdlib>

std::string PrefixPath(const std::string& relative)
{
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix || !*prefix)
        return std::string();
    std::string path = std::string("Z:") + prefix;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    if (path.back() != '\\')
        path += '\\';
    return path + relative;
}

std::string OnHost(const std::string& windowsPath)
{
    // Wine's drive C: is the prefix's drive_c folder.
    return PrefixPath("drive_c" + windowsPath.substr(2));
}

std::string NativeSystemFile(const std::string& name)
{
    return OnHost(SystemDirectoryFile(name));
}

std::string RedirectedSystemFile(const std::string& name)
{
    return PrefixPath("drive_c\\windows\\syswow64\\" + name);
}

std::string DriverDirectoryFile(const std::string& name, const char* environment)
{
    char dir[MAX_PATH] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryA(nullptr, const_cast<LPSTR>(environment), 1, reinterpret_cast<BYTE*>(dir), sizeof(dir),
                               &needed);
    return std::string(dir) + "\\3\\" + name;
}

std::vector<std::string> ProfileCopies(const std::string& name)
{
    return {SystemDirectoryFile(name), DriverDirectoryFile(name)};
}

std::string DriverIniFile()
{
    return SystemDirectoryFile("PLOTA2.INI");
}

std::string UserDriverIniFolder()
{
    char profile[MAX_PATH] = {};
    GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
    return std::string(profile) + "\\_OMRA";
}
