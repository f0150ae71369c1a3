#include "operation/ProfileSetApply.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "operation/ProfileTargets.h"
#include "platform/FileExists.h"
#include "platform/OsClass.h"
#include "printers/DriverDirectory.h"
#include "printers/PrinterHandle.h"
#include "printers/PrinterNameRules.h"
#include "printers/PrinterRename.h"
#include "settings/DriverINI.h"
#include "settings/DriverIniChange.h"

namespace {

// The order in which the set's files are checked, installed and recorded.
const ProfileKind kSlotKinds[4] = {ProfileAuto, ProfileFont, ProfileTone, ProfileVividness};

} // namespace

CProfileSetApply::CProfileSetApply(const CKPXSetupINI& toolIni, IApplyQuestions& questions)
    : m_toolIni(toolIni), m_questions(questions)
{
}

ApplyOutcome CProfileSetApply::Run(const ApplyRequest& request)
{
    m_outcome = ApplyOutcome();
    m_overwriteAll = false;
    m_overwriteCancelled = false;
    m_outcome.stop = RunSteps(request);
    return m_outcome;
}

ApplyStop CProfileSetApply::RunSteps(const ApplyRequest& request)
{
    // Such a name would share its section with the name without the blanks.
    if (!IsRecordablePrinterName(request.printer))
        return ApplyUnrecordable;
    if (!IsRecordablePrinterName(request.newName))
        return ApplyNewNameRefused;
    if (!m_questions.ConfirmApply())
        return ApplyDeclined;
    // The printer may have been renamed or deleted since it was listed:
    // nothing is installed or recorded for a name the spooler no longer has.
    if (!PrinterStillThere(request.printer))
        return ApplyPrinterGone;
    if (!GatherProfileFiles(request.setName))
        return ApplySourceGivenUp;
    // Only profile files are installed: any other name could replace a file
    // of the system or of the driver in the target folders, or reach a device.
    if (!CheckProfileFiles())
        return ApplyBadProfileFile;
    // The targets are flat folders named by file name only: two different
    // files of one name would replace each other there and be recorded
    // alike, so such a set is refused before anything is written.
    m_outcome.clashingFile = FindFileNameClash();
    if (!m_outcome.clashingFile.empty())
        return ApplyFileNameClash;

    // A file that several kinds share is installed once, at its first slot.
    for (int slot = 0; slot < 4; ++slot) {
        bool seen = false;
        for (int earlier = 0; earlier < slot && !seen; ++earlier)
            seen = MbCompare(m_files[slot], m_files[earlier]) == 0;
        if (!seen)
            InstallProfileFile(request.printer, m_files[slot]);
    }

    // Recorded whatever the installations did: a declined overwrite keeps the
    // old file, which the driver then uses under the set's name.
    if (!RecordSet(request.printer, request.setName))
        return ApplyNotRecorded;
    m_outcome.recorded = true;

    if (MbCompare(request.newName, request.printer) != 0)
        RenameAndMove(request);
    return ApplyCompleted;
}

bool CProfileSetApply::GatherProfileFiles(const std::string& setName)
{
    for (int slot = 0; slot < 4; ++slot) {
        m_files[slot].clear();
        m_toolIni.ReadProfilePath(setName, kSlotKinds[slot], m_files[slot]);
    }
    for (int slot = 0; slot < 4; ++slot) {
        if (!m_questions.ConfirmSourceFile(m_files[slot]))
            return false;
    }
    return true;
}

void CProfileSetApply::InstallProfileFile(const std::string& printer, const std::string& sourcePath)
{
    std::string targets[2];
    GetTargetPaths(printer, sourcePath, targets[0], targets[1]);
    InstallToTargets(sourcePath, targets, m_overwriteAll, m_overwriteCancelled, m_outcome.copies,
                     [this](const std::string& source, const std::string& target) {
                         return m_questions.AskOverwrite(source, target);
                     });
}

bool CProfileSetApply::PrinterStillThere(const std::string& printer) const
{
    // The driver directory is a target everywhere but on 9x; reading it
    // opens the printer too.
    if (GetOsClass() == OsWin9x)
        return OpenPrinterHandle(printer.c_str(), PRINTER_ALL_ACCESS).IsValid();
    return !GetDriverDirectory(printer).empty();
}

bool CProfileSetApply::CheckProfileFiles()
{
    for (int slot = 0; slot < 4; ++slot) {
        if (CheckProfileFileName(FileNamePart(m_files[slot])) != ProfileNameOk ||
            !IsDiskFile(m_files[slot].c_str())) {
            m_outcome.badFile = m_files[slot];
            m_outcome.badKind = kSlotKinds[slot];
            return false;
        }
    }
    return true;
}

std::string CProfileSetApply::FindFileNameClash() const
{
    for (int slot = 1; slot < 4; ++slot) {
        for (int earlier = 0; earlier < slot; ++earlier) {
            if (MbCompare(m_files[slot], m_files[earlier]) == 0)
                continue;  // the same file, installed once
            const std::string name = FileNamePart(m_files[slot]);
            if (MbCompareNoCase(name, FileNamePart(m_files[earlier])) == 0)
                return name;
        }
    }
    return std::string();
}

bool CProfileSetApply::RecordSet(const std::string& printer, const std::string& setName)
{
    // The five keys reach the file together or not at all: the driver never
    // reads a record that mixes two sets.
    return ChangeDriverIni([&](CDriverINI& copy) {
        bool recorded = copy.WriteProfileSetName(printer, setName) != FALSE;
        for (int slot = 0; slot < 4; ++slot) {
            if (!copy.WriteProfileFile(printer, kSlotKinds[slot], m_files[slot]))
                recorded = false;
        }
        return recorded;
    });
}

void CProfileSetApply::RenameAndMove(const ApplyRequest& request)
{
    // The section was just written; if it cannot be read back now it could
    // not follow the printer to its new name, and the driver would lose the
    // printer's set. So the name stays as it is.
    CDriverINI driverIni;
    if (!driverIni.LoadSection(request.printer)) {
        m_outcome.rename = RenameSkippedUnreadable;
        return;
    }
    if (!RenamePrinter(request.printer.c_str(), request.newName.c_str(), &m_outcome.renameError)) {
        m_outcome.rename = RenameRefused;
        return;
    }
    m_outcome.rename = RenameDone;

    // Section names match without regard to case: for a name that differs
    // only in case the section already serves the new name, and saving then
    // deleting would delete it. Otherwise the old section goes only once the
    // new one is written.
    if (MbCompareNoCase(request.newName, request.printer) == 0)
        return;
    // The move is one replacement of the file: the section stands under the
    // old name or under the new one, whole. Done on the file as it is then,
    // it also completes the move that an interrupted earlier run left undone.
    if (ChangeDriverIni([&](CDriverINI& copy) { return copy.MoveSection(request.printer, request.newName) != FALSE; }))
        m_outcome.sectionMoved = true;
    else
        m_outcome.sectionLeftBehind = true;
}
