// The apply run from the command line: the same checks a Set click meets
// before it starts (the printer one the main dialog lists, the set one its
// drop-down offers, the new name one the name edit and its check accept),
// then the apply itself with CUnattendedAnswers, which writes one output line
// per step done or failed.
#pragma once

#include "cmdline/CommandLine.h"
#include "operation/ProfileSetApply.h"
#include "cmdline/UnattendedExitCodes.h"
#include "cmdline/RunOutput.h"
#include "printers/PrinterSnapshot.h"
#include "settings/KPXSetupINI.h"

#include <string>

// The exit code of the run, against the printers of a taken snapshot. The
// printer and the set are matched as typed, without regard to case.
UnattendedExitCode RunUnattendedApply(const CKPXSetupINI& toolIni, CPrinterSnapshot& printers,
                                      const CommandOptions& options, CRunOutput& output);

// The exit code for what the apply did. When both a copy and the rename
// failed, the copy (ExitCopyFailed): the printer then prints with profiles
// other than the recorded ones.
UnattendedExitCode ApplyExitCode(const ApplyOutcome& outcome);
