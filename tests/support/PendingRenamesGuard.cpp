#include "support/PendingRenamesGuard.h"

#include "classlib/PathParts.h"
#include "platform/FileReplace.h"
#include "platform/PendingRenames.h"

#include <windows.h>

namespace {

const char kKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kValue[] = "PendingFileRenameOperations";

} // namespace

PendingRenamesGuard::PendingRenamesGuard()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (RegQueryValueExA(key, kValue, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        m_value.resize(size);
        m_had = RegQueryValueExA(key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(m_value.data()), &size) ==
                ERROR_SUCCESS;
    }
    RegCloseKey(key);
}

PendingRenamesGuard::~PendingRenamesGuard()
{
    // The temporary sources registered meanwhile go with their entries.
    std::string saved(m_value.begin(), m_value.end());
    for (const std::string& path : PendingRenamePaths()) {
        if (IsReplaceTempName(FileNamePart(path)) && saved.find(path) == std::string::npos)
            DeleteFileA(path.c_str());
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    if (m_had)
        RegSetValueExA(key, kValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(m_value.data()),
                       static_cast<DWORD>(m_value.size()));
    else
        RegDeleteValueA(key, kValue);
    RegCloseKey(key);
}
