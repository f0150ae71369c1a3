#include "cmdline/UnattendedCheck.h"

#include "classlib/MbString.h"
#include "classlib/SystemMessage.h"
#include "classlib/WinApp.h"
#include "cmdline/FewNames.h"
#include "cmdline/UnattendedAnswers.h"
#include "cmdline/UnattendedApply.h"
#include "operation/ProfileSet.h"
#include "operation/ProfileSetApply.h"
#include "operation/ProfileSetCheck.h"
#include "report/ApplyStopText.h"
#include "res/resource.h"

namespace {

// The line for one difference: the printer, what differs, and its detail.
std::string FindingLine(const CheckFinding& finding)
{
    static const struct {
        CheckDifference what;
        UINT text;
    } kTexts[] = {
        {CheckNoRecord, IDS_CMD_CHECK_NO_RECORD},       {CheckOtherSet, IDS_CMD_CHECK_OTHER_SET},
        {CheckFileName, IDS_CMD_CHECK_FILE_NAME},       {CheckFileMissing, IDS_CMD_CHECK_FILE_MISSING},
        {CheckFileDiffers, IDS_CMD_CHECK_FILE_DIFFERS}, {CheckFileUnreadable, IDS_CMD_CHECK_UNREADABLE},
    };
    for (const auto& entry : kTexts) {
        if (entry.what != finding.what)
            continue;
        const std::string line = FormatResString(entry.text, {finding.printer}) + finding.detail;
        return finding.what == CheckFileUnreadable ? WithReason(line, finding.error) : line;
    }
    return finding.printer;
}

// A target that several printers share (a file of the system directory, or
// of one driver directory) is told once, for all of them: the same finding
// of the same path joins their names, the first few and the count of the
// rest (a print server's forty printers would make a line of a thousand
// characters; each printer's CSV row keeps its own findings).
std::vector<CheckFinding> SharedFilesOnce(const std::vector<CheckFinding>& findings)
{
    std::vector<CheckFinding> joined;
    std::vector<std::vector<std::string>> names; // each joined finding's printers
    for (const CheckFinding& finding : findings) {
        const bool aboutFile =
            finding.what == CheckFileMissing || finding.what == CheckFileDiffers || finding.what == CheckFileUnreadable;
        CheckFinding* same = nullptr;
        for (CheckFinding& earlier : joined) {
            if (aboutFile && earlier.what == finding.what && MbCompareNoCase(earlier.detail, finding.detail) == 0)
                same = &earlier;
        }
        if (same) {
            names[same - joined.data()].push_back(finding.printer);
        } else {
            joined.push_back(finding);
            names.push_back({finding.printer});
        }
    }
    for (size_t i = 0; i < joined.size(); ++i)
        joined[i].printer = FewNamesAndTheRest(names[i]);
    return joined;
}

} // namespace

UnattendedExitCode RunUnattendedCheck(const CKPXSetupINI& toolIni, CPrinterSnapshot& printers,
                                      const CommandOptions& options, CRunOutput& output)
{
    ApplyRequest request;
    const UnattendedExitCode found = FindNamedPrinters(toolIni, printers, options, output, request);
    if (found != ExitDone)
        return found;

    // The set's files as the apply would take them: a missing source, a file
    // that is no profile file or that others may change, or two of one file
    // name end the check as they end the apply (nothing is asked: a missing
    // file is given up).
    const bool unusable = TellUnusablePrinters(printers, options, output);
    CUnattendedAnswers answers(true, output);
    ProfileSetFiles set;
    const SetFault fault = ReadProfileSet(
        toolIni, request.setName,
        [&answers](std::string& path, DWORD error) { return answers.SourceFileMissing(path, error); }, set);
    if (fault != SetFilesOk) {
        ApplyOutcome setOutcome;
        setOutcome.stop = ApplyStopFor(fault);
        setOutcome.badFile = set.badFile;
        setOutcome.badKind = set.badKind;
        setOutcome.trust = set.trust;
        setOutcome.clashingFile = set.clashingFile;
        const std::string first = request.printers.empty() ? std::string() : request.printers.front();
        answers.ApplyEnded(PrinterRequest{first, request.setName, std::string()}, setOutcome);
        return ApplyExitCode(setOutcome);
    }

    const CheckOutcome outcome = CheckProfileSet(request, printers, set.paths);
    for (const auto& skipped : outcome.skipped)
        answers.PrinterSkipped(PrinterRequest{skipped.first, request.setName, skipped.first}, skipped.second);
    if (outcome.stop != ApplyCompleted) {
        ApplyOutcome stopped;
        stopped.stop = outcome.stop;
        if (!outcome.stoppedAt.empty())
            answers.ApplyEnded(PrinterRequest{outcome.stoppedAt, request.setName, outcome.stoppedAt}, stopped);
        return ApplyExitCode(stopped);
    }
    // A file several printers share is one line; each printer's row still
    // tells its own findings.
    for (const CheckFinding& finding : SharedFilesOnce(outcome.findings))
        output.Line(FindingLine(finding));
    for (const CheckFinding& finding : outcome.findings)
        output.KeepPrinterLine(finding.printer, FindingLine(finding));
    // The findings come by printer, in the request's order.
    size_t at = 0;
    WritePrinterRows(printers, options, request, outcome.skipped, output, [&](const std::string& printer) {
        const size_t first = at;
        while (at < outcome.findings.size() && outcome.findings[at].printer == printer)
            ++at;
        output.PrinterRow(printer, request.setName, at != first ? kCsvDiffers : kCsvMatches,
                          at != first ? ExitCheckFailed : ExitDone);
    });
    if (!outcome.findings.empty())
        return ExitCheckFailed;
    output.Line(FormatResString(IDS_CMD_CHECK_PASSED, {request.setName}));
    return unusable || !outcome.skipped.empty() ? ExitPrintersLeftOut : ExitDone;
}
