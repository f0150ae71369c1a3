// The one callback through which an apply asks its questions and tells its
// steps; each face implements it.
#pragma once

#include "operation/ApplyOutcome.h"
#include "operation/ApplyRequest.h"
#include "operation/InstalledFiles.h"

#include <windows.h>

#include <string>
#include <vector>

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

    // What became of one target of the set's files: written, left to be
    // replaced at the next restart (another program holds it), already the
    // set's file, kept (the answer was no) or not written (error: the
    // system's reason).
    virtual void FileCopied(const std::string& /*target*/, CopyResult /*result*/, DWORD /*error*/) {}
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
    // A file the removed records named was deleted (CopyReplaced), is deleted
    // at the next restart (CopyAtRestart: another program holds it) or could
    // not be deleted (CopyFailed, error: the system's reason).
    virtual void FileDeleted(const std::string& /*target*/, CopyResult /*result*/, DWORD /*error*/) {}
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
