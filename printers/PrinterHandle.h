// Opening a printer of the spooler for administration.
#pragma once

#include "classlib/Handle.h"

#include <string>

// OpenPrinterA through the platform seam with defaults that name no data type
// and no device mode and ask for the given access. An empty handle when the
// spooler refuses; GetLastError then tells why.
CPrinterHandle OpenPrinterHandle(const char* printerName, ACCESS_MASK access);

// What the open printer's own record (level 2) says of it.
enum PrinterRecordVerdict {
    PrinterRecordBearsName, // it names the printer name, compared without regard to case as the
                            // spooler compares printer names
    PrinterRecordOtherName, // it names it otherwise, or the printer is being deleted
    PrinterRecordUnread,    // it cannot be read
};
// driverName (when given) gets the record's driver name, empty when the
// record cannot be read.
PrinterRecordVerdict ReadPrinterRecordName(HANDLE printer, const std::string& name, std::string* driverName = nullptr);
