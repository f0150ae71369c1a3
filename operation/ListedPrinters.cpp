#include "operation/ListedPrinters.h"

#include "classlib/MbString.h"
#include "settings/DriverINI.h"

#include <algorithm>

std::vector<PrinterRow> SortedListedRows(CPrinterSnapshot& printers)
{
    std::vector<PrinterRow> rows = printers.ListedRows();
    std::stable_sort(rows.begin(), rows.end(),
                     [](const PrinterRow& a, const PrinterRow& b) { return NoCaseLess()(a.name, b.name); });
    return rows;
}

std::vector<ListedPrinter> ReadListedPrinters(CPrinterSnapshot& printers)
{
    std::vector<ListedPrinter> listed;
    std::vector<PrinterRow> rows = SortedListedRows(printers);
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
    return listed;
}
