// Whether a printer may be renamed. A shared printer and a connection to a
// printer of another machine are never offered for renaming: other users
// and machines know them by their names.
#pragma once

#include <windows.h>

// The decision on a printer's attributes (PRINTER_INFO_2A::Attributes).
bool AttributesAllowRename(DWORD attributes);

// The spooler's answer for the named printer: 1 when it may be renamed, also
// when its record cannot be read; 0 when it is shared or a connection; -1
// when it cannot be opened with full access (an empty name included, which
// the spooler would take for the print server itself).
int QueryRenameAllowed(const char* printerName);
