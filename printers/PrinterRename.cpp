#include "printers/PrinterRename.h"

#include "printers/PrinterHandle.h"
#include "printers/PrinterRecord.h"

#include <winspool.h>

#include <cstring>

namespace {

// The failure's reason, read before any clean-up can overwrite it.
bool Failed(DWORD* error, DWORD reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool RenamePrinter(const char* currentName, const char* newName, DWORD* error)
{
    if (!currentName || !newName)
        return Failed(error, ERROR_INVALID_PARAMETER);
    CPrinterHandle printer = OpenPrinterHandle(currentName, PRINTER_ALL_ACCESS);
    if (!printer.IsValid())
        return Failed(error, GetLastError());

    // The new name goes into the same block, just past what the spooler
    // fills, so a name of any length travels whole with the record.
    const size_t nameSize = strlen(newName) + 1;
    DWORD recordSize = 0;
    CGlobalMemory block = GetPrinterRecord(printer.Get(), 5, static_cast<DWORD>(nameSize), &recordSize);
    if (!block.IsValid())
        return Failed(error, GetLastError());
    BYTE* bytes = static_cast<BYTE*>(block.Get());

    char* name = reinterpret_cast<char*>(bytes + recordSize);
    memcpy(name, newName, nameSize);
    reinterpret_cast<PRINTER_INFO_5A*>(bytes)->pPrinterName = name;
    // A spooler that refuses without saying why must not leave the size
    // query's "buffer too small" behind as the reason.
    SetLastError(0);
    if (!Win32().SetPrinterA(printer.Get(), 5, bytes, 0))
        return Failed(error, GetLastError());
    return true;
}
