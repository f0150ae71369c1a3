// The apply: one profile set made the set of one printer or of many. The
// operation confirms the set's source files, installs each distinct file
// into the system directory and into each printer's driver directory (each
// folder once), records the set and the file names in each printer's section
// of the driver settings file (all records in one replacement of it), and,
// when one printer is given a new name, renames it and moves its section.
//
// It has no window of its own and makes every decision itself. It asks its
// questions (go ahead? where is a missing source file? replace an existing
// target?) and tells each step as it happens through one IApplyCallback that
// the face provides: the main dialog answers with its dialogs and reports
// once at the end, the command line answers as its switches say and writes
// a line per step. What happened also comes back as one ApplyResult.
#pragma once

#include "operation/InstalledFiles.h"
#include "operation/NewNameCheck.h"
#include "operation/ProfileCopy.h"
#include "operation/ProfileSet.h"
#include "printers/PrinterSnapshot.h"
#include "settings/DriverIniChange.h"
#include "settings/KPXSetupINI.h"
#include "settings/ProfileKind.h"

#include <windows.h>
#include <array>
#include <string>
#include <utility>
#include <vector>

class CDriverINI;
class CDriverDirectories;
class CInstallAccount;

// What one apply is asked to do.
struct ApplyRequest {
    std::vector<std::string> printers; // as the spooler spells them, each once
    std::string setName;               // the set they are to use
    // One printer only: its name afterwards (its own name for none; an empty
    // one is refused). A rename run again: the name the printer had before an earlier
    // run renamed it (empty otherwise); a section still standing under it,
    // with none under the printer's name, moves with the record.
    std::string newName = std::string();
    std::string formerName = std::string();
    // Every printer was asked for (not each by name): a printer that cannot
    // have a record of its own or is gone by now is skipped, and the others
    // go on. Otherwise such a printer stops the apply before anything changes.
    bool skipUnusable = false;
    // The printers' records are removed instead (setName is not used), and
    // the files they named that no record names any more are deleted.
    bool remove = false;
    // The callback is told of the printers under other sets that now print
    // with a file this apply wrote (OtherPrintersUseFile). Finding them reads
    // every other printer's record, so a face that shows no such line leaves
    // it off.
    bool tellOtherPrinters = false;
};

// One printer's part of an apply, as the callback is told of it.
struct PrinterRequest {
    std::string printer; // the printer's name now
    std::string setName; // the set it is to use
    std::string newName; // its name afterwards; equal to printer for none
    std::string formerName = std::string();
};

// Where an apply stopped.
enum ApplyStop {
    ApplyCompleted,       // every step was taken (failures of single steps are listed)
    ApplyDeclined,        // the user did not confirm: nothing changed
    ApplyUnrecordable,    // the printer's name has a blank at an end: nothing changed
    ApplyNewNameRefused,  // the new name fails the name check (nameVerdict): nothing changed
    ApplyPrinterGone,     // the printer, under its name, or its driver directory cannot be
                          // had (renamed or deleted meanwhile): nothing changed
    ApplySourceGivenUp,   // a source file was not found: nothing changed
    ApplyFileNameClash,   // two of the set's files have one file name: nothing changed
    ApplyBadProfileFile,  // a file is no profile file to install (badFile): nothing changed
    ApplyNotRecorded,     // files were installed, but the set could not be recorded
    ApplyUntrustedSource, // others than administrators may change a file (badFile, trust): nothing changed
};

// What became of the rename.
enum RenameResult {
    RenameNotAsked,          // the name stays as it was
    RenameDone,              // the spooler accepted the new name
    RenameRefused,           // the spooler refused it (renameError)
    RenameSkippedUnreadable, // the section just written could not be read back, so the
                             // printer was not renamed: its settings would stay behind
};

// What became of one printer's part. An apply that stopped before it wrote
// has one, for the printer that stopped it (or its first).
struct ApplyOutcome {
    ApplyStop stop = ApplyDeclined;
    NewNameVerdict nameVerdict = NewNameUnchanged; // the new name's check
    std::string clashingFile;                      // the shared file name, for ApplyFileNameClash
    std::string badFile;                           // the refused source, for ApplyBadProfileFile and
    ProfileKind badKind = ProfileAuto;             // ApplyUntrustedSource, and the kind it stands for
    SourceTrust trust;                             // why, for ApplyUntrustedSource
    TargetCopies copies;                           // the printer's targets written and those that could not be
    DWORD recordError = 0;                         // the system's reason for ApplyNotRecorded (may be 0)
    bool accountUnreadable = false;                // a removal: the account of installed files could not be read
    RenameResult rename = RenameNotAsked;
    DWORD renameError = 0;          // the system's reason for RenameRefused (may be 0)
    bool sectionLeftBehind = false; // renamed, but the section could not be written
                                    // under the new name and stays under the old one
    // The driver settings file was replaced for the records: a removal
    // removed this printer's record; an apply found a record not in place
    // (with several printers, one of theirs).
    bool recordChanged = false;

    // The set and file names are in the settings file (a removal: gone from it).
    bool Recorded() const { return stop == ApplyCompleted; }
    // Something of this printer's part changed the machine: a file written
    // (or deleted), now or at the restart, the record, or the name.
    bool Changed() const
    {
        return recordChanged || !copies.installed.empty() || !copies.atRestart.empty() || rename == RenameDone ||
               sectionLeftBehind;
    }
    // Everything that was asked for happened.
    bool Complete() const
    {
        return stop == ApplyCompleted && copies.failed.empty() && (rename == RenameNotAsked || rename == RenameDone) &&
               !sectionLeftBehind;
    }
};

// What an apply asks and tells. The questions must be answered; the steps
// are told as they happen, and a face that reports only at the end may leave
// them as they are.
class IApplyCallback {
public:
    virtual ~IApplyCallback() = default;

    // Asked once, before anything changes; false ends the apply untouched.
    virtual bool ConfirmApply() = 0;
    // The source file at path cannot be opened for reading (error: the
    // system's reason). True to test path again, which the face may have
    // corrected; false to give up, which ends the apply untouched.
    virtual bool SourceFileMissing(std::string& path, DWORD error) = 0;
    // An existing target would be replaced by source: the overwrite answer
    // (OverwriteYes, OverwriteAll, OverwriteNo or OverwriteCancel).
    virtual INT_PTR AskOverwrite(const std::string& source, const std::string& target) = 0;

    // A target was written, left to be replaced at the next restart (another
    // program holds it), kept (the answer was no) or could not be written.
    virtual void FileInstalled(const std::string& /*target*/) {}
    virtual void FileLeftForRestart(const std::string& /*target*/) {}
    virtual void FileKept(const std::string& /*target*/) {}
    // A target already was the set's file: nothing was written.
    virtual void FileInPlace(const std::string& /*target*/) {}
    virtual void FileFailed(const std::string& /*target*/, DWORD /*error*/) {}
    // A file of the set was written whose file name other printers' records
    // name under another set: they print with this set's file from now on.
    virtual void OtherPrintersUseFile(const PrinterRequest& /*request*/, const std::string& /*fileName*/,
                                      const std::vector<std::string>& /*printers*/)
    {
    }
    // The set and its file names are recorded for the printer.
    virtual void SetRecorded(const PrinterRequest& /*request*/) {}
    // What became of the rename (never RenameNotAsked); error is the system's
    // reason for RenameRefused.
    virtual void RenameEnded(const PrinterRequest& /*request*/, RenameResult /*result*/, DWORD /*error*/) {}
    // After a rename: the section now stands under the new name (moved), or
    // could not be written there and stays under the old one.
    virtual void SectionMoveEnded(const PrinterRequest& /*request*/, bool /*moved*/) {}
    // The apply has ended; the outcome says where and what became of the
    // record, the rename and the section.
    virtual void ApplyEnded(const PrinterRequest& /*request*/, const ApplyOutcome& /*outcome*/) {}

    // Told before anything else when request.formerName is given: the
    // printer of that name is already called request.printer.
    virtual void AlreadyRenamed(const PrinterRequest& /*request*/) {}
    // Of several printers, this one is left out and the others go on; why
    // is ApplyUnrecordable or ApplyPrinterGone.
    virtual void PrinterSkipped(const PrinterRequest& /*request*/, ApplyStop /*why*/) {}

    // A removal: the printer's record (of request.setName) is gone from the
    // settings file, or it had none.
    virtual void RecordRemoved(const PrinterRequest& /*request*/, bool /*hadRecord*/) {}
    // A file the removed records named was deleted, is deleted at the next
    // restart (another program holds it) or could not be deleted.
    virtual void FileDeleted(const std::string& /*target*/) {}
    virtual void FileDeletedAtRestart(const std::string& /*target*/) {}
    virtual void FileDeleteFailed(const std::string& /*target*/, DWORD /*error*/) {}
    // A file the removed records named stays: other records name it.
    virtual void FileStillNamed(const std::string& /*fileName*/) {}
    // A file no record names any more stays: the tool did not put it there,
    // it changed since, its name may be another file's short name, or it
    // cannot be read (error).
    virtual void FileLeft(const std::string& /*target*/, RemovalVerdict /*why*/, DWORD /*error*/) {}
    // The file the tool replaced first is back at target, now or at the
    // next restart (another program holds the target).
    virtual void FileRestored(const std::string& /*target*/, bool /*atRestart*/) {}
    // Every file the removed records named stays: under Terminal Services
    // each user has a settings file of their own, which this run cannot read.
    virtual void FilesLeftForOtherUsers() {}
};

struct PrinterApplied {
    PrinterRequest request;
    ApplyOutcome outcome;
};

// What became of an apply.
struct ApplyResult {
    // ApplyCompleted once files were installed and the records written
    // (each printer's outcome then says what became of its part); otherwise
    // where the apply stopped, before anything changed.
    ApplyStop stop = ApplyDeclined;
    // Each printer applied to, in the request's order; after a stop, the
    // printer that stopped it (or the first) with the stop's details; none
    // when every printer was skipped.
    std::vector<PrinterApplied> printers;
    // The printers left out under skipUnusable, with why.
    std::vector<std::pair<std::string, ApplyStop>> skipped;
};

// Where an apply stops for what reading its set found.
ApplyStop ApplyStopFor(SetFault fault);

// One printer as the apply takes it just before it writes: ApplyCompleted
// with its driver directory (with its trailing backslash; empty where that
// is no target), ApplyUnrecordable for a name that cannot have a section of
// its own, ApplyPrinterGone for one the spooler no longer has under its name.
// directories: the run's, so that each driver's directory is asked once.
// printers: the run's snapshot, whose kept handle (if any) stands for a
// second open.
ApplyStop CheckPrinterForApply(const std::string& printer, const CPrinterSnapshot& printers,
                               CDriverDirectories& directories, std::string& driverDirectory);

class CProfileSetApply {
public:
    // The tool settings file names the sets' files; the questions and steps
    // go to callback, which must outlive the operation.
    CProfileSetApply(const CKPXSetupINI& toolIni, IApplyCallback& callback);

    // Runs every step for the request, in order, and says what happened.
    // printers: the names the spooler knows, for the new name's check and
    // for the other printers that print with a file the apply replaces.
    // Every printer and the set are checked before anything is written.
    ApplyResult Run(const ApplyRequest& request, const CPrinterSnapshot& printers);

private:
    // One printer of the apply and where its driver keeps its files (with
    // its trailing backslash; empty where that is no target).
    struct Target {
        PrinterRequest request;
        std::string driverDirectory;
        bool hadRecord = false; // a removal found a record to remove
    };

    // The steps of Run in order; where they stopped and at which printer.
    ApplyStop RunSteps(const ApplyRequest& request, const CPrinterSnapshot& printers, ApplyResult& result);
    // Keeps the printers that may have a record of their own and are still
    // there (skipping or stopping at the others); false when the apply stops.
    bool FindTargets(const ApplyRequest& request, const CPrinterSnapshot& printers, ApplyResult& result);
    // Where file (a source path or a file name) goes, in pairs given to the
    // copy together: the system directory with the first driver directory,
    // then each other distinct driver directory of the printers alone (an
    // empty path is no target).
    std::vector<std::array<std::string, 2>> TargetPairs(const std::string& file) const;
    // Installs the set's files, each once into the system directory and
    // into each distinct driver directory.
    void InstallFiles();
    // Installs one file into the given targets (an empty one is left out),
    // asking before an existing file is replaced, under the answers of the
    // current apply, and tells each target's step.
    void InstallIntoTargets(const std::string& sourcePath, const std::string targets[2]);
    // Records the set for every printer, and with renaming renames the one
    // printer and moves its section to the new name in the same replacement
    // of the file; m_outcome says what became of the rename and the section.
    // False when the set could not be recorded (the printer then keeps its
    // name).
    bool RecordSet(bool renaming);
    // The records of every printer as changes of the file read in file: for
    // a rename run again taken along from the former name when only it has
    // a section; with move, the renamed printer's section moved to its new
    // name. False when the file cannot be read for it.
    bool PlanRecords(IIniValues& file, bool move, std::vector<IniSectionChange>& changes);
    // The file was not changed, but the printer was renamed: its old name
    // back. False: the set is not recorded.
    bool RecordFailed();
    // Asks the spooler for the new name, unless the printer's section cannot
    // follow it.
    void RenameInSpooler(const PrinterRequest& request, bool sectionCanFollow);
    // A removal: every printer's record goes in one replacement of the
    // settings file; named gets the file names the removed records named,
    // stillNamed those the records left name. False when the file could not
    // be changed or read whole.
    bool RemoveRecords(std::vector<std::string>& named, std::vector<std::string>& stillNamed);
    // Takes the files no record names any more (stillNamed: those the
    // records left name) out of the system directory and each printer's
    // driver directory as the account allows, the files the removed records
    // named (named) and those the tool put in place for earlier sets,
    // telling each step; the account follows.
    void DeleteFiles(CInstallAccount& account, const std::vector<std::string>& named,
                     const std::vector<std::string>& stillNamed);
    // A target the account does not name is byte for byte a file that a set
    // of the tool settings file installs under its name.
    bool IsSetFile(const std::string& target) const;
    // Tells the callback of the printers under other sets that now use a
    // file this apply wrote.
    void TellOtherPrintersUsing(const CPrinterSnapshot& printers);
    // Each printer's part once the records are written, told in order.
    void TellPrinters(bool renaming, ApplyResult& result);

    const CKPXSetupINI& m_toolIni;
    IApplyCallback& m_callback;
    std::vector<Target> m_targets;
    std::string m_files[4];
    bool m_overwriteAll = false;
    bool m_overwriteCancelled = false;
    bool m_formerSectionMoved = false; // a rename run again took the section along
    bool m_sectionFollowed = false;    // the section moved to the printer's new name
    bool m_removing = false;           // the request is a removal
    ApplyOutcome m_outcome;            // the run's: every copy, the record, the rename
};
