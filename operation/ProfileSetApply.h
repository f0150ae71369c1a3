// The apply: one profile set made the set of one printer. The operation
// confirms the set's source files, installs each distinct file into the
// system directory and the printer's driver directory, records the set and
// the file names in the printer's section of the driver settings file, and,
// when a new name is given, renames the printer and moves its section.
//
// It has no window of its own and makes every decision itself. It asks its
// questions (go ahead? where is a missing source file? replace an existing
// target?) and tells each step as it happens through one IApplyCallback that
// the face provides: the main dialog answers with its dialogs and reports
// once at the end, the command line answers as its switches say and writes
// a line per step. What happened also comes back as one ApplyOutcome.
#pragma once

#include "operation/NewNameCheck.h"
#include "operation/ProfileCopy.h"
#include "operation/ProfileFileName.h"
#include "printers/PrinterSnapshot.h"
#include "settings/KPXSetupINI.h"
#include "settings/ProfileKind.h"

#include <windows.h>
#include <string>
#include <vector>

class CDriverINI;

struct ApplyRequest {
    std::string printer; // the printer's name now
    std::string setName; // the set it is to use
    std::string newName; // its name afterwards; equal to printer for none
    // A rename run again: the name the printer had before an earlier run
    // renamed it to printer (empty otherwise). A section still standing
    // under it, with none under printer, moves to printer with the record.
    std::string formerName = std::string();
};

// Where an apply stopped.
enum ApplyStop {
    ApplyCompleted,      // every step was taken (failures of single steps are listed)
    ApplyDeclined,       // the user did not confirm: nothing changed
    ApplyUnrecordable,   // the printer's name has a blank at an end: nothing changed
    ApplyNewNameRefused, // the new name fails the name check (nameVerdict): nothing changed
    ApplyPrinterGone,    // the printer, under its name, or its driver directory cannot be
                         // had (renamed or deleted meanwhile): nothing changed
    ApplySourceGivenUp,  // a source file was not found: nothing changed
    ApplyFileNameClash,  // two of the set's files have one file name: nothing changed
    ApplyBadProfileFile, // a file is no profile file to install (badFile): nothing changed
    ApplyNotRecorded,    // files were installed, but the set could not be recorded
};

// What became of the rename.
enum RenameResult {
    RenameNotAsked,          // the name stays as it was
    RenameDone,              // the spooler accepted the new name
    RenameRefused,           // the spooler refused it (renameError)
    RenameSkippedUnreadable, // the section just written could not be read back, so the
                             // printer was not renamed: its settings would stay behind
};

struct ApplyOutcome {
    ApplyStop stop = ApplyDeclined;
    NewNameVerdict nameVerdict = NewNameUnchanged; // the new name's check
    std::string clashingFile;                      // the shared file name, for ApplyFileNameClash
    std::string badFile;                           // the refused source, for ApplyBadProfileFile,
    ProfileKind badKind = ProfileAuto;             // and the kind it stands for
    TargetCopies copies;                           // targets written and targets that could not be
    bool recorded = false;                         // the set and file names are in the settings file
    DWORD recordError = 0;                         // the system's reason for ApplyNotRecorded (may be 0)
    RenameResult rename = RenameNotAsked;
    DWORD renameError = 0;          // the system's reason for RenameRefused (may be 0)
    bool sectionMoved = false;      // the section now stands under the new name
    bool sectionLeftBehind = false; // renamed, but the section could not be written
                                    // under the new name and stays under the old one

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
    virtual void FileFailed(const std::string& /*target*/, DWORD /*error*/) {}
    // A file of the set was written whose file name other printers' records
    // name under another set: they print with this set's file from now on.
    virtual void OtherPrintersUseFile(const ApplyRequest& /*request*/, const std::string& /*fileName*/,
                                      const std::vector<std::string>& /*printers*/)
    {
    }
    // The set and its file names are recorded for the printer.
    virtual void SetRecorded(const ApplyRequest& /*request*/) {}
    // What became of the rename (never RenameNotAsked); error is the system's
    // reason for RenameRefused.
    virtual void RenameEnded(const ApplyRequest& /*request*/, RenameResult /*result*/, DWORD /*error*/) {}
    // After a rename: the section now stands under the new name (moved), or
    // could not be written there and stays under the old one.
    virtual void SectionMoveEnded(const ApplyRequest& /*request*/, bool /*moved*/) {}
    // The apply has ended; the outcome says where and what became of the
    // record, the rename and the section.
    virtual void ApplyEnded(const ApplyRequest& /*request*/, const ApplyOutcome& /*outcome*/) {}

    // Told before anything else when request.formerName is given: the
    // printer of that name is already called request.printer.
    virtual void AlreadyRenamed(const ApplyRequest& /*request*/) {}
    // Of several printers, this one is left out and the others go on; why
    // is ApplyUnrecordable or ApplyPrinterGone.
    virtual void PrinterSkipped(const ApplyRequest& /*request*/, ApplyStop /*why*/) {}
};

// One set for several printers in one run (FleetApply.cpp).
struct FleetRequest {
    std::vector<std::string> printers; // as the spooler spells them, each once
    std::string setName;
    // Every printer was asked for (not each by name): a printer that cannot
    // have a record of its own or is gone by now is skipped, and the others
    // go on. Otherwise such a printer stops the run before anything changes.
    bool skipUnusable = false;
};

// One printer's part of a run for several printers.
struct FleetPrinter {
    ApplyRequest request;
    std::string driverDirectory; // with its trailing backslash; empty on 9x
    ApplyOutcome outcome;        // its targets' copies, its record
};

struct FleetOutcome {
    // ApplyCompleted once the files were installed (each printer's outcome
    // then says what became of its part); otherwise where the run stopped,
    // before anything changed.
    ApplyStop stop = ApplyDeclined;
    ApplyOutcome stopDetail;            // the stop's details (the refused file, the clash)
    std::vector<FleetPrinter> printers; // each printer applied to, in the request's order
};

class CProfileSetApply {
public:
    // The tool settings file names the sets' files; the questions and steps
    // go to callback, which must outlive the operation.
    CProfileSetApply(const CKPXSetupINI& toolIni, IApplyCallback& callback);

    // Runs every step for the request, in order, and says what happened.
    // printers: the names the spooler knows, for the new name's check.
    ApplyOutcome Run(const ApplyRequest& request, const CPrinterSnapshot& printers);

    // The set for every printer of the request: every printer and the set
    // are checked before anything is written; each of the set's files is
    // installed once into the system directory and once into each distinct
    // driver directory; all records reach the driver settings file in one
    // replacement of it. No rename. ApplyEnded is told once per printer
    // applied to, or once (for the printer that stopped it, else the first)
    // when the run stopped before it wrote.
    FleetOutcome RunForPrinters(const FleetRequest& request);

    // The set's four source files, checked as an apply checks them before it
    // writes (each exists, is a profile file, no two share a file name);
    // ApplyCompleted when they pass, with the files in Files(). What stopped
    // it is noted in outcome (badFile, clashingFile).
    ApplyStop ReadSetFiles(const std::string& setName, ApplyOutcome& outcome);
    const std::string* Files() const { return m_files; }

private:
    // Reads the set's four paths and makes sure each exists, asking about a
    // missing one until it does; false when the face gave up on one.
    bool GatherProfileFiles(const std::string& setName);
    // Installs one file into the printer's two targets, asking before an
    // existing file is replaced, under the answers of the current apply.
    void InstallProfileFile(const std::string& sourcePath);
    // The same into the given targets (an empty one is left out).
    void InstallIntoTargets(const std::string& sourcePath, const std::string targets[2]);
    // Checks one printer of a run for several (FleetApply.cpp).
    ApplyStop CheckFleetPrinter(const std::string& printer, std::string& driverDirectory);
    // Installs the set's files into every printer's folders, each once.
    void InstallForPrinters(const std::vector<FleetPrinter>& printers);
    // Tells the callback what became of each of targets, from the copies
    // added since the lists of the outcome held before's counts.
    struct CopyCounts {
        size_t installed, failed, atRestart;
    };
    void TellSteps(const std::string targets[2], const CopyCounts& before);
    // The steps of Run in order; where they stopped (the rest of the outcome
    // is filled as they go).
    ApplyStop RunSteps(const ApplyRequest& request, const CPrinterSnapshot& printers);
    // The file name that two different source files share; empty when none.
    std::string FindFileNameClash() const;
    // Finds the first file that may not be installed and notes it in the
    // outcome; false when there is one.
    bool CheckProfileFiles(ApplyOutcome& outcome);
    // Opens the printer and checks that it is the one asked for (a printer
    // renamed meanwhile may still open under its old name); keeps its driver
    // directory for the targets. False when it is gone.
    bool PrinterStillThere(const std::string& printer);
    // Records the set, and with renaming renames the printer and moves its
    // section to the new name in the same replacement of the file; the
    // outcome says what became of the rename and the section. False when the
    // set could not be recorded (the printer then keeps its name).
    bool RecordSet(const ApplyRequest& request, bool renaming);
    // The changes of RecordSet on the copy of the file: the record, for a
    // rename run again taking the section along from the former name when
    // only it has one; with renaming, the spooler's rename first, and the
    // record under the new name with the section taken along.
    bool WriteRecord(CDriverINI& copy, const ApplyRequest& request, bool renaming);
    // Asks the spooler for the new name, unless the printer's section cannot
    // be read whole (it could not follow).
    void RenameInSpooler(const ApplyRequest& request, bool sectionReadable);
    // Tells the callback of the printers under other sets that now use a
    // file this apply wrote.
    void TellOtherPrintersUsing(const ApplyRequest& request, const CPrinterSnapshot& printers);

    const CKPXSetupINI& m_toolIni;
    IApplyCallback& m_callback;
    std::string m_files[4];
    std::string m_driverDirectory; // the printer's, looked up once per apply
    bool m_overwriteAll = false;
    bool m_overwriteCancelled = false;
    bool m_formerSectionMoved = false; // a rename run again took the section along
    bool m_sectionFollowed = false;    // the section moved to the printer's new name
    bool m_moveFailed = false;         // the renamed printer's section could not move
    ApplyOutcome m_outcome;
};
