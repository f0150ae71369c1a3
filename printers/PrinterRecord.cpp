#include "printers/PrinterRecord.h"

namespace {

// Most records fit a block of this size, and are read in one call; a larger
// one is read again into a block of the size the spooler asked for.
const DWORD kFirstSize = 4096;

} // namespace

CGlobalMemory GetPrinterRecord(HANDLE printer, DWORD level, DWORD spareBytes, DWORD* recordSize)
{
    DWORD size = kFirstSize;
    for (int attempt = 0; attempt < 2; ++attempt) {
        CGlobalMemory block(Win32().GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size + spareBytes));
        if (!block.IsValid())
            return block;
        DWORD needed = 0;
        if (Win32().GetPrinterA(printer, level, static_cast<BYTE*>(block.Get()), size, &needed)) {
            // The spooler tells the record's own size; where it does not,
            // all the block's part it was given counts.
            if (recordSize)
                *recordSize = needed > 0 && needed <= size ? needed : size;
            return block;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= size)
            return CGlobalMemory();
        size = needed;
    }
    return CGlobalMemory();
}
