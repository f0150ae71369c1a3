// Renaming a printer through the print spooler.
#pragma once

#include <windows.h>

// Gives the printer currentName the name newName through its level-5 record;
// every other field of the record goes back to the spooler as it was read.
// True only when the spooler accepted the new name. On false (the printer
// cannot be opened with full access, memory or the record cannot be had,
// the spooler refuses the name) the printer is left as it was.
// error, when given, receives the system's reason for a false result (0
// where the spooler gave none).
bool RenamePrinter(const char* currentName, const char* newName, DWORD* error = nullptr);
