#include "platform/PendingRenames.h"

#include "classlib/Handle.h"

#include <windows.h>
#include <cstring>

namespace {

const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kPendingValue[] = "PendingFileRenameOperations";

std::string WithoutPrefixes(const std::string& entry)
{
    std::string path = entry;
    if (!path.empty() && path[0] == '!')
        path.erase(0, 1);
    if (path.compare(0, 4, "\\??\\") == 0)
        path.erase(0, 4);
    return path;
}

// The value's strings as stored, empty ones (a deletion's target) included.
std::vector<std::string> StoredStrings(REGSAM access, CRegKey& session)
{
    std::vector<std::string> strings;
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, access, &opened) != ERROR_SUCCESS)
        return strings;
    session.Reset(opened);
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(session.Get(), kPendingValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ || size == 0)
        return strings;
    // Two extra terminators: the list stays terminated even when the value
    // was stored without its final one.
    std::vector<char> data(size + 2, '\0');
    if (::RegQueryValueExA(session.Get(), kPendingValue, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return strings;
    // A deletion's empty target ends the list to a plain reader; the value's
    // size is the real end. The list's own final terminator is no entry.
    for (size_t at = 0; at < size; at += strlen(&data[at]) + 1) {
        if (data[at] == '\0' && at + 1 >= size)
            break;
        strings.push_back(&data[at]);
    }
    return strings;
}

std::vector<PendingRename> Pairs(const std::vector<std::string>& strings)
{
    std::vector<PendingRename> list;
    for (size_t i = 0; i + 1 < strings.size(); i += 2)
        list.push_back({WithoutPrefixes(strings[i]), WithoutPrefixes(strings[i + 1])});
    return list;
}

} // namespace

std::vector<PendingRename> PendingRenameList()
{
    CRegKey session;
    return Pairs(StoredStrings(KEY_QUERY_VALUE, session));
}

std::vector<std::string> PendingRenamePaths()
{
    std::vector<std::string> paths;
    for (const PendingRename& rename : PendingRenameList()) {
        paths.push_back(rename.source);
        if (!rename.target.empty())
            paths.push_back(rename.target);
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

bool DropPendingRenames(const std::function<bool(const PendingRename&)>& drop)
{
    CRegKey session;
    const std::vector<std::string> strings = StoredStrings(KEY_QUERY_VALUE | KEY_SET_VALUE, session);
    std::string kept;
    bool dropped = false;
    for (size_t i = 0; i + 1 < strings.size(); i += 2) {
        if (drop({WithoutPrefixes(strings[i]), WithoutPrefixes(strings[i + 1])})) {
            dropped = true;
            continue;
        }
        kept += strings[i];
        kept += '\0';
        kept += strings[i + 1];
        kept += '\0';
    }
    if (!dropped)
        return true;
    if (kept.empty())
        return ::RegDeleteValueA(session.Get(), kPendingValue) == ERROR_SUCCESS;
    kept += '\0';
    return ::RegSetValueExA(session.Get(), kPendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                            static_cast<DWORD>(kept.size())) == ERROR_SUCCESS;
}
