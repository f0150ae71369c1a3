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

bool PrinterBearsName(HANDLE printer, const std::string& name, std::string* driverName)
{
    if (driverName)
        driverName->clear();
    // A record that cannot be read tells nothing against the name the
    // printer was opened by.
    CGlobalMemory record = GetPrinterRecord(printer, 2);
    if (!record.IsValid())
        return true;
    const PRINTER_INFO_2A* info = static_cast<const PRINTER_INFO_2A*>(record.Get());
    if (driverName && info->pDriverName)
        *driverName = info->pDriverName;
    return !info->pPrinterName || MbCompareNoCase(info->pPrinterName, name) == 0;
}
