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

PrinterRecordVerdict ReadPrinterRecordName(HANDLE printer, const std::string& name, std::string* driverName)
{
    if (driverName)
        driverName->clear();
    CGlobalMemory record = GetPrinterRecord(printer, 2);
    if (!record.IsValid())
        return PrinterRecordUnread;
    const PRINTER_INFO_2A* info = static_cast<const PRINTER_INFO_2A*>(record.Get());
    if (driverName && info->pDriverName)
        *driverName = info->pDriverName;
    // A printer another administrator deleted while a handle to it is open
    // stays, pending, until the handle is closed: it is gone all the same.
    if (info->Status & PRINTER_STATUS_PENDING_DELETION)
        return PrinterRecordOtherName;
    return !info->pPrinterName || MbCompareNoCase(info->pPrinterName, name) == 0 ? PrinterRecordBearsName
                                                                                 : PrinterRecordOtherName;
}
