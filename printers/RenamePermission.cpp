#include "printers/RenamePermission.h"

#include "classlib/Handle.h"
#include "printers/PrinterHandle.h"

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

    DWORD size = 0;
    Win32().GetPrinterA(printer.Get(), 2, nullptr, 0, &size);
    // A record that cannot be had leaves renaming allowed: the spooler has
    // the last word when the rename itself is asked for.
    CGlobalMemory block(Win32().GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size));
    if (!block.IsValid())
        return 1;
    BYTE* bytes = static_cast<BYTE*>(block.Get());
    if (!Win32().GetPrinterA(printer.Get(), 2, bytes, size, &size))
        return 1;
    return AttributesAllowRename(reinterpret_cast<PRINTER_INFO_2A*>(bytes)->Attributes) ? 1 : 0;
}
