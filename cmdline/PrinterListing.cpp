#include "cmdline/PrinterListing.h"

#include "classlib/MbString.h"
#include "settings/DriverINI.h"

#include <algorithm>

std::vector<std::string> PrinterListLines(CPrinterSnapshot& printers)
{
    struct Row {
        std::string name;
        std::string line;
    };
    std::vector<Row> rows;
    CDriverINI driverIni;
    for (unsigned i : printers.Listed()) {
        const PRINTER_INFO_2A* printer = printers.List().GetItem(i);
        const std::string name = printer->pPrinterName;
        std::string setName;
        driverIni.ReadProfileSetName(name, setName);
        rows.push_back({name, name + '\t' + setName + '\t' + (printer->pPortName ? printer->pPortName : "") + '\t' +
                                  printer->pDriverName});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return MbCompareNoCase(a.name, b.name) < 0; });
    std::vector<std::string> lines;
    for (const Row& row : rows)
        lines.push_back(row.line);
    return lines;
}
