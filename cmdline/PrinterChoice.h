// Which listed printers a command line's /printer switches name: the
// printers the main dialog lists (usable, of a supported driver), matched
// without regard to case as the spooler matches printer names.
#pragma once

#include "printers/PrinterSnapshot.h"

#include <string>
#include <vector>

// The printer's name as the spooler spells it, when the dialog lists it;
// empty otherwise.
std::string FindListedPrinter(CPrinterSnapshot& printers, const std::string& typed);

// Every listed printer, in the dialog's first order (by name without regard
// to case, the spooler's order where names compare equal).
std::vector<std::string> AllListedPrinters(CPrinterSnapshot& printers);

// A rename run again after it succeeded: no printer at all is called typed,
// but a listed one is called newName. Its name as the spooler spells it, else empty.
std::string AlreadyRenamedTo(CPrinterSnapshot& printers, const std::string& typed, const std::string& newName);
