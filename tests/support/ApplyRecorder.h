// The apply's callback for the operation's tests: answers its questions as
// the test sets them, counts them, and keeps each step it is told as one
// line ("installed T", "restart T", "kept T", "in place T", "failed T", "others FILE: P, Q",
// "recorded P", "renamed P", "moved P", "left P", "skipped P STOP",
// "ended P STOP"; a removal's "removed P SET", "no record P", "deleted T",
// "delete at restart T", "delete failed T", "still named F", "left for other users").
#pragma once

#include "operation/ApplyCallback.h"

#include <string>
#include <vector>

class ApplyRecorder : public IApplyCallback {
public:
    bool confirm = true;
    std::string correctedPath; // replaces a missing source once; empty: give up
    INT_PTR overwrite = OverwriteYes;
    int overwriteQuestions = 0;
    std::vector<std::string> missing; // the paths asked about
    std::vector<std::string> steps;

    bool ConfirmApply() override { return confirm; }
    bool SourceFileMissing(std::string& path, DWORD error) override;
    INT_PTR AskOverwrite(const std::string& source, const std::string& target) override;
    void FileCopied(const std::string& target, CopyResult result, DWORD) override
    {
        static const char* const kWords[] = {"installed ", "in place ", "restart ", "failed ", "kept "};
        steps.push_back(kWords[result] + target);
    }
    void OtherPrintersUseFile(const PrinterRequest& request, const std::string& fileName,
                              const std::vector<std::string>& printers) override;
    void SetRecorded(const PrinterRequest& request) override { steps.push_back("recorded " + request.printer); }
    void RenameEnded(const PrinterRequest& request, RenameResult result, DWORD error) override;
    void SectionMoveEnded(const PrinterRequest& request, bool moved) override;
    void PrinterSkipped(const PrinterRequest& request, ApplyStop why) override;
    void ApplyEnded(const PrinterRequest& request, const ApplyOutcome& outcome) override;
    void RecordRemoved(const PrinterRequest& request, bool hadRecord) override
    {
        steps.push_back(hadRecord ? "removed " + request.printer + " " + request.setName
                                  : "no record " + request.printer);
    }
    void FileDeleted(const std::string& target, CopyResult result, DWORD) override
    {
        steps.push_back((result == CopyFailed      ? "delete failed "
                         : result == CopyAtRestart ? "delete at restart "
                                                   : "deleted ") +
                        target);
    }
    void FileStillNamed(const std::string& fileName) override { steps.push_back("still named " + fileName); }
    void FilesLeftForOtherUsers() override { steps.push_back("left for other users"); }
};
