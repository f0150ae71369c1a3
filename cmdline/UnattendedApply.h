// The apply run from the command line: the printers the main dialog lists
// and the set its drop-down offers, found by the names typed, then the apply
// itself (for one printer, several or every one) with CUnattendedAnswers,
// which writes one output line per step done or failed.
#pragma once

#include "cmdline/CommandLine.h"
#include "cmdline/RunLog.h"
#include "cmdline/RunOutput.h"
#include "cmdline/UnattendedExitCodes.h"
#include "operation/ApplyOutcome.h"
#include "printers/PrinterSnapshot.h"
#include "settings/KPXSetupINI.h"

#include <functional>
#include <string>
#include <vector>

// The exit code of the run (an apply or a removal), against the printers of
// a taken snapshot, and what it changed. The printer and the set are matched
// as typed, without regard to case.
UnattendedExitCode RunUnattendedApply(const CKPXSetupINI& toolIni, CPrinterSnapshot& printers,
                                      const CommandOptions& options, CRunOutput& output, RunChange& change);

// The request for the printers and the set the options name, as the spooler
// and the tool settings file spell them: every listed printer for
// /printer:* (those that cannot be set are skipped then), else each named
// one once; for one printer the new name, or the former name of a rename
// run again. ExitDone, or the code of the first that is not there (its line
// written).
UnattendedExitCode FindNamedPrinters(const CKPXSetupINI& toolIni, CPrinterSnapshot& printers,
                                     const CommandOptions& options, CRunOutput& output, ApplyRequest& request);

// Under /printer:*, a line for each printer of a supported driver that
// cannot be opened for administration (left out); true when there was one.
bool TellUnusablePrinters(CPrinterSnapshot& printers, const CommandOptions& options, CRunOutput& output);

// With /csv, the rows of a run over printers that went past its checks: one
// per printer of a supported driver that cannot be opened (under
// /printer:*, kCsvSkipped), then one per requested printer in its order:
// kCsvSkipped for one left out (skipped), row(printer) for each other.
void WritePrinterRows(CPrinterSnapshot& printers, const CommandOptions& options, const ApplyRequest& request,
                      const std::vector<std::pair<std::string, ApplyStop>>& skipped, CRunOutput& output,
                      const std::function<void(const std::string& printer)>& row);

// The exit code for what the apply did. When both a copy and the rename
// failed, the copy (ExitCopyFailed): the printer then prints with profiles
// other than the recorded ones.
UnattendedExitCode ApplyExitCode(const ApplyOutcome& outcome);
// The same for a whole apply: the most serious of its printers' codes (the
// stop's when it stopped before writing); ExitNoPrinter when every printer
// was skipped.
UnattendedExitCode ApplyExitCode(const ApplyResult& result);
