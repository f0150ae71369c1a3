#include "support/PendingRenamesGuard.h"

#include "classlib/PathParts.h"
#include "platform/FileReplace.h"
#include "platform/PendingRenames.h"

#include <windows.h>

namespace {

const char kKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
// Read and written as the system stores it (UTF-16), so that other
// programs' entries come back byte for byte.
const wchar_t kValue[] = L"PendingFileRenameOperations";

} // namespace

PendingRenamesGuard::PendingRenamesGuard() : m_paths(PendingRenamePaths())
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (RegQueryValueExW(key, kValue, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        m_value.resize(size);
        m_had = RegQueryValueExW(key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(m_value.data()), &size) ==
                ERROR_SUCCESS;
    }
    RegCloseKey(key);
}

PendingRenamesGuard::~PendingRenamesGuard()
{
    // The temporary sources registered meanwhile go with their entries.
    for (const std::string& path : PendingRenamePaths()) {
        if (IsReplaceTempName(FileNamePart(path)) && !IsNamedIn(m_paths, path)) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    if (m_had)
        RegSetValueExW(key, kValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(m_value.data()),
                       static_cast<DWORD>(m_value.size()));
    else
        RegDeleteValueW(key, kValue);
    RegCloseKey(key);
}
