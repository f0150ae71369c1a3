#include "ui/ApplyReport.h"

#include "classlib/SystemMessage.h"
#include "classlib/WinApp.h"
#include "report/ApplyStopText.h"
#include "report/RenameReason.h"
#include "res/resource.h"

namespace {

// One line of the list: the step, and the system's reason when there is one.
std::string Item(UINT format, const std::string& value, DWORD error = 0)
{
    return "\n\x81\x45" + WithReason(FormatResString(format, {value}), error); // "・"
}

} // namespace

std::string ApplyReportText(const PrinterRequest& request, const ApplyOutcome& outcome)
{
    switch (outcome.stop) {
    case ApplyDeclined:
        return std::string();
    case ApplyUnrecordable:
    case ApplyNewNameRefused:
    case ApplyPrinterGone:
    case ApplyBadProfileFile:
    case ApplyUntrustedSource:
    case ApplyFileNameClash:
        return ApplyStopText(request, outcome);
    case ApplySourceGivenUp:
    case ApplyNotRecorded:
        return LoadResString(IDS_CHANGE_FAILED);
    case ApplyCompleted:
        break;
    }
    // Files in use are replaced at the restart: one line each, after the
    // report's own.
    std::string atRestart;
    for (const std::string& target : outcome.copies.atRestart)
        atRestart += "\n\x81\x45" + target; // "・"
    // Targets that already were the set's files were left unasked: told so.
    std::string inPlace;
    for (const std::string& target : outcome.copies.inPlace)
        inPlace += "\n\x81\x45" + target; // "・"
    if (outcome.Complete() && atRestart.empty())
        return inPlace.empty() ? std::string() : LoadResString(IDS_APPLY_IN_PLACE) + inPlace;
    const std::string inPlaceAfter =
        inPlace.empty() ? std::string() : "\n" + LoadResString(IDS_IN_PLACE_HEAD) + inPlace;
    if (outcome.Complete())
        return LoadResString(IDS_APPLY_AT_RESTART) + atRestart + inPlaceAfter;

    std::string text = LoadResString(IDS_APPLY_INCOMPLETE);
    for (const FailedCopy& failed : outcome.copies.failed)
        text += Item(IDS_COPY_FAILED_ITEM, failed.target, failed.error);
    if (outcome.rename == RenameRefused)
        text += "\n\x81\x45" + WithRenameReason(FormatResString(IDS_RENAME_REFUSED_ITEM, {request.newName}),
                                                outcome.renameError); // "・"
    if (outcome.rename == RenameSkippedUnreadable)
        text += Item(IDS_RENAME_SKIPPED_ITEM, request.newName);
    if (outcome.sectionLeftBehind)
        text += Item(IDS_SECTION_LEFT_ITEM, request.printer);
    if (!atRestart.empty())
        text += "\n" + LoadResString(IDS_AT_RESTART_HEAD) + atRestart;
    return text + inPlaceAfter;
}
