// The printers of a taken snapshot as the command line's /list gives them:
// one line per printer the main dialog lists (usable, of a supported
// driver), in the dialog's first order (by name, without regard to case),
// with its name, the set the driver settings file records for it (empty when
// none), its port and its driver, separated by tabs. A printer of a
// supported driver that cannot be opened is no row of the list, but it is
// there: named in a line of its own after them.
#pragma once

#include "cmdline/RunOutput.h"
#include "printers/PrinterSnapshot.h"

// The lines, and with /csv a row for each line (kCsvListed, or kCsvSkipped
// for a printer that cannot be opened).
void ListPrinters(CPrinterSnapshot& printers, CRunOutput& output);
