#include "operation/ProfileSetApply.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "operation/OtherRecords.h"
#include "operation/ProfileSet.h"
#include "operation/ProfileTargets.h"
#include "printers/PrinterNameRules.h"
#include "printers/PrinterRename.h"
#include "printers/PrinterSnapshot.h"
#include "settings/DriverINI.h"
#include "settings/DriverIniChange.h"
#include "settings/IniTextEdit.h"
#include "settings/InstallAccount.h"

#include <algorithm>
#include <iterator>
#include <utility>

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
    using Targets = std::pair<const std::vector<std::string>*, std::vector<std::string>*>;
    for (const Targets& list : {Targets{&all.installed, &copies.installed}, Targets{&all.atRestart, &copies.atRestart},
                                Targets{&all.inPlace, &copies.inPlace}})
        std::copy_if(list.first->begin(), list.first->end(), std::back_inserter(*list.second), ours);
    std::copy_if(all.failed.begin(), all.failed.end(), std::back_inserter(copies.failed),
                 [&](const FailedCopy& failed) { return ours(failed.target); });
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

ApplyStop CheckPrinterForApply(const std::string& printer, const CPrinterSnapshot& printers,
                               CDriverDirectories& directories, std::string& driverDirectory)
{
    // Such a name would share its section with the name without the blanks.
    if (!IsRecordablePrinterName(printer))
        return ApplyUnrecordable;
    return LookUpPrinter(printer, directories, driverDirectory, printers.KeptHandle(printer)) ? ApplyCompleted
                                                                                              : ApplyPrinterGone;
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
    if (!FindTargets(request, printers, result))
        return result.printers.empty() ? ApplyPrinterGone : result.printers.front().outcome.stop;
    if (oneNamed) {
        m_targets.front().request.newName = newName;
        m_targets.front().request.formerName = request.formerName;
    }
    if (m_removing) {
        // The account of what the tool put where is read before anything
        // changes: without it no file can be told the tool's.
        CInstallAccount account;
        std::vector<std::string> named, stillNamed;
        if (!account.Load(m_outcome.recordError)) {
            m_outcome.accountUnreadable = true;
            m_outcome.stop = ApplyNotRecorded;
        } else {
            m_outcome.stop = RemoveRecords(named, stillNamed) ? ApplyCompleted : ApplyNotRecorded;
        }
        if (m_outcome.stop == ApplyCompleted)
            DeleteFiles(account, named, stillNamed);
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
    if (request.tellOtherPrinters)
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

bool CProfileSetApply::FindTargets(const ApplyRequest& request, const CPrinterSnapshot& printers, ApplyResult& result)
{
    CDriverDirectories directories;
    for (const std::string& printer : request.printers) {
        const PrinterRequest part{printer, request.setName, printer};
        std::string driverDirectory;
        const ApplyStop refused = CheckPrinterForApply(printer, printers, directories, driverDirectory);
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
            m_callback.FileCopied(target, result, error);
        });
}

bool CProfileSetApply::RecordSet(bool renaming)
{
    m_formerSectionMoved = false;
    m_sectionFollowed = false;
    const PrinterRequest& request = m_targets.front().request;
    // Section names match without regard to case: for a name that differs
    // only in case the section already serves the new name.
    const bool move = renaming && MbCompareNoCase(request.newName, request.printer) != 0;
    const auto plan = [this](bool withMove) {
        return [this, withMove](IIniValues& file, std::vector<IniSectionChange>& changes) {
            return PlanRecords(file, withMove, changes);
        };
    };
    // The five keys of every printer reach the file together or not at all:
    // the driver never reads a record that mixes two sets.
    CDriverIniWrite write;
    DWORD& error = m_outcome.recordError;
    if (!renaming) {
        if (!write.Prepare(plan(false), error))
            return false;
    } else {
        // Whether the section can follow the printer is known before the
        // spooler is asked: where it cannot, the printer keeps its name and
        // the record is written under it.
        const bool withMove = move && write.Prepare(plan(true), error);
        if (!withMove && !write.Prepare(plan(false), error))
            return false;
        RenameInSpooler(request, withMove || !move);
        if (withMove && m_outcome.rename != RenameDone && !write.Prepare(plan(false), error))
            return false;
        m_sectionFollowed = withMove && m_outcome.rename == RenameDone;
    }
    switch (write.Commit(error)) {
    case TextChangeDone:
        m_outcome.recordChanged = true;
        return true;
    case TextChangeNotNeeded:
        return true;
    default:
        m_sectionFollowed = false;
        m_formerSectionMoved = false;
        return RecordFailed();
    }
}

bool CProfileSetApply::PlanRecords(IIniValues& file, bool move, std::vector<IniSectionChange>& changes)
{
    changes.clear();
    m_formerSectionMoved = false;
    for (const Target& target : m_targets) {
        const PrinterRequest& request = target.request;
        IniSectionChange change{request.printer, std::string(), RecordEntries(request.setName, m_files)};
        // A rename run again: the spooler renamed the printer, but its
        // section may still stand under the old name. It moves only when the
        // new name has none, so that no newer record is written over.
        if (!request.formerName.empty()) {
            bool printerHas = false, formerHas = false;
            if (!file.HasLines(request.printer, printerHas) || !file.HasLines(request.formerName, formerHas))
                return false;
            if (!printerHas && formerHas) {
                change.section = request.formerName;
                change.moveTo = request.printer;
                m_formerSectionMoved = true;
            }
        }
        changes.push_back(change);
    }
    if (move) {
        const PrinterRequest& request = m_targets.front().request;
        changes.push_back({request.printer, request.newName, {}});
    }
    return true;
}

bool CProfileSetApply::RecordFailed()
{
    if (m_outcome.rename != RenameDone)
        return false;
    // The printer has its new name but the file has not changed: the section
    // stands under the old name. The printer gets its old name back, so that
    // the driver still finds its settings.
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

void CProfileSetApply::RenameInSpooler(const PrinterRequest& request, bool sectionCanFollow)
{
    // If the printer's section cannot follow it to its new name, the driver
    // would lose the printer's settings. So the name stays as it is.
    if (!sectionCanFollow) {
        m_outcome.rename = RenameSkippedUnreadable;
        return;
    }
    m_outcome.rename = RenamePrinter(request.printer.c_str(), request.newName.c_str(), &m_outcome.renameError)
                           ? RenameDone
                           : RenameRefused;
}
