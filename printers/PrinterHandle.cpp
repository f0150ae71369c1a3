#include "printers/PrinterHandle.h"

#include "classlib/MbString.h"
#include "printers/PrinterRecord.h"

CPrinterHandle OpenPrinterHandle(const char* printerName, ACCESS_MASK access)
{
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, access};
    HANDLE h = nullptr;
    // OpenPrinterA takes a non-const name but does not write to it.
    if (!Win32().OpenPrinterA(const_cast<char*>(printerName), &h, &defaults))
        return CPrinterHandle();
    return CPrinterHandle(h);
}

bool PrinterBearsName(HANDLE printer, const std::string& name)
{
    // A record that cannot be read tells nothing against the name the
    // printer was opened by.
    CGlobalMemory record = GetPrinterRecord(printer, 2);
    if (!record.IsValid())
        return true;
    const char* own = static_cast<const PRINTER_INFO_2A*>(record.Get())->pPrinterName;
    return !own || MbCompareNoCase(own, name) == 0;
}
