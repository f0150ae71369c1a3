#include "install/PrinterListing.h"

#include "classlib/MbString.h"
#include "printers/PrnInfoList.h"
#include "settings/DriverINI.h"

#include <algorithm>

std::vector<std::string> PrinterListLines()
{
    struct Row {
        std::string name;
        std::string line;
    };
    std::vector<Row> rows;
    CPrnInfoList printers;
    const unsigned count = printers.Enumerate();
    CDriverINI driverIni;
    for (unsigned i = 0; i < count; ++i) {
        const char* driver = printers.GetDriverName(i);
        if (!IsSupportedDriver(driver))
            continue;
        // Each query asks the spooler again: a printer that went away since
        // the driver test gives no name and is skipped.
        const char* name = printers.GetPrinterName(i);
        if (!name)
            continue;
        const char* port = printers.GetPortName(i);
        std::string setName;
        driverIni.ReadProfileSetName(name, setName);
        rows.push_back({name, std::string(name) + '\t' + setName + '\t' + (port ? port : "") + '\t' + driver});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return MbCompareNoCase(a.name, b.name) < 0; });
    std::vector<std::string> lines;
    for (const Row& row : rows)
        lines.push_back(row.line);
    return lines;
}
