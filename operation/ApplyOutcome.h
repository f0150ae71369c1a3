// What became of an apply: where it stopped, what became of the rename, each
// printer's part, and the run as a whole.
#pragma once

#include "operation/ApplyRequest.h"
#include "operation/NewNameCheck.h"
#include "operation/ProfileCopy.h"
#include "platform/SourceTrust.h"
#include "settings/ProfileKind.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

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
