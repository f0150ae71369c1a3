// The printers the tool offers, each with the set the driver settings file
// records for it: what the main dialog's list shows and what /list prints,
// read once through one read session of the file.
#pragma once

#include "printers/PrinterSnapshot.h"

#include <string>
#include <vector>

struct ListedPrinter {
    PrinterRow printer;
    bool recorded = false; // the file records a set for the printer
    std::string setName;   // that set; empty when none is recorded
};

// The listed printers of the snapshot in the order the tool shows them: by
// name without regard to case (the spooler's order where names compare
// equal).
std::vector<PrinterRow> SortedListedRows(CPrinterSnapshot& printers);

// The same, each with the set the driver settings file records for it.
std::vector<ListedPrinter> ReadListedPrinters(CPrinterSnapshot& printers);
