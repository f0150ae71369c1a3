// /check: whether the printers use the set as an apply leaves it. Changes
// nothing; one line per difference, or one line saying all is in place, so
// that a detection script can count the output.
#pragma once

#include "cmdline/CommandLine.h"
#include "cmdline/RunOutput.h"
#include "cmdline/UnattendedExitCodes.h"
#include "printers/PrinterSnapshot.h"
#include "settings/KPXSetupINI.h"

// ExitDone when every printer is as the set says, ExitCheckFailed when one
// differs, or the code of a printer, set or source file not there (as for
// the apply).
UnattendedExitCode RunUnattendedCheck(const CKPXSetupINI& toolIni, CPrinterSnapshot& printers,
                                      const CommandOptions& options, CRunOutput& output);
