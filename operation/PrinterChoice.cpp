#include "operation/PrinterChoice.h"

#include "classlib/MbString.h"

#include <algorithm>

std::string FindListedPrinter(CPrinterSnapshot& printers, const std::string& typed)
{
    for (const PrinterRow& row : printers.ListedRows()) {
        if (::lstrcmpiA(row.name.c_str(), typed.c_str()) == 0)
            return row.name;
    }
    return std::string();
}

std::vector<std::string> AllListedPrinters(CPrinterSnapshot& printers)
{
    std::vector<std::string> names;
    for (const PrinterRow& row : printers.ListedRows())
        names.push_back(row.name);
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return MbCompareNoCase(a, b) < 0; });
    return names;
}

std::string AlreadyRenamedTo(CPrinterSnapshot& printers, const std::string& typed, const std::string& newName)
{
    // A printer of that name of any driver, usable or not, is no rename done.
    if (newName.empty() || printers.KnowsName(typed))
        return std::string();
    return FindListedPrinter(printers, newName);
}
