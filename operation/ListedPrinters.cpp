#include "operation/ListedPrinters.h"

#include "classlib/MbString.h"
#include "settings/DriverINI.h"

#include <algorithm>

std::vector<ListedPrinter> ReadListedPrinters(CPrinterSnapshot& printers)
{
    std::vector<ListedPrinter> listed;
    std::vector<PrinterRow> rows = printers.ListedRows();
    if (rows.empty())
        return listed;
    // One read session of the driver settings file serves every row.
    CDriverINI driverIni;
    for (PrinterRow& row : rows) {
        ListedPrinter entry;
        entry.recorded = driverIni.ReadProfileSetName(row.name, entry.setName) != FALSE;
        if (!entry.recorded)
            entry.setName.clear();
        entry.printer = std::move(row);
        listed.push_back(std::move(entry));
    }
    std::stable_sort(listed.begin(), listed.end(), [](const ListedPrinter& a, const ListedPrinter& b) {
        return MbCompareNoCase(a.printer.name, b.printer.name) < 0;
    });
    return listed;
}
