#include "printers/PrinterRename.h"

#include "classlib/Handle.h"
#include "printers/PrinterHandle.h"

#include <winspool.h>
#include <cstring>

bool RenamePrinter(const char* currentName, const char* newName)
{
    if (!currentName || !newName)
        return false;
    CPrinterHandle printer = OpenPrinterHandle(currentName, PRINTER_ALL_ACCESS);
    if (!printer.IsValid())
        return false;

    const size_t nameSize = strlen(newName) + 1;

    // The first call only reports the size; its result says nothing.
    DWORD recordSize = 0;
    Win32().GetPrinterA(printer.Get(), 5, nullptr, 0, &recordSize);

    // The new name goes into the same block, just past what the spooler
    // fills, so a name of any length travels whole with the record.
    CGlobalMemory block(Win32().GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, recordSize + nameSize));
    if (!block.IsValid())
        return false;
    BYTE* bytes = static_cast<BYTE*>(block.Get());

    DWORD needed = 0;
    if (!Win32().GetPrinterA(printer.Get(), 5, bytes, recordSize, &needed))
        return false;

    char* name = reinterpret_cast<char*>(bytes + recordSize);
    memcpy(name, newName, nameSize);
    reinterpret_cast<PRINTER_INFO_5A*>(bytes)->pPrinterName = name;
    return Win32().SetPrinterA(printer.Get(), 5, bytes, 0) != FALSE;
}
