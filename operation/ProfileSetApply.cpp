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
    // old file, which the driver then uses under the set's name. A rename is
    // made on the way, so that the record and the move of the section reach
    // the file in one replacement.
    const bool renaming = MbCompare(request.newName, request.printer) != 0;
    if (!RecordSet(request, renaming))
        return ApplyNotRecorded;
    m_outcome.recorded = true;
    m_callback.SetRecorded(request);
    if (m_formerSectionMoved)
        m_callback.SectionMoveEnded(request, true);

    if (renaming) {
        m_callback.RenameEnded(request, m_outcome.rename, m_outcome.renameError);
        if (m_sectionFollowed || m_outcome.sectionLeftBehind)
            m_callback.SectionMoveEnded(request, m_sectionFollowed);
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

bool CProfileSetApply::RecordSet(const ApplyRequest& request, bool renaming)
{
    m_moveFailed = false;
    // The five keys reach the file together or not at all: the driver never
    // reads a record that mixes two sets.
    if (ChangeDriverIni([&](CDriverINI& copy) { return WriteRecord(copy, request, renaming); },
                        m_outcome.recordError)) {
        m_outcome.sectionMoved = m_formerSectionMoved || m_sectionFollowed;
        return true;
    }
    if (m_outcome.rename != RenameDone)
        return false;
    // The printer has its new name but the file has not changed: the section
    // stands under the old name. Where only the move failed, the record goes
    // in without it; otherwise the printer gets its old name back, so that
    // the driver still finds its settings.
    if (m_moveFailed &&
        ChangeDriverIni([&](CDriverINI& copy) { return WriteRecord(copy, request, false); }, m_outcome.recordError)) {
        m_outcome.sectionLeftBehind = true;
        m_outcome.sectionMoved = m_formerSectionMoved;
        return true;
    }
    if (RenamePrinter(request.newName.c_str(), request.printer.c_str())) {
        m_outcome.rename = RenameNotAsked;
        return false;
    }
    // Both failed: the name is the new one, and the user must know it.
    m_outcome.sectionLeftBehind = true;
    m_callback.RenameEnded(request, RenameDone, 0);
    m_callback.SectionMoveEnded(request, false);
    return false;
}

bool CProfileSetApply::WriteRecord(CDriverINI& copy, const ApplyRequest& request, bool renaming)
{
    const std::string& printer = request.printer;
    // A rename run again: the spooler renamed the printer, but its section
    // may still stand under the old name. It moves only when the new name
    // has none, so that no newer record is written over.
    m_formerSectionMoved = false;
    m_sectionFollowed = false;
    if (!request.formerName.empty() && !copy.HasSection(printer) && copy.LoadSection(request.formerName)) {
        m_formerSectionMoved =
            copy.MoveSectionWithRecord(request.formerName, printer, request.setName, m_files) != FALSE;
        return m_formerSectionMoved;
    }
    // Asked once, on the first copy; a copy made again because another
    // program wrote the file meanwhile only takes the section along.
    if (renaming && m_outcome.rename == RenameNotAsked)
        RenameInSpooler(request, !copy.HasSection(printer) || copy.LoadSection(printer));
    // Section names match without regard to case: for a name that differs
    // only in case the section already serves the new name.
    if (!renaming || m_outcome.rename != RenameDone || MbCompareNoCase(request.newName, printer) == 0)
        return copy.WriteProfileRecord(printer, request.setName, m_files) != FALSE;
    m_sectionFollowed = copy.MoveSectionWithRecord(printer, request.newName, request.setName, m_files) != FALSE;
    m_moveFailed = !m_sectionFollowed;
    return m_sectionFollowed;
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

void CProfileSetApply::RenameInSpooler(const ApplyRequest& request, bool sectionReadable)
{
    // If the printer's section cannot be read whole, it could not follow the
    // printer to its new name, and the driver would lose the printer's
    // settings. So the name stays as it is.
    if (!sectionReadable) {
        m_outcome.rename = RenameSkippedUnreadable;
        return;
    }
    m_outcome.rename = RenamePrinter(request.printer.c_str(), request.newName.c_str(), &m_outcome.renameError)
                           ? RenameDone
                           : RenameRefused;
}
