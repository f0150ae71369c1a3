// The apply run from the command line: the same checks a Set click meets
// before it starts (the printer one the main dialog lists, the set one its
// drop-down offers, the new name one the name edit and its check accept),
// then the apply itself with CUnattendedAnswers, which writes one output line
// per step done or failed. With several printers, or every printer, the
// operation's apply for several printers runs instead.
#pragma once

#include "cmdline/CommandLine.h"
#include "operation/ProfileSetApply.h"
#include "cmdline/UnattendedExitCodes.h"
#include "cmdline/RunOutput.h"
#include "printers/PrinterSnapshot.h"
#include "settings/KPXSetupINI.h"

#include <string>
#include <vector>

// The exit code of the run, against the printers of a taken snapshot. The
// printer and the set are matched as typed, without regard to case.
UnattendedExitCode RunUnattendedApply(const CKPXSetupINI& toolIni, CPrinterSnapshot& printers,
                                      const CommandOptions& options, CRunOutput& output);

// The request for the printers and the set the options name, as the spooler
// and the tool settings file spell them: every listed printer for
// /printer:* (those that cannot be set are skipped then), else each named
// one once. ExitDone, or the code of the first that is not there (its line
// written).
UnattendedExitCode FindNamedPrinters(const CKPXSetupINI& toolIni, CPrinterSnapshot& printers,
                                     const CommandOptions& options, CRunOutput& output, FleetRequest& request);

// The exit code for what the apply did. When both a copy and the rename
// failed, the copy (ExitCopyFailed): the printer then prints with profiles
// other than the recorded ones.
UnattendedExitCode ApplyExitCode(const ApplyOutcome& outcome);
// The same for an apply to several printers: the stop's code when it
// stopped before writing, else the most serious of the printers' codes.
UnattendedExitCode FleetExitCode(const FleetOutcome& outcome);
// The more serious of two codes of applies that ran: 7, then 8, then 9,
// then 3010, then 0.
UnattendedExitCode MoreSerious(UnattendedExitCode a, UnattendedExitCode b);
