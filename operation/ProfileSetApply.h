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

#include "operation/ApplyCallback.h"
#include "operation/ApplyOutcome.h"
#include "operation/ApplyRequest.h"
#include "operation/ProfileSet.h"

#include <array>
#include <string>
#include <vector>

class CDriverDirectories;
class CInstallAccount;
class CKPXSetupINI;
class CPrinterSnapshot;
class IIniValues;
struct IniSectionChange;

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
