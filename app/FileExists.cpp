#include "app/FileExists.h"

#include "classlib/Win32Api.h"

bool FileExists(const char* path)
{
    HANDLE file = Win32().CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    Win32().CloseHandle(file);
    return true;
}
