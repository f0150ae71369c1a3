#include "classlib/SystemLibrary.h"

#include "classlib/PathParts.h"

// cppcheck-suppress constParameter ; systemDirectory is a function pointer, taken by value
std::string SystemFilePath(const char* fileName, decltype(&::GetSystemDirectoryA) systemDirectory)
{
    char dir[MAX_PATH] = {};
    const UINT length = systemDirectory(dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    const std::string path(dir, length);
    // Only a root ("C:\") ends with a backslash; a trail byte 0x5C of a
    // double-byte character at the end is none.
    const size_t slash = FindLastBackslash(path);
    const bool endsWithBackslash = slash != std::string::npos && slash + 1 == path.size();
    return path + (endsWithBackslash ? "" : "\\") + fileName;
}

std::string SystemFilePath(const char* fileName)
{
    return SystemFilePath(fileName, Win32().GetSystemDirectoryA);
}

HMODULE LoadSystemLibrary(const char* fileName)
{
    const std::string path = SystemFilePath(fileName);
    if (path.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return Win32().LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
