#include "cmdline/PrinterListing.h"

#include "operation/ListedPrinters.h"

std::vector<std::string> PrinterListLines(CPrinterSnapshot& printers)
{
    std::vector<std::string> lines;
    for (const ListedPrinter& listed : ReadListedPrinters(printers)) {
        const PrinterRow& row = listed.printer;
        lines.push_back(row.name + '\t' + listed.setName + '\t' + row.port + '\t' + row.driver);
    }
    return lines;
}
