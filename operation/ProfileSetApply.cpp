#include "operation/ProfileSetApply.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "operation/OtherRecords.h"
#include "operation/ProfileSet.h"
#include "operation/ProfileTargets.h"
#include "printers/PrinterNameRules.h"
#include "printers/PrinterRename.h"
#include "settings/DriverINI.h"
#include "settings/DriverIniChange.h"
#include "settings/IniTextEdit.h"

namespace {

// The copies of all that lie in the system folder or in driverFolder (each
// with its trailing backslash; an empty one holds none): one printer's share
// of an apply's copies.
TargetCopies CopiesInto(const TargetCopies& all, const std::string& systemFolder, const std::string& driverFolder)
{
    const auto ours = [&](const std::string& target) {
        const std::string folder = DirectoryPart(target) + "\\";
        return MbCompareNoCase(folder, systemFolder) == 0 ||
               (!driverFolder.empty() && MbCompareNoCase(folder, driverFolder) == 0);
    };
    TargetCopies copies;
    for (const std::string& target : all.installed) {
        if (ours(target))
            copies.installed.push_back(target);
    }
    for (const FailedCopy& failed : all.failed) {
        if (ours(failed.target))
            copies.failed.push_back(failed);
    }
    for (const std::string& target : all.atRestart) {
        if (ours(target))
            copies.atRestart.push_back(target);
    }
    for (const std::string& target : all.inPlace) {
        if (ours(target))
            copies.inPlace.push_back(target);
    }
    return copies;
}

} // namespace

ApplyStop ApplyStopFor(SetFault fault)
{
    switch (fault) {
    case SetFileMissing:
        return ApplySourceGivenUp;
    case SetFileNotProfile:
        return ApplyBadProfileFile;
    case SetFileUntrusted:
        return ApplyUntrustedSource;
    case SetFileNameShared:
        return ApplyFileNameClash;
    case SetFilesOk:
        break;
    }
    return ApplyCompleted;
}

ApplyStop CheckPrinterForApply(const std::string& printer, CDriverDirectories& directories,
                               std::string& driverDirectory)
{
    // Such a name would share its section with the name without the blanks.
    if (!IsRecordablePrinterName(printer))
        return ApplyUnrecordable;
    return LookUpPrinter(printer, directories, driverDirectory) ? ApplyCompleted : ApplyPrinterGone;
}

CProfileSetApply::CProfileSetApply(const CKPXSetupINI& toolIni, IApplyCallback& callback)
    : m_toolIni(toolIni), m_callback(callback)
{
}

ApplyResult CProfileSetApply::Run(const ApplyRequest& request, const CPrinterSnapshot& printers)
{
    m_outcome = ApplyOutcome();
    m_targets.clear();
    m_overwriteAll = false;
    m_overwriteCancelled = false;
    m_removing = request.remove;
    ApplyResult result;
    result.stop = RunSteps(request, printers, result);
    if (result.stop == ApplyCompleted || result.printers.empty())
        return result;
    // Stopped before anything changed: told once, at the printer that
    // stopped it (or the first).
    PrinterApplied& stopped = result.printers.front();
    stopped.outcome = m_outcome;
    stopped.outcome.stop = result.stop;
    stopped.outcome.copies = TargetCopies();
    m_callback.ApplyEnded(stopped.request, stopped.outcome);
    return result;
}

ApplyStop CProfileSetApply::RunSteps(const ApplyRequest& request, const CPrinterSnapshot& printers, ApplyResult& result)
{
    const auto at = [&](const std::string& printer) {
        result.printers.assign(1, {PrinterRequest{printer, request.setName, printer}, ApplyOutcome()});
    };
    if (request.printers.empty())
        return ApplyPrinterGone;
    // A rename is for one printer only.
    const std::string& first = request.printers.front();
    const bool oneNamed = request.printers.size() == 1 && !request.skipUnusable;
    const std::string newName = oneNamed ? request.newName : first;
    if (oneNamed && !request.formerName.empty())
        m_callback.AlreadyRenamed({first, request.setName, newName, request.formerName});

    for (const std::string& printer : request.printers) {
        // Such a name would share its section with the name without the blanks.
        if (!IsRecordablePrinterName(printer) && !request.skipUnusable) {
            at(printer);
            return ApplyUnrecordable;
        }
    }
    if (oneNamed) {
        m_outcome.nameVerdict = CheckNewName(printers, newName, first);
        if (!NewNamePasses(m_outcome.nameVerdict)) {
            result.printers.assign(1, {PrinterRequest{first, request.setName, newName}, ApplyOutcome()});
            return ApplyNewNameRefused;
        }
    }
    at(first);
    if (!m_callback.ConfirmApply())
        return ApplyDeclined;
    // A printer may have been renamed or deleted since it was listed:
    // nothing is installed or recorded for a name the spooler no longer has.
    if (!FindTargets(request, result))
        return result.printers.empty() ? ApplyPrinterGone : result.printers.front().outcome.stop;
    if (oneNamed) {
        m_targets.front().request.newName = newName;
        m_targets.front().request.formerName = request.formerName;
    }
    if (m_removing) {
        std::vector<std::string> unnamed;
        m_outcome.stop = RemoveRecords(unnamed) ? ApplyCompleted : ApplyNotRecorded;
        DeleteFiles(unnamed);
        TellPrinters(false, result);
        return ApplyCompleted;
    }

    ProfileSetFiles set;
    const ApplyStop setStop = ApplyStopFor(ReadProfileSet(
        m_toolIni, request.setName,
        [this](std::string& path, DWORD error) { return m_callback.SourceFileMissing(path, error); }, set));
    m_outcome.badFile = set.badFile;
    m_outcome.badKind = set.badKind;
    m_outcome.trust = set.trust;
    m_outcome.clashingFile = set.clashingFile;
    if (setStop != ApplyCompleted) {
        result.printers.assign(1, {m_targets.front().request, ApplyOutcome()});
        return setStop;
    }
    for (int slot = 0; slot < 4; ++slot)
        m_files[slot] = set.paths[slot];

    InstallFiles();
    TellOtherPrintersUsing(printers);

    // Recorded whatever the installations did: a declined overwrite keeps the
    // old file, which the driver then uses under the set's name. A rename is
    // made on the way, so that the record and the move of the section reach
    // the file in one replacement.
    const bool renaming = MbCompare(newName, first) != 0;
    m_outcome.stop = RecordSet(renaming) ? ApplyCompleted : ApplyNotRecorded;
    TellPrinters(renaming, result);
    return ApplyCompleted;
}

bool CProfileSetApply::FindTargets(const ApplyRequest& request, ApplyResult& result)
{
    CDriverDirectories directories;
    for (const std::string& printer : request.printers) {
        const PrinterRequest part{printer, request.setName, printer};
        std::string driverDirectory;
        const ApplyStop refused = CheckPrinterForApply(printer, directories, driverDirectory);
        if (refused == ApplyCompleted) {
            m_targets.push_back({part, driverDirectory});
        } else if (request.skipUnusable) {
            result.skipped.emplace_back(printer, refused);
            m_callback.PrinterSkipped(part, refused);
        } else {
            result.printers.assign(1, {part, ApplyOutcome()});
            result.printers.front().outcome.stop = refused;
            return false;
        }
    }
    // Every printer skipped: their lines said why, and nothing is left to do.
    if (m_targets.empty()) {
        result.printers.clear();
        return false;
    }
    return true;
}

std::vector<std::array<std::string, 2>> CProfileSetApply::TargetPairs(const std::string& file) const
{
    // Each distinct driver directory once (printers of one driver share theirs).
    std::vector<std::string> driverDirectories;
    for (const Target& target : m_targets) {
        if (!target.driverDirectory.empty() && !HoldsNoCase(driverDirectories, target.driverDirectory))
            driverDirectories.push_back(target.driverDirectory);
    }
    std::vector<std::array<std::string, 2>> pairs;
    for (size_t i = 0; i < driverDirectories.size() || i == 0; ++i) {
        std::array<std::string, 2> targets;
        GetTargetPaths(i < driverDirectories.size() ? driverDirectories[i] : std::string(), file, targets[0],
                       targets[1]);
        if (i > 0)
            targets[0].clear();
        pairs.push_back(targets);
    }
    return pairs;
}

void CProfileSetApply::InstallFiles()
{
    // A file that several kinds share is installed once, at its first slot.
    for (int slot = 0; slot < 4; ++slot) {
        if (!IsFirstSlotOfItsFile(m_files, slot))
            continue;
        for (const auto& targets : TargetPairs(m_files[slot]))
            InstallIntoTargets(m_files[slot], targets.data());
    }
}

void CProfileSetApply::InstallIntoTargets(const std::string& sourcePath, const std::string targets[2])
{
    InstallToTargets(
        sourcePath, targets, m_overwriteAll, m_overwriteCancelled, m_outcome.copies,
        [this](const std::string& source, const std::string& target) {
            return m_callback.AskOverwrite(source, target);
        },
        [this](const std::string& target, CopyResult result, DWORD error) {
            switch (result) {
            case CopyReplaced:
                m_callback.FileInstalled(target);
                break;
            case CopyAtRestart:
                m_callback.FileLeftForRestart(target);
                break;
            case CopyInPlace:
                m_callback.FileInPlace(target);
                break;
            case CopyFailed:
                m_callback.FileFailed(target, error);
                break;
            case CopyKept:
                m_callback.FileKept(target);
                break;
            }
        });
}

bool CProfileSetApply::RecordSet(bool renaming)
{
    m_moveFailed = false;
    m_formerSectionMoved = false;
    m_sectionFollowed = false;
    // The five keys of every printer reach the file together or not at all:
    // the driver never reads a record that mixes two sets. One edit of the
    // file's text, whatever the number of printers; a file the edit cannot
    // read as the profile functions do goes through them.
    switch (ChangeDriverIniText(
        [&](const std::string& text, EditedIniText& edited) { return EditRecords(text, edited, renaming); },
        m_outcome.recordError)) {
    case TextChangeDone:
        m_outcome.recordChanged = true;
        return true;
    case TextChangeNotNeeded:
        return true;
    case TextChangeFailed:
        return RecordFailed();
    case TextChangeNotEditable:
        break;
    }
    if (ChangeDriverIni([&](CDriverINI& copy) { return WriteRecords(copy, renaming); }, m_outcome.recordError,
                        &m_outcome.recordChanged))
        return true;
    return RecordFailed();
}

TextEdit CProfileSetApply::EditRecords(const std::string& text, EditedIniText& edited, bool renaming)
{
    // A rename run again looks for the former name's section: the profile
    // functions answer that.
    if (m_targets.front().request.formerName.size() != 0)
        return TextNotEditable;
    std::vector<IniSectionChange> changes;
    for (const Target& target : m_targets)
        changes.push_back({target.request.printer, std::string(), RecordEntries(target.request.setName, m_files)});
    // Whether the text can be edited is known before the spooler is asked.
    CIniTextEdit edit(text);
    if (!edit.Apply(changes))
        return TextNotEditable;
    const PrinterRequest& request = m_targets.front().request;
    // Asked once; the whole text is read, so the section can follow the
    // printer. A text read again (another program wrote the file meanwhile)
    // only takes the section along.
    if (renaming && m_outcome.rename == RenameNotAsked)
        RenameInSpooler(request, true);
    // Section names match without regard to case: for a name that differs
    // only in case the section already serves the new name.
    m_sectionFollowed = false;
    if (renaming && m_outcome.rename == RenameDone && MbCompareNoCase(request.newName, request.printer) != 0) {
        // The record is in the section already: only the move is left.
        m_sectionFollowed = edit.Apply({{request.printer, request.newName, {}}});
        // Renamed, but the edit cannot move the section: the profile
        // functions do it.
        if (!m_sectionFollowed)
            return TextNotEditable;
    }
    edit.Pieces(edited);
    return edited.Holds(text) ? TextUnchanged : TextEdited;
}

bool CProfileSetApply::RecordFailed()
{
    if (m_outcome.rename != RenameDone)
        return false;
    // The printer has its new name but the file has not changed: the section
    // stands under the old name. Where only the move failed, the record goes
    // in without it; otherwise the printer gets its old name back, so that
    // the driver still finds its settings.
    if (m_moveFailed && ChangeDriverIni([&](CDriverINI& copy) { return WriteRecords(copy, false); },
                                        m_outcome.recordError, &m_outcome.recordChanged)) {
        m_outcome.sectionLeftBehind = true;
        return true;
    }
    const PrinterRequest& request = m_targets.front().request;
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

bool CProfileSetApply::WriteRecords(CDriverINI& copy, bool renaming)
{
    for (const Target& target : m_targets) {
        if (!WriteRecord(copy, target.request, renaming))
            return false;
    }
    return true;
}

bool CProfileSetApply::WriteRecord(CDriverINI& copy, const PrinterRequest& request, bool renaming)
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

void CProfileSetApply::TellPrinters(bool renaming, ApplyResult& result)
{
    const std::string systemFolder = SystemFolder();
    result.printers.clear();
    for (const Target& target : m_targets) {
        ApplyOutcome outcome = m_outcome;
        outcome.copies = CopiesInto(m_outcome.copies, systemFolder, target.driverDirectory);
        if (m_removing)
            outcome.recordChanged = outcome.recordChanged && target.hadRecord;
        result.printers.push_back({target.request, outcome});
    }
    for (size_t i = 0; i < result.printers.size(); ++i) {
        const PrinterApplied& printer = result.printers[i];
        if (!printer.outcome.Recorded())
            continue;
        if (m_removing) {
            m_callback.RecordRemoved(printer.request, m_targets[i].hadRecord);
            continue;
        }
        m_callback.SetRecorded(printer.request);
        if (m_formerSectionMoved)
            m_callback.SectionMoveEnded(printer.request, true);
        if (renaming) {
            m_callback.RenameEnded(printer.request, m_outcome.rename, m_outcome.renameError);
            if (m_sectionFollowed || m_outcome.sectionLeftBehind)
                m_callback.SectionMoveEnded(printer.request, m_sectionFollowed);
        }
    }
    for (const PrinterApplied& printer : result.printers)
        m_callback.ApplyEnded(printer.request, printer.outcome);
}

void CProfileSetApply::TellOtherPrintersUsing(const CPrinterSnapshot& printers)
{
    // The set's files of which at least one target now holds this set's
    // file (or will at the restart), each once.
    const TargetCopies& copies = m_outcome.copies;
    std::vector<std::string> written;
    for (int slot = 0; slot < 4; ++slot) {
        if (!IsFirstSlotOfItsFile(m_files, slot))
            continue;
        const std::string name = FileNamePart(m_files[slot]);
        bool wasWritten = false;
        for (const std::vector<std::string>* targets : {&copies.installed, &copies.atRestart}) {
            for (const std::string& target : *targets)
                wasWritten = wasWritten || MbCompareNoCase(FileNamePart(target), name) == 0;
        }
        if (wasWritten)
            written.push_back(m_files[slot]);
    }
    // The printers of this apply, under their names now and afterwards, get
    // the set: they are no other printers.
    std::vector<std::string> applied;
    for (const Target& target : m_targets) {
        applied.push_back(target.request.printer);
        applied.push_back(target.request.newName);
    }
    const PrinterRequest& first = m_targets.front().request;
    for (const FileUsers& users : PrintersOfOtherSetsUsing(printers, m_toolIni, first.setName, applied, written))
        m_callback.OtherPrintersUseFile(first, users.fileName, users.printers);
}

void CProfileSetApply::RenameInSpooler(const PrinterRequest& request, bool sectionReadable)
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
