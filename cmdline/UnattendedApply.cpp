#include "cmdline/UnattendedApply.h"

#include "classlib/MbString.h"
#include "classlib/WinApp.h"
#include "operation/ApplyStopText.h"
#include "cmdline/LineText.h"
#include "cmdline/UnattendedAnswers.h"
#include "res/resource.h"

namespace {

// The printer's name as the spooler spells it, when it is one the main
// dialog lists (usable, of a supported driver); empty otherwise.
std::string FindListedPrinter(CPrinterSnapshot& printers, const std::string& typed)
{
    for (const PrinterRow& row : printers.ListedRows()) {
        // Printer names match without regard to case, as in the spooler.
        if (::lstrcmpiA(row.name.c_str(), typed.c_str()) == 0)
            return row.name;
    }
    return std::string();
}

// The set's name as the tool settings file spells it, when the drop-down
// offers it; empty otherwise.
std::string FindOfferedSet(const CKPXSetupINI& toolIni, const std::string& typed)
{
    for (const std::string& name : toolIni.GetSetNames()) {
        if (MbCompareNoCase(name, typed) == 0)
            return name;
    }
    return std::string();
}

} // namespace

UnattendedExitCode RunUnattendedApply(const CKPXSetupINI& toolIni, CPrinterSnapshot& printers,
                                      const CommandOptions& options, CRunOutput& output)
{
    const std::string printer = FindListedPrinter(printers, options.printer);
    if (printer.empty()) {
        output.Line(FormatResString(IDS_CMD_PRINTER_NOT_FOUND, options.printer));
        return ExitNoPrinter;
    }
    const std::string setName = FindOfferedSet(toolIni, options.setName);
    if (setName.empty()) {
        output.Line(FormatResString(IDS_CMD_SET_NOT_FOUND, options.setName));
        return ExitNoSettings;
    }
    const std::string newName = options.rename ? options.newName : printer;
    const NewNameVerdict verdict = CheckNewName(printers, newName, printer);
    if (!NewNamePasses(verdict)) {
        output.Line(PrinterLine(printer, NewNameRefusalText(verdict, newName, printer)));
        return ExitNameRefused;
    }

    CUnattendedAnswers answers(options.overwrite, output);
    CProfileSetApply apply(toolIni, answers);
    return ApplyExitCode(apply.Run(ApplyRequest{printer, setName, newName}, printers));
}

UnattendedExitCode ApplyExitCode(const ApplyOutcome& outcome)
{
    switch (outcome.stop) {
    case ApplySourceGivenUp:
    case ApplyFileNameClash:
    case ApplyBadProfileFile:
        return ExitSourceMissing;
    case ApplyNewNameRefused:
        return ExitNameRefused;
    case ApplyUnrecordable:
    case ApplyPrinterGone:
        return ExitNoPrinter;
    case ApplyDeclined:
    case ApplyNotRecorded:
        return ExitNotRecorded;
    case ApplyCompleted:
        break;
    }
    if (!outcome.copies.failed.empty())
        return ExitCopyFailed;
    if (!outcome.Complete())
        return ExitRenameFailed;
    // The failures' codes above win over this one: 7, then 8, then 9, then 3010.
    if (!outcome.copies.atRestart.empty())
        return ExitRestartRequired;
    return ExitDone;
}
