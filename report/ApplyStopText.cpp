#include "report/ApplyStopText.h"

#include "classlib/SystemMessage.h"
#include "classlib/WinApp.h"
#include "res/resource.h"

std::string ApplyStopText(const PrinterRequest& request, const ApplyOutcome& outcome)
{
    switch (outcome.stop) {
    case ApplyUnrecordable:
        return FormatResString(IDS_PRINTER_UNRECORDABLE, {request.printer});
    case ApplyNewNameRefused:
        return NewNameRefusalText(outcome.nameVerdict, request.newName, request.printer);
    case ApplyPrinterGone:
        return FormatResString(IDS_PRINTER_GONE, {request.printer});
    case ApplyBadProfileFile:
        return FormatResString(IDS_BAD_PROFILE_FILE, {ProfileKeyLine(outcome.badKind, outcome.badFile)});
    case ApplyUntrustedSource:
        return FormatResString(IDS_UNTRUSTED_SOURCE,
                               {ProfileKeyLine(outcome.badKind, outcome.badFile), SourceTrustText(outcome.trust)});
    case ApplyFileNameClash:
        return FormatResString(IDS_FILE_NAME_CLASH, {outcome.clashingFile});
    case ApplyDeclined:
    case ApplySourceGivenUp:
    case ApplyNotRecorded:
    case ApplyCompleted:
        break;
    }
    return std::string();
}

std::string SourceTrustText(const SourceTrust& trust)
{
    switch (trust.fault) {
    case SourceOthersMayWrite:
        if (trust.folder)
            return FormatResString(IDS_TRUST_FOLDER_WRITABLE, {trust.where, WriterGroupName(trust.group)});
        return FormatResString(IDS_TRUST_FILE_WRITABLE, {WriterGroupName(trust.group)});
    case SourceIsLink:
        return FormatResString(IDS_TRUST_LINK, {trust.where});
    case SourceSecurityUnreadable:
        return WithReason(FormatResString(IDS_TRUST_UNREADABLE, {trust.where}), trust.error);
    case SourceTrusted:
        break;
    }
    return std::string();
}

std::string NewNameRefusalText(NewNameVerdict verdict, const std::string& newName, const std::string& printer)
{
    switch (verdict) {
    case NewNameEmpty:
        return LoadResString(IDS_NAME_EMPTY);
    case NewNameBlankEdge:
        return LoadResString(IDS_NAME_BLANK_EDGE);
    case NewNameInUse:
        return LoadResString(IDS_NAME_EXISTS);
    case NewNameBadChars:
        return FormatResString(IDS_CMD_NAME_CHARS, {newName});
    case NewNameTooLong:
        return FormatResString(IDS_CMD_NAME_TOO_LONG, {newName});
    case NewNameRenameNotAllowed:
        return FormatResString(IDS_CMD_RENAME_NOT_ALLOWED, {printer});
    case NewNameUnchanged:
    case NewNameAccepted:
        break;
    }
    return std::string();
}
