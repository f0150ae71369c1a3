// Loading a DLL of the system by its full path in the system directory.
// The program runs elevated from wherever it was copied; a DLL that is not
// one of the system's KnownDLLs and is loaded by bare name is looked for in
// the program's own folder first, so whoever can write there would run code
// with the administrator's rights. A full path leaves the loader no search.
#pragma once

#include "classlib/Win32Api.h"

#include <string>

// fileName in the directory the given query reports ("C:\WINDOWS\system32"
// and "winspool.drv" give "C:\WINDOWS\system32\winspool.drv"); empty when
// the query fails or the directory does not fit MAX_PATH.
std::string SystemFilePath(const char* fileName, decltype(&::GetSystemDirectoryA) systemDirectory);
// The same with the seam's system directory.
std::string SystemFilePath(const char* fileName);

// LoadLibraryExA (through the seam) of fileName in the system directory, with
// LOAD_WITH_ALTERED_SEARCH_PATH: the library's own dependencies are then
// looked for in the system directory too, not in the program's folder. Null
// with ERROR_MOD_NOT_FOUND when the directory cannot be had.
HMODULE LoadSystemLibrary(const char* fileName);
