#include "cmdline/PrinterChoice.h"

#include "classlib/MbString.h"
#include "operation/ListedPrinters.h"

std::string FindListedPrinter(CPrinterSnapshot& printers, const std::string& typed)
{
    for (const PrinterRow& row : printers.ListedRows()) {
        if (MbCompareNoCase(row.name, typed) == 0)
            return row.name;
    }
    return std::string();
}

std::vector<std::string> AllListedPrinters(CPrinterSnapshot& printers)
{
    std::vector<std::string> names;
    for (const PrinterRow& row : SortedListedRows(printers))
        names.push_back(row.name);
    return names;
}

std::string AlreadyRenamedTo(CPrinterSnapshot& printers, const std::string& typed, const std::string& newName)
{
    // A printer of that name of any driver, usable or not, is no rename done.
    if (newName.empty() || printers.KnowsName(typed))
        return std::string();
    return FindListedPrinter(printers, newName);
}
