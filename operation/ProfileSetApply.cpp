#include "operation/ProfileSetApply.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "operation/OtherRecords.h"
#include "operation/ProfileSourceCheck.h"
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

CProfileSetApply::CProfileSetApply(const CKPXSetupINI& toolIni, IApplyCallback& callback)
    : m_toolIni(toolIni), m_callback(callback)
{
}

ApplyOutcome CProfileSetApply::Run(const ApplyRequest& request, const CPrinterSnapshot& printers)
{
    m_outcome = ApplyOutcome();
    m_overwriteAll = false;
    m_overwriteCancelled = false;
    m_driverDirectory.clear();
    if (!request.formerName.empty())
        m_callback.AlreadyRenamed(request);
    m_outcome.stop = RunSteps(request, printers);
    m_callback.ApplyEnded(request, m_outcome);
    return m_outcome;
}

ApplyStop CProfileSetApply::RunSteps(const ApplyRequest& request, const CPrinterSnapshot& printers)
{
    // Such a name would share its section with the name without the blanks.
    if (!IsRecordablePrinterName(request.printer))
        return ApplyUnrecordable;
    m_outcome.nameVerdict = CheckNewName(printers, request.newName, request.printer);
    if (!NewNamePasses(m_outcome.nameVerdict))
        return ApplyNewNameRefused;
    if (!m_callback.ConfirmApply())
        return ApplyDeclined;
    // The printer may have been renamed or deleted since it was listed:
    // nothing is installed or recorded for a name the spooler no longer has.
    if (!PrinterStillThere(request.printer))
        return ApplyPrinterGone;
    const ApplyStop setStop = ReadSetFiles(request.setName, m_outcome);
    if (setStop != ApplyCompleted)
        return setStop;

    // A file that several kinds share is installed once, at its first slot.
    for (int slot = 0; slot < 4; ++slot) {
        if (IsFirstSlotOfItsFile(m_files, slot))
            InstallProfileFile(m_files[slot]);
    }
    TellOtherPrintersUsing(request, printers);

    // Recorded whatever the installations did: a declined overwrite keeps the
    // old file, which the driver then uses under the set's name.
    if (!RecordSet(request))
        return ApplyNotRecorded;
    m_outcome.recorded = true;
    m_callback.SetRecorded(request);
    if (m_outcome.sectionMoved)
        m_callback.SectionMoveEnded(request, true);

    if (MbCompare(request.newName, request.printer) != 0) {
        RenameAndMove(request);
        m_callback.RenameEnded(request, m_outcome.rename, m_outcome.renameError);
        if (m_outcome.sectionMoved || m_outcome.sectionLeftBehind)
            m_callback.SectionMoveEnded(request, m_outcome.sectionMoved);
    }
    return ApplyCompleted;
}

ApplyStop CProfileSetApply::ReadSetFiles(const std::string& setName, ApplyOutcome& outcome)
{
    if (!GatherProfileFiles(setName))
        return ApplySourceGivenUp;
    // Only profile files are installed: any other name could replace a file
    // of the system or of the driver in the target folders, or reach a device.
    if (!CheckProfileFiles(outcome))
        return ApplyBadProfileFile;
    // The targets are flat folders named by file name only: two different
    // files of one name would replace each other there and be recorded
    // alike, so such a set is refused before anything is written.
    outcome.clashingFile = FindFileNameClash();
    if (!outcome.clashingFile.empty())
        return ApplyFileNameClash;
    return ApplyCompleted;
}

bool CProfileSetApply::GatherProfileFiles(const std::string& setName)
{
    for (int slot = 0; slot < 4; ++slot) {
        m_files[slot].clear();
        m_toolIni.ReadProfilePath(setName, kSlotKinds[slot], m_files[slot]);
    }
    for (std::string& path : m_files) {
        DWORD error = 0;
        while (!FileExists(path.c_str(), error)) {
            if (!m_callback.SourceFileMissing(path, error))
                return false;
        }
    }
    return true;
}

void CProfileSetApply::InstallProfileFile(const std::string& sourcePath)
{
    std::string targets[2];
    GetTargetPaths(m_driverDirectory, sourcePath, targets[0], targets[1]);
    InstallIntoTargets(sourcePath, targets);
}

void CProfileSetApply::InstallIntoTargets(const std::string& sourcePath, const std::string targets[2])
{
    const CopyCounts before{m_outcome.copies.installed.size(), m_outcome.copies.failed.size(),
                            m_outcome.copies.atRestart.size()};
    InstallToTargets(sourcePath, targets, m_overwriteAll, m_overwriteCancelled, m_outcome.copies,
                     [this](const std::string& source, const std::string& target) {
                         return m_callback.AskOverwrite(source, target);
                     });
    TellSteps(targets, before);
}

void CProfileSetApply::TellSteps(const std::string targets[2], const CopyCounts& before)
{
    const TargetCopies& copies = m_outcome.copies;
    size_t installed = before.installed;
    size_t failed = before.failed;
    size_t atRestart = before.atRestart;
    // The targets in the order they were written; one that is in none of
    // the lists was kept.
    for (int i = 0; i < 2; ++i) {
        const std::string& target = targets[i];
        if (target.empty())
            continue;
        if (installed < copies.installed.size() && copies.installed[installed] == target)
            m_callback.FileInstalled(copies.installed[installed++]);
        else if (atRestart < copies.atRestart.size() && copies.atRestart[atRestart] == target)
            m_callback.FileLeftForRestart(copies.atRestart[atRestart++]);
        else if (failed < copies.failed.size() && copies.failed[failed].target == target)
            m_callback.FileFailed(target, copies.failed[failed++].error);
        else
            m_callback.FileKept(target);
    }
}

bool CProfileSetApply::PrinterStillThere(const std::string& printer)
{
    CPrinterHandle handle = OpenPrinterHandle(printer.c_str(), PRINTER_ALL_ACCESS);
    if (!handle.IsValid())
        return false;
    // A spooler may still open a renamed printer by its old name: the
    // printer's own record must bear the name asked for.
    if (!PrinterBearsName(handle.Get(), printer))
        return false;
    // The driver directory is a target everywhere but on 9x.
    if (GetOsClass() == OsWin9x)
        return true;
    m_driverDirectory = GetDriverDirectory(handle.Get());
    return !m_driverDirectory.empty();
}

bool CProfileSetApply::CheckProfileFiles(ApplyOutcome& outcome)
{
    for (int slot = 0; slot < 4; ++slot) {
        if (!MayInstallProfileFile(m_files[slot])) {
            outcome.badFile = m_files[slot];
            outcome.badKind = kSlotKinds[slot];
            return false;
        }
    }
    return true;
}

std::string CProfileSetApply::FindFileNameClash() const
{
    for (int slot = 1; slot < 4; ++slot) {
        for (int earlier = 0; earlier < slot; ++earlier) {
            if (SourcesClash(m_files[slot], m_files[earlier]))
                return FileNamePart(m_files[slot]);
        }
    }
    return std::string();
}

bool CProfileSetApply::RecordSet(const ApplyRequest& request)
{
    const std::string& printer = request.printer;
    // The five keys reach the file together or not at all: the driver never
    // reads a record that mixes two sets.
    return ChangeDriverIni(
        [&](CDriverINI& copy) {
            // A rename run again: the spooler renamed the printer, but its
            // section may still stand under the old name. It moves only when
            // the new name has none, so that no newer record is written over.
            m_outcome.sectionMoved = false;
            if (!request.formerName.empty() && !copy.HasSection(printer) && copy.LoadSection(request.formerName)) {
                if (!copy.SaveSection(printer) || !copy.DeleteSection(request.formerName))
                    return false;
                m_outcome.sectionMoved = true;
            }
            if (!copy.WriteProfileRecord(printer, request.setName, m_files))
                return false;
            m_recordReadable = copy.LoadSection(printer) != FALSE;
            return true;
        },
        m_outcome.recordError);
}

void CProfileSetApply::TellOtherPrintersUsing(const ApplyRequest& request, const CPrinterSnapshot& printers)
{
    // The set's files of which at least one target now holds this set's
    // file (or will at the restart), each once.
    const TargetCopies& copies = m_outcome.copies;
    std::vector<std::string> written;
    for (const std::string& source : m_files) {
        const std::string name = FileNamePart(source);
        bool wasWritten = false;
        for (const std::vector<std::string>* targets : {&copies.installed, &copies.atRestart}) {
            for (const std::string& target : *targets)
                wasWritten = wasWritten || MbCompareNoCase(FileNamePart(target), name) == 0;
        }
        bool listed = false;
        for (const std::string& earlier : written)
            listed = listed || MbCompare(earlier, source) == 0;
        if (wasWritten && !listed)
            written.push_back(source);
    }
    for (const FileUsers& users :
         PrintersOfOtherSetsUsing(printers, m_toolIni, request.setName, request.printer, request.newName, written))
        m_callback.OtherPrintersUseFile(request, users.fileName, users.printers);
}

void CProfileSetApply::RenameAndMove(const ApplyRequest& request)
{
    // The section was just written; if it could not be read back, or the
    // file cannot be opened now, it could not follow the printer to its new
    // name, and the driver would lose the printer's set. So the name stays
    // as it is. (Read back from the copy that replaced the file: reading the
    // file itself would have the profile functions parse all of it again.)
    if (!m_recordReadable || CDriverINI().GetFileSize() == 0) {
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
