#include "printers/RenamePermission.h"

#include "classlib/Handle.h"
#include "printers/PrinterHandle.h"
#include "printers/PrinterRecord.h"

#include <winspool.h>

bool AttributesAllowRename(DWORD attributes)
{
    return (attributes & (PRINTER_ATTRIBUTE_SHARED | PRINTER_ATTRIBUTE_NETWORK)) == 0;
}

int QueryRenameAllowed(const char* printerName)
{
    if (!printerName || !*printerName)
        return -1;
    CPrinterHandle printer = OpenPrinterHandle(printerName, PRINTER_ALL_ACCESS);
    if (!printer.IsValid())
        return -1;

    // A record that cannot be had leaves renaming allowed: the spooler has
    // the last word when the rename itself is asked for.
    CGlobalMemory record = GetPrinterRecord(printer.Get(), 2);
    if (!record.IsValid())
        return 1;
    return AttributesAllowRename(static_cast<PRINTER_INFO_2A*>(record.Get())->Attributes) ? 1 : 0;
}
