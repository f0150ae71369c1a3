#include "cmdline/UnattendedApply.h"

#include "classlib/MbString.h"
#include "classlib/WinApp.h"
#include "cmdline/LineText.h"
#include "cmdline/LostCharacter.h"
#include "cmdline/PrinterChoice.h"
#include "cmdline/UnattendedAnswers.h"
#include "operation/ProfileSetApply.h"
#include "report/ApplyStopText.h"
#include "res/resource.h"

#include <algorithm>

namespace {

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

UnattendedExitCode FindSet(const CKPXSetupINI& toolIni, const CommandOptions& options, CRunOutput& output,
                           std::string& setName)
{
    setName = FindOfferedSet(toolIni, options.setName);
    if (setName.empty()) {
        output.Line(FormatResString(IDS_CMD_SET_NOT_FOUND, {options.setName}));
        // The names a script could have meant, as the file spells them, each
        // quoted as /set takes it: a name may hold a comma or a blank.
        std::string offered;
        for (const std::string& name : toolIni.GetSetNames())
            offered += (offered.empty() ? "\"" : ", \"") + name + "\"";
        output.Line(FormatResString(IDS_CMD_SETS_OFFERED, {offered}));
        return ExitNoSettings;
    }
    return RefuseLostCharacter(toolIni, setName, output) ? ExitSourceMissing : ExitDone;
}

// The names without the printers /skip leaves out (matched as /printer is).
std::vector<std::string> WithoutSkipped(std::vector<std::string> names, const CommandOptions& options)
{
    names.erase(std::remove_if(names.begin(), names.end(),
                               [&](const std::string& name) { return HoldsNoCase(options.skipped, name); }),
                names.end());
    return names;
}

// Whether the apply changed anything, or found everything in place. A kept
// target (/overwrite:no) may differ from the set's file: not in place.
RunChange ChangeOf(const ApplyResult& result, bool keptAny)
{
    bool inPlace = result.stop == ApplyCompleted && !result.printers.empty() && !keptAny;
    for (const PrinterApplied& printer : result.printers) {
        if (printer.outcome.Changed())
            return RunChanged;
        inPlace = inPlace && printer.outcome.Complete();
    }
    return inPlace ? RunNothingToChange : RunChangedNothing;
}

// The row's word for one printer's part.
const char* RowResult(const ApplyRequest& request, const ApplyOutcome& outcome, UnattendedExitCode code)
{
    if (code == ExitRestartRequired)
        return kCsvRestart;
    if (code != ExitDone)
        return kCsvFailed;
    if (!outcome.Changed())
        return kCsvUnchanged;
    return request.remove ? kCsvRemoved : kCsvDone;
}

// The more serious of two codes of applies that ran: 7, then 8, then 9,
// then 12, then 3010, then 0.
UnattendedExitCode MoreSerious(UnattendedExitCode a, UnattendedExitCode b)
{
    // From the least serious to the most.
    static const UnattendedExitCode kOrder[] = {ExitDone,         ExitRestartRequired, ExitPrintersLeftOut,
                                                ExitRenameFailed, ExitCopyFailed,      ExitNotRecorded};
    const auto rank = [](UnattendedExitCode code) {
        for (size_t i = 0; i < sizeof kOrder / sizeof kOrder[0]; ++i) {
            if (kOrder[i] == code)
                return i;
        }
        return sizeof kOrder / sizeof kOrder[0]; // any other code ends the run before it writes
    };
    return rank(b) > rank(a) ? b : a;
}

} // namespace

UnattendedExitCode RunUnattendedApply(const CKPXSetupINI& toolIni, CPrinterSnapshot& printers,
                                      const CommandOptions& options, CRunOutput& output, RunChange& change)
{
    ApplyRequest request;
    const UnattendedExitCode found = FindNamedPrinters(toolIni, printers, options, output, request);
    if (found != ExitDone)
        return found;
    request.remove = options.mode == CommandRemove;
    request.tellOtherPrinters = true;
    const bool unusable = TellUnusablePrinters(printers, options, output);
    CUnattendedAnswers answers(options.overwrite, output, request.remove);
    CProfileSetApply apply(toolIni, answers);
    const ApplyResult result = apply.Run(request, printers);
    change = ChangeOf(result, answers.KeptAny());
    const UnattendedExitCode code = ApplyExitCode(result);
    // A run that stopped before it wrote has no printer rows: its one row
    // says why (CRunOutput::EndCsv).
    if (result.stop == ApplyCompleted) {
        // The printers applied to come in the request's order.
        size_t next = 0;
        WritePrinterRows(printers, options, request, result.skipped, output, [&](const std::string& printer) {
            if (next == result.printers.size() || result.printers[next].request.printer != printer)
                return;
            const PrinterApplied& applied = result.printers[next++];
            const ApplyOutcome& outcome = applied.outcome;
            const UnattendedExitCode own = ApplyExitCode(outcome);
            // The copies (or deletions) that made the code what it is; a
            // removal's row names every file it deleted.
            std::vector<std::string> targets = outcome.copies.atRestart;
            for (const FailedCopy& failed : outcome.copies.failed)
                targets.push_back(failed.target);
            if (request.remove)
                targets.insert(targets.end(), outcome.copies.installed.begin(), outcome.copies.installed.end());
            output.PrinterRow(printer, applied.request.setName, RowResult(request, outcome, own), own, targets);
        });
    }
    // Every printer was asked for, and some could not be set: that is no
    // "everything done".
    return unusable || !result.skipped.empty() ? MoreSerious(code, ExitPrintersLeftOut) : code;
}

bool TellUnusablePrinters(CPrinterSnapshot& printers, const CommandOptions& options, CRunOutput& output)
{
    if (!options.allPrinters)
        return false;
    const std::vector<std::string> names = WithoutSkipped(printers.UnusableNames(), options);
    for (const std::string& name : names)
        output.PrinterLine(name,
                           FormatResString(IDS_CMD_PRINTER_UNUSABLE, {name}) + LoadResString(IDS_CMD_PRINTER_SKIPPED));
    return !names.empty();
}

void WritePrinterRows(CPrinterSnapshot& printers, const CommandOptions& options, const ApplyRequest& request,
                      const std::vector<std::pair<std::string, ApplyStop>>& skipped, CRunOutput& output,
                      const std::function<void(const std::string& printer)>& row)
{
    if (!output.WritesCsv())
        return;
    if (options.allPrinters) {
        for (const std::string& name : WithoutSkipped(printers.UnusableNames(), options))
            output.PrinterRow(name, request.setName, kCsvSkipped, ExitPrintersLeftOut);
    }
    for (const std::string& printer : request.printers) {
        const bool left = std::any_of(skipped.begin(), skipped.end(),
                                      [&](const std::pair<std::string, ApplyStop>& s) { return s.first == printer; });
        if (left)
            output.PrinterRow(printer, request.setName, kCsvSkipped, ExitPrintersLeftOut);
        else
            row(printer);
    }
}

UnattendedExitCode FindNamedPrinters(const CKPXSetupINI& toolIni, CPrinterSnapshot& printers,
                                     const CommandOptions& options, CRunOutput& output, ApplyRequest& request)
{
    request.skipUnusable = options.allPrinters;
    std::vector<std::string>& found = request.printers;
    found.clear();
    if (options.allPrinters) {
        found = WithoutSkipped(AllListedPrinters(printers), options);
    } else if (options.printers.size() == 1) {
        const std::string& typed = options.printers.front();
        found.push_back(FindListedPrinter(printers, typed));
        // Run again after the rename succeeded: the printer already has its
        // new name, and the apply goes to it.
        if (found.front().empty() && options.rename) {
            found.front() = AlreadyRenamedTo(printers, typed, options.newName);
            if (!found.front().empty())
                request.formerName = typed;
        }
        if (found.front().empty()) {
            output.Line(FormatResString(IDS_CMD_PRINTER_NOT_FOUND, {typed}));
            return ExitNoPrinter;
        }
        request.newName = options.rename && request.formerName.empty() ? options.newName : found.front();
    } else {
        for (const std::string& typed : options.printers) {
            const std::string printer = FindListedPrinter(printers, typed);
            if (printer.empty()) {
                output.Line(FormatResString(IDS_CMD_PRINTER_NOT_FOUND, {typed}));
                return ExitNoPrinter;
            }
            // A printer named twice is set once.
            if (std::find(found.begin(), found.end(), printer) == found.end())
                found.push_back(printer);
        }
    }
    // A removal takes whatever set each record names.
    if (options.mode == CommandRemove)
        return ExitDone;
    return FindSet(toolIni, options, output, request.setName);
}

UnattendedExitCode ApplyExitCode(const ApplyOutcome& outcome)
{
    switch (outcome.stop) {
    case ApplySourceGivenUp:
    case ApplyFileNameClash:
    case ApplyBadProfileFile:
    case ApplyUntrustedSource:
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

UnattendedExitCode ApplyExitCode(const ApplyResult& result)
{
    // Every printer skipped: no printer could be set.
    if (result.printers.empty())
        return ExitNoPrinter;
    UnattendedExitCode code = ExitDone;
    for (const PrinterApplied& printer : result.printers)
        code = MoreSerious(code, ApplyExitCode(printer.outcome));
    return code;
}
