// The two tests that decide which printers the tool works with.
#pragma once

#include "classlib/Handle.h"

#include <windows.h>
#include <winspool.h>

// True when the printer's server is known and the current user may open the
// printer with full (administrative) access, which renaming it and writing
// its driver's files need. Opens the printer once, and closes it again unless
// opened is given to keep the handle; a null record or a record without a
// printer name is not usable.
bool IsPrinterUsable(const PRINTER_INFO_2A* pInfo, CPrinterHandle* opened = nullptr);

// True when driverName is exactly one of the two driver names of the family
// (string-table texts), under the system's locale-aware, case-sensitive
// comparison. Null is not supported.
bool IsSupportedDriver(const char* driverName);
