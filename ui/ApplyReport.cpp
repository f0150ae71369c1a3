#include "ui/ApplyReport.h"

#include "classlib/SystemMessage.h"
#include "classlib/WinApp.h"
#include "install/TemplateFormat.h"
#include "res/resource.h"

namespace {

// One line of the list: the step, and the system's reason when there is one.
std::string Item(UINT format, const std::string& value, DWORD error = 0)
{
    std::string line = "\n\x81\x45" + FormatTemplateText(LoadResString(format), value);  // "・"
    const std::string reason = SystemMessage(error);
    if (!reason.empty())
        line += ": " + reason;
    return line;
}

} // namespace

std::string ApplyReportText(const ApplyRequest& request, const ApplyOutcome& outcome)
{
    switch (outcome.stop) {
    case ApplyDeclined:
        return std::string();
    case ApplyUnrecordable:
        return FormatTemplateText(LoadResString(IDS_PRINTER_UNRECORDABLE), request.printer);
    case ApplyNewNameRefused:
        return LoadResString(IDS_NAME_BLANK_EDGE);
    case ApplyPrinterGone:
        return FormatTemplateText(LoadResString(IDS_PRINTER_GONE), request.printer);
    case ApplyBadProfileFile:
        return FormatTemplateText(LoadResString(IDS_BAD_PROFILE_FILE),
                                  std::string(ProfileKeyName(outcome.badKind)) + "=" + outcome.badFile);
    case ApplySourceGivenUp:
    case ApplyNotRecorded:
        return LoadResString(IDS_CHANGE_FAILED);
    case ApplyFileNameClash:
        return FormatTemplateText(LoadResString(IDS_FILE_NAME_CLASH), outcome.clashingFile);
    case ApplyCompleted:
        break;
    }
    if (outcome.Complete())
        return std::string();

    std::string text = LoadResString(IDS_APPLY_INCOMPLETE);
    for (const FailedCopy& failed : outcome.copies.failed)
        text += Item(IDS_COPY_FAILED_ITEM, failed.target, failed.error);
    if (outcome.rename == RenameRefused)
        text += Item(IDS_RENAME_REFUSED_ITEM, request.newName, outcome.renameError);
    if (outcome.rename == RenameSkippedUnreadable)
        text += Item(IDS_RENAME_SKIPPED_ITEM, request.newName);
    if (outcome.sectionLeftBehind)
        text += Item(IDS_SECTION_LEFT_ITEM, request.printer);
    return text;
}
