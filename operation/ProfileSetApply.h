// The apply: one profile set made the set of one printer. The operation
// confirms the set's source files, installs each distinct file into the
// system directory and the printer's driver directory, records the set and
// the file names in the printer's section of the driver settings file, and,
// when a new name is given, renames the printer and moves its section.
//
// It has no window of its own. The questions it must ask (go ahead? where is
// a missing source file? replace an existing target?) go to an IApplyQuestions
// that the caller provides: the main dialog answers with its dialogs, an
// unattended run with fixed answers. What happened comes back as one
// ApplyOutcome, from which the caller tells the user once.
#pragma once

#include "operation/ProfileCopy.h"
#include "operation/ProfileFileName.h"
#include "settings/KPXSetupINI.h"
#include "settings/ProfileKind.h"

#include <windows.h>
#include <string>
#include <vector>

class IApplyQuestions {
public:
    virtual ~IApplyQuestions() = default;
    // Asked once, before anything changes; false ends the apply untouched.
    virtual bool ConfirmApply() = 0;
    // True when the file at path exists, after the user may have corrected
    // path; false when the user gave up on it.
    virtual bool ConfirmSourceFile(std::string& path) = 0;
    // An existing target would be replaced by source: the overwrite answer
    // (OverwriteYes, OverwriteAll, OverwriteNo or OverwriteCancel).
    virtual INT_PTR AskOverwrite(const std::string& source, const std::string& target) = 0;
};

struct ApplyRequest {
    std::string printer;   // the printer's name now
    std::string setName;   // the set it is to use
    std::string newName;   // its name afterwards; equal to printer for none
};

// Where an apply stopped.
enum ApplyStop {
    ApplyCompleted,      // every step was taken (failures of single steps are listed)
    ApplyDeclined,       // the user did not confirm: nothing changed
    ApplyUnrecordable,   // the printer's name has a blank at an end: nothing changed
    ApplyNewNameRefused, // the new name has a blank at an end: nothing changed
    ApplyPrinterGone,    // the printer or its driver directory cannot be had (renamed or
                         // deleted meanwhile): nothing changed
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
    std::string clashingFile;               // the shared file name, for ApplyFileNameClash
    std::string badFile;                    // the refused source, for ApplyBadProfileFile,
    ProfileKind badKind = ProfileAuto;      // and the kind it stands for
    TargetCopies copies;                    // targets written and targets that could not be
    bool recorded = false;                  // the set and file names are in the settings file
    RenameResult rename = RenameNotAsked;
    DWORD renameError = 0;                  // the system's reason for RenameRefused (may be 0)
    bool sectionMoved = false;              // the section now stands under the new name
    bool sectionLeftBehind = false;         // renamed, but the section could not be written
                                            // under the new name and stays under the old one

    // Everything that was asked for happened.
    bool Complete() const
    {
        return stop == ApplyCompleted && copies.failed.empty() &&
               (rename == RenameNotAsked || rename == RenameDone) && !sectionLeftBehind;
    }
};

class CProfileSetApply {
public:
    // The tool settings file names the sets' files; the questions go to
    // questions, which must outlive the operation.
    CProfileSetApply(const CKPXSetupINI& toolIni, IApplyQuestions& questions);

    // Runs every step for the request, in order, and says what happened.
    ApplyOutcome Run(const ApplyRequest& request);

private:
    // Reads the set's four paths and has each confirmed to exist; false when
    // the user gave up on one.
    bool GatherProfileFiles(const std::string& setName);
    // Installs one file into the printer's two targets, asking before an
    // existing file is replaced, under the answers of the current apply.
    void InstallProfileFile(const std::string& printer, const std::string& sourcePath);
    // The steps of Run in order; where they stopped (the rest of the outcome
    // is filled as they go).
    ApplyStop RunSteps(const ApplyRequest& request);
    // The file name that two different source files share; empty when none.
    std::string FindFileNameClash() const;
    // Finds the first file that may not be installed and notes it in the
    // outcome; false when there is one.
    bool CheckProfileFiles();
    bool PrinterStillThere(const std::string& printer) const;
    bool RecordSet(const std::string& printer, const std::string& setName);
    void RenameAndMove(const ApplyRequest& request);

    const CKPXSetupINI& m_toolIni;
    IApplyQuestions& m_questions;
    std::string m_files[4];
    bool m_overwriteAll = false;
    bool m_overwriteCancelled = false;
    ApplyOutcome m_outcome;
};
