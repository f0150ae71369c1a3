#include "classlib/ModuleFileName.h"

#include "classlib/Win32Api.h"

std::string ModuleFileName(HMODULE module)
{
    char path[MAX_PATH] = {};
    DWORD length = Win32().GetModuleFileNameA(module, path, MAX_PATH);
    // A cut path comes back as the buffer size, with or without a zero.
    if (length >= MAX_PATH)
        length = MAX_PATH - 1;
    return std::string(path, length);
}
