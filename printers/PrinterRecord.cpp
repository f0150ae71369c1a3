#include "printers/PrinterRecord.h"

CGlobalMemory GetPrinterRecord(HANDLE printer, DWORD level, DWORD spareBytes, DWORD* recordSize)
{
    // The first call only reports the size; its result says nothing.
    DWORD size = 0;
    Win32().GetPrinterA(printer, level, nullptr, 0, &size);

    CGlobalMemory block(Win32().GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size + spareBytes));
    if (!block.IsValid())
        return block;
    DWORD needed = 0;
    if (!Win32().GetPrinterA(printer, level, static_cast<BYTE*>(block.Get()), size, &needed))
        return CGlobalMemory();
    if (recordSize)
        *recordSize = size;
    return block;
}
