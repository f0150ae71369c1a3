#include "operation/ApplyStopText.h"

#include "classlib/WinApp.h"
#include "res/resource.h"

std::string ApplyStopText(const ApplyRequest& request, const ApplyOutcome& outcome)
{
    switch (outcome.stop) {
    case ApplyUnrecordable:
        return FormatResString(IDS_PRINTER_UNRECORDABLE, request.printer);
    case ApplyNewNameRefused:
        return LoadResString(IDS_NAME_BLANK_EDGE);
    case ApplyPrinterGone:
        return FormatResString(IDS_PRINTER_GONE, request.printer);
    case ApplyBadProfileFile:
        return FormatResString(IDS_BAD_PROFILE_FILE, std::string(ProfileKeyName(outcome.badKind)) + "=" + outcome.badFile);
    case ApplyFileNameClash:
        return FormatResString(IDS_FILE_NAME_CLASH, outcome.clashingFile);
    case ApplyDeclined:
    case ApplySourceGivenUp:
    case ApplyNotRecorded:
    case ApplyCompleted:
        break;
    }
    return std::string();
}
