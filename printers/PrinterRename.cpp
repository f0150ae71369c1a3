#include "printers/PrinterRename.h"

#include "printers/PrinterHandle.h"
#include "printers/PrinterRecord.h"

#include <winspool.h>
#include <cstring>

bool RenamePrinter(const char* currentName, const char* newName)
{
    if (!currentName || !newName)
        return false;
    CPrinterHandle printer = OpenPrinterHandle(currentName, PRINTER_ALL_ACCESS);
    if (!printer.IsValid())
        return false;

    // The new name goes into the same block, just past what the spooler
    // fills, so a name of any length travels whole with the record.
    const size_t nameSize = strlen(newName) + 1;
    DWORD recordSize = 0;
    CGlobalMemory block = GetPrinterRecord(printer.Get(), 5, static_cast<DWORD>(nameSize), &recordSize);
    if (!block.IsValid())
        return false;
    BYTE* bytes = static_cast<BYTE*>(block.Get());

    char* name = reinterpret_cast<char*>(bytes + recordSize);
    memcpy(name, newName, nameSize);
    reinterpret_cast<PRINTER_INFO_5A*>(bytes)->pPrinterName = name;
    return Win32().SetPrinterA(printer.Get(), 5, bytes, 0) != FALSE;
}
