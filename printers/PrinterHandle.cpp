#include "printers/PrinterHandle.h"

CPrinterHandle OpenPrinterHandle(const char* printerName, ACCESS_MASK access)
{
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, access};
    HANDLE h = nullptr;
    // OpenPrinterA takes a non-const name but does not write to it.
    if (!Win32().OpenPrinterA(const_cast<char*>(printerName), &h, &defaults))
        return CPrinterHandle();
    return CPrinterHandle(h);
}
