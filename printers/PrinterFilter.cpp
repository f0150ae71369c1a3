#include "printers/PrinterFilter.h"

#include "classlib/WinApp.h"
#include "printers/PrinterHandle.h"
#include "res/resource.h"

#include <utility>

bool IsPrinterUsable(const PRINTER_INFO_2A* pInfo, CPrinterHandle* opened)
{
    // OpenPrinterA reads a null or empty name as the local print server, which
    // an administrator can open: such a record must not count as a printer.
    if (!pInfo || !pInfo->pPrinterName || !*pInfo->pPrinterName)
        return false;
    // A connection whose server is unknown is not opened at all: the open
    // would only wait for a server that does not answer.
    if (pInfo->Status & PRINTER_STATUS_SERVER_UNKNOWN)
        return false;
    // Full access: the tool renames printers and installs files for their
    // driver, which a user who may only print cannot do.
    CPrinterHandle handle = OpenPrinterHandle(pInfo->pPrinterName, PRINTER_ALL_ACCESS);
    if (!handle.IsValid())
        return false;
    if (opened)
        *opened = std::move(handle);
    return true;
}

namespace {

// An empty text (a string missing from the table) matches nothing, so that an
// empty driver name is never taken for a supported one.
bool IsDriverNamed(const char* driverName, UINT idName)
{
    std::string name = LoadResString(idName);
    return !name.empty() && lstrcmpA(driverName, name.c_str()) == 0;
}

} // namespace

bool IsSupportedDriver(const char* driverName)
{
    if (!driverName)
        return false;
    return IsDriverNamed(driverName, IDS_DRIVER_NAME) || IsDriverNamed(driverName, IDS_DRIVER_NAME_COLOR);
}
