#include "platform/PendingRenames.h"

#include "classlib/Handle.h"

#include <windows.h>
#include <cstring>

namespace {

const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kPendingValue[] = "PendingFileRenameOperations";

std::string WithoutPrefixes(const char* entry)
{
    std::string path = entry;
    if (!path.empty() && path[0] == '!')
        path.erase(0, 1);
    if (path.compare(0, 4, "\\??\\") == 0)
        path.erase(0, 4);
    return path;
}

} // namespace

std::vector<std::string> PendingRenamePaths()
{
    std::vector<std::string> paths;
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return paths;
    CRegKey session(opened);
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(session.Get(), kPendingValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ || size == 0)
        return paths;
    // Two extra terminators: the list stays terminated even when the value
    // was stored without its final one.
    std::vector<char> data(size + 2, '\0');
    if (::RegQueryValueExA(session.Get(), kPendingValue, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return paths;
    // A deletion's empty target ends the list to a plain reader; the value's
    // size is the real end.
    for (size_t at = 0; at < size; at += strlen(&data[at]) + 1) {
        if (data[at])
            paths.push_back(WithoutPrefixes(&data[at]));
    }
    return paths;
}

bool IsNamedIn(const std::vector<std::string>& paths, const std::string& path)
{
    for (const std::string& named : paths) {
        if (::lstrcmpiA(named.c_str(), path.c_str()) == 0)
            return true;
    }
    return false;
}
