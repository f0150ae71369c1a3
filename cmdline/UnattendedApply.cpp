#include "cmdline/UnattendedApply.h"

#include "classlib/MbString.h"
#include "classlib/SystemMessage.h"
#include "classlib/WinApp.h"
#include "operation/ApplyStopText.h"
#include "cmdline/UnattendedAnswers.h"
#include "platform/OsClass.h"
#include "printers/PrinterNameRules.h"
#include "printers/RenamePermission.h"
#include "res/resource.h"

namespace {

// The printer's name as the spooler spells it, when it is one the main
// dialog lists (usable, of a supported driver); empty otherwise.
std::string FindListedPrinter(CPrinterSnapshot& printers, const std::string& typed)
{
    for (unsigned i : printers.Listed()) {
        const char* name = printers.List().GetItem(i)->pPrinterName;
        // Printer names match without regard to case, as in the spooler.
        if (::lstrcmpiA(name, typed.c_str()) == 0)
            return name;
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

// The reason the new name is refused, as an output line; empty when it
// passes what the name edit and the dialog's check would let through.
std::string RefuseName(const CPrinterSnapshot& printers, const std::string& newName, const std::string& printer)
{
    switch (CheckNewPrinterName(printers.List(), printers.Count(), newName, printer)) {
    case PrinterNameEmpty:
        return LoadResString(IDS_NAME_EMPTY);
    case PrinterNameInUse:
        return LoadResString(IDS_NAME_EXISTS);
    case PrinterNameAccepted:
        break;
    }
    if (MbCompare(newName, printer) == 0)
        return std::string();  // no rename
    const OsClass os = GetOsClass();
    if (!HasOnlyAllowedPrinterNameChars(os, newName))
        return FormatResString(IDS_CMD_NAME_CHARS, newName);
    if (newName.size() > PrinterNameLimit(os))
        return FormatResString(IDS_CMD_NAME_TOO_LONG, newName);
    // The name edit is disabled for a shared printer and a connection.
    if (QueryRenameAllowed(printer.c_str()) == 0)
        return FormatResString(IDS_CMD_RENAME_NOT_ALLOWED, printer);
    return std::string();
}

void ReportOutcome(const ApplyRequest& request, const ApplyOutcome& outcome, const CUnattendedAnswers& answers,
                   CRunOutput& output)
{
    for (const std::string& target : outcome.copies.installed)
        output.Line(FormatResString(IDS_CMD_COPIED, target));
    for (const std::string& target : outcome.copies.atRestart)
        output.Line(FormatResString(IDS_CMD_AT_RESTART, target));
    for (const std::string& target : answers.KeptTargets())
        output.Line(FormatResString(IDS_CMD_KEPT, target));
    for (const FailedCopy& failed : outcome.copies.failed)
        output.Line(WithReason(FormatResString(IDS_CMD_COPY_FAILED, failed.target), failed.error));

    switch (outcome.stop) {
    case ApplySourceGivenUp:
        output.Line(WithReason(FormatResString(IDS_CMD_SOURCE_MISSING, answers.MissingSource()), answers.MissingSourceError()));
        return;
    case ApplyFileNameClash:
    case ApplyBadProfileFile:
    case ApplyUnrecordable:
    case ApplyNewNameRefused:
    case ApplyPrinterGone:
        output.Line(OneLine(ApplyStopText(request, outcome)));
        return;
    case ApplyNotRecorded:
    case ApplyDeclined:
        output.Line(LoadResString(IDS_CHANGE_FAILED));
        return;
    case ApplyCompleted:
        break;
    }
    output.Line(FormatResString(IDS_CMD_RECORDED, request.setName));
    switch (outcome.rename) {
    case RenameNotAsked:
        break;
    case RenameDone:
        output.Line(FormatResString(IDS_CMD_RENAMED, request.newName));
        break;
    case RenameRefused:
        output.Line(WithReason(FormatResString(IDS_CMD_RENAME_REFUSED, request.newName), outcome.renameError));
        break;
    case RenameSkippedUnreadable:
        output.Line(FormatResString(IDS_CMD_RENAME_SKIPPED, request.newName));
        break;
    }
    if (outcome.sectionMoved)
        output.Line(FormatResString(IDS_CMD_SECTION_MOVED, request.newName));
    if (outcome.sectionLeftBehind)
        output.Line(FormatResString(IDS_CMD_SECTION_LEFT, request.printer));
}

} // namespace

UnattendedExitCode RunUnattendedApply(const CKPXSetupINI& toolIni, CPrinterSnapshot& printers,
                                      const UnattendedApplyRequest& request, CRunOutput& output)
{
    const std::string printer = FindListedPrinter(printers, request.printer);
    if (printer.empty()) {
        output.Line(FormatResString(IDS_CMD_PRINTER_NOT_FOUND, request.printer));
        return ExitNoPrinter;
    }
    const std::string setName = FindOfferedSet(toolIni, request.setName);
    if (setName.empty()) {
        output.Line(FormatResString(IDS_CMD_SET_NOT_FOUND, request.setName));
        return ExitNoSettings;
    }
    if (request.rename) {
        const std::string refusal = RefuseName(printers, request.newName, printer);
        if (!refusal.empty()) {
            output.Line(refusal);
            return ExitNameRefused;
        }
    }

    CUnattendedAnswers answers(request.overwrite);
    CProfileSetApply apply(toolIni, answers);
    const ApplyRequest applyRequest{printer, setName, request.rename ? request.newName : printer};
    const ApplyOutcome outcome = apply.Run(applyRequest);
    ReportOutcome(applyRequest, outcome, answers, output);
    return ApplyExitCode(outcome);
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
