// The printers of a taken snapshot as the command line's /list gives them:
// one line per printer the main dialog lists (usable, of a supported
// driver), in the dialog's first order (by name, without regard to case),
// with its name, the set the driver settings file records for it (empty when
// none), its port and its driver, separated by tabs.
#pragma once

#include "printers/PrinterSnapshot.h"

#include <string>
#include <vector>

std::vector<std::string> PrinterListLines(CPrinterSnapshot& printers);
