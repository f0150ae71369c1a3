// The process's DLL search, narrowed as the first step of start-up. The
// program runs elevated from wherever it was copied (a share, a stick), and a
// DLL looked for by name in its own folder or the current directory would run
// with the administrator's rights.
#pragma once

// Where the system has them (both are looked up at run time, as Windows 98
// and NT 4.0 lack them): SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)
// (Windows 8, and 7 / 2008 R2 with the update that added it) leaves only the
// system directory for DLLs loaded by name, and SetDllDirectoryA("") (XP SP1
// on) takes the current directory out of the search. Without them nothing
// changes; the program's own loads name full paths anyway.
void RestrictDllSearchPath();
