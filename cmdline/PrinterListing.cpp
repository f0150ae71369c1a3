#include "cmdline/PrinterListing.h"

#include "classlib/WinApp.h"
#include "cmdline/UnattendedExitCodes.h"
#include "operation/ListedPrinters.h"
#include "res/resource.h"

void ListPrinters(CPrinterSnapshot& printers, CRunOutput& output)
{
    for (const ListedPrinter& listed : ReadListedPrinters(printers)) {
        const PrinterRow& row = listed.printer;
        output.Line(row.name + '\t' + listed.setName + '\t' + row.port + '\t' + row.driver);
        CsvRecord record;
        record.printer = row.name;
        record.set = listed.setName;
        record.port = row.port;
        record.driver = row.driver;
        record.result = kCsvListed;
        output.Row(record);
    }
    for (const std::string& name : printers.UnusableNames()) {
        output.PrinterLine(name, FormatResString(IDS_CMD_PRINTER_UNUSABLE, {name}));
        output.PrinterRow(name, std::string(), kCsvSkipped, ExitDone);
    }
}
