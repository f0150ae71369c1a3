#include "cmdline/UnattendedAnswers.h"

#include "classlib/LineBreaks.h"
#include "classlib/SystemMessage.h"
#include "classlib/WinApp.h"
#include "cmdline/LineText.h"
#include "cmdline/RunLog.h"
#include "report/ApplyStopText.h"
#include "report/RenameReason.h"
#include "res/resource.h"
#include "settings/InstallAccount.h"

bool CUnattendedAnswers::SourceFileMissing(std::string& path, DWORD error)
{
    m_missing = path;
    m_missingError = error;
    return false;
}

INT_PTR CUnattendedAnswers::AskOverwrite(const std::string&, const std::string&)
{
    return m_overwrite ? OverwriteYes : OverwriteNo;
}

void CUnattendedAnswers::FileCopied(const std::string& target, CopyResult result, DWORD error)
{
    static const UINT kLines[] = {IDS_CMD_COPIED, IDS_CMD_IN_PLACE, IDS_CMD_AT_RESTART, IDS_CMD_COPY_FAILED,
                                  IDS_CMD_KEPT}; // in the order of CopyResult
    m_keptAny = m_keptAny || result == CopyKept;
    const std::string line = FormatResString(kLines[result], {target});
    m_output.TargetLine(target, result == CopyFailed ? WithReason(line, error) : line);
}

void CUnattendedAnswers::OtherPrintersUseFile(const PrinterRequest& request, const std::string& fileName,
                                              const std::vector<std::string>& printers)
{
    std::string names;
    for (const std::string& printer : printers)
        names += (names.empty() ? "" : ", ") + printer;
    m_output.Line(FormatResString(IDS_CMD_OTHERS_USE_FILE, {fileName, request.setName, names}));
}

void CUnattendedAnswers::ApplyEnded(const PrinterRequest& request, const ApplyOutcome& outcome)
{
    switch (outcome.stop) {
    case ApplySourceGivenUp:
        Tell(request, WithReason(FormatResString(IDS_CMD_SOURCE_MISSING, {m_missing}), m_missingError));
        return;
    case ApplyFileNameClash:
    case ApplyBadProfileFile:
    case ApplyUntrustedSource:
    case ApplyUnrecordable:
    case ApplyNewNameRefused:
    case ApplyPrinterGone:
        Tell(request, OnOneLine(ApplyStopText(request, outcome), ""));
        return;
    case ApplyNotRecorded:
        if (m_removing) {
            Tell(request, WithReason(outcome.accountUnreadable
                                         ? FormatResString(IDS_CMD_ACCOUNT_UNREADABLE, {CInstallAccount().Path()})
                                         : FormatResString(IDS_CMD_NOT_REMOVED, {DriverIniText()}),
                                     outcome.recordError));
            return;
        }
        // Where and why: under Terminal Services the file is the user's own,
        // whose folder may not exist for the account the run runs as.
        Tell(request, WithReason(FormatResString(IDS_CMD_NOT_RECORDED, {request.setName, DriverIniText()}),
                                 outcome.recordError));
        return;
    case ApplyDeclined:
        Tell(request, LoadResString(IDS_CHANGE_FAILED));
        return;
    case ApplyCompleted:
        break;
    }
}

void CUnattendedAnswers::SetRecorded(const PrinterRequest& request)
{
    Tell(request, FormatResString(IDS_CMD_RECORDED, {request.setName, DriverIniText()}));
}

void CUnattendedAnswers::RenameEnded(const PrinterRequest& request, RenameResult result, DWORD error)
{
    switch (result) {
    case RenameNotAsked:
        break;
    case RenameDone:
        Tell(request, FormatResString(IDS_CMD_RENAMED, {request.newName}));
        break;
    case RenameRefused:
        Tell(request, WithRenameReason(FormatResString(IDS_CMD_RENAME_REFUSED, {request.newName}), error));
        break;
    case RenameSkippedUnreadable:
        Tell(request, FormatResString(IDS_CMD_RENAME_SKIPPED, {request.newName, DriverIniText()}));
        break;
    }
}

void CUnattendedAnswers::SectionMoveEnded(const PrinterRequest& request, bool moved)
{
    if (moved)
        Tell(request, FormatResString(IDS_CMD_SECTION_MOVED, {request.newName, DriverIniText()}));
    else
        Tell(request, FormatResString(IDS_CMD_SECTION_LEFT, {request.printer, DriverIniText()}));
}

void CUnattendedAnswers::AlreadyRenamed(const PrinterRequest& request)
{
    Tell(request, FormatResString(IDS_CMD_ALREADY_RENAMED, {request.formerName}) + request.printer);
}

void CUnattendedAnswers::Tell(const PrinterRequest& request, const std::string& text)
{
    m_output.PrinterLine(request.printer, PrinterLine(request.printer, text));
}

void CUnattendedAnswers::PrinterSkipped(const PrinterRequest& request, ApplyStop why)
{
    ApplyOutcome outcome;
    outcome.stop = why;
    Tell(request, OnOneLine(ApplyStopText(request, outcome), "") + LoadResString(IDS_CMD_PRINTER_SKIPPED));
}

void CUnattendedAnswers::RecordRemoved(const PrinterRequest& request, bool hadRecord)
{
    Tell(request, hadRecord ? FormatResString(IDS_CMD_REMOVED, {request.setName, DriverIniText()})
                            : LoadResString(IDS_CMD_NOTHING_TO_REMOVE));
}

void CUnattendedAnswers::FileDeleted(const std::string& target, CopyResult result, DWORD error)
{
    if (result == CopyFailed)
        m_output.TargetLine(target, WithReason(FormatResString(IDS_CMD_DELETE_FAILED, {target}), error));
    else
        m_output.TargetLine(
            target, FormatResString(result == CopyAtRestart ? IDS_CMD_DELETE_AT_RESTART : IDS_CMD_DELETED, {target}));
}

void CUnattendedAnswers::FileStillNamed(const std::string& fileName)
{
    m_output.Line(FormatResString(IDS_CMD_STILL_NAMED, {fileName}));
}

void CUnattendedAnswers::FilesLeftForOtherUsers()
{
    m_output.Line(LoadResString(IDS_CMD_FILES_KEPT_PER_USER));
}

void CUnattendedAnswers::FileLeft(const std::string& target, RemovalVerdict why, DWORD error)
{
    switch (why) {
    case RemoveLeaveNotOurs:
        m_output.TargetLine(target, FormatResString(IDS_CMD_LEFT_NOT_OURS, {target}));
        break;
    case RemoveLeaveChanged:
        m_output.TargetLine(target, FormatResString(IDS_CMD_LEFT_CHANGED, {target}));
        break;
    case RemoveLeaveAlias:
        m_output.TargetLine(target, FormatResString(IDS_CMD_LEFT_ALIAS, {target}));
        break;
    default:
        m_output.TargetLine(target, WithReason(FormatResString(IDS_CMD_LEFT_UNREADABLE, {target}), error));
        break;
    }
}

void CUnattendedAnswers::FileRestored(const std::string& target, bool atRestart)
{
    m_output.TargetLine(target, FormatResString(atRestart ? IDS_CMD_RESTORE_AT_RESTART : IDS_CMD_RESTORED, {target}));
}
