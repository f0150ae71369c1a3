// Opening a printer of the spooler for administration.
#pragma once

#include "classlib/Handle.h"

// OpenPrinterA through the platform seam with defaults that name no data type
// and no device mode and ask for the given access. An empty handle when the
// spooler refuses; GetLastError then tells why.
CPrinterHandle OpenPrinterHandle(const char* printerName, ACCESS_MASK access);
