// The apply's callback for the operation's tests: answers its questions as
// the test sets them, counts them, and keeps each step it is told as one
// line ("installed T", "restart T", "kept T", "in place T", "failed T", "others FILE: P, Q",
// "recorded P", "renamed P", "moved P", "left P", "skipped P STOP",
// "ended P STOP").
#pragma once

#include "operation/ProfileSetApply.h"

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
    void FileInstalled(const std::string& target) override { steps.push_back("installed " + target); }
    void FileLeftForRestart(const std::string& target) override { steps.push_back("restart " + target); }
    void FileKept(const std::string& target) override { steps.push_back("kept " + target); }
    void FileInPlace(const std::string& target) override { steps.push_back("in place " + target); }
    void FileFailed(const std::string& target, DWORD) override { steps.push_back("failed " + target); }
    void OtherPrintersUseFile(const PrinterRequest& request, const std::string& fileName,
                              const std::vector<std::string>& printers) override;
    void SetRecorded(const PrinterRequest& request) override { steps.push_back("recorded " + request.printer); }
    void RenameEnded(const PrinterRequest& request, RenameResult result, DWORD error) override;
    void SectionMoveEnded(const PrinterRequest& request, bool moved) override;
    void PrinterSkipped(const PrinterRequest& request, ApplyStop why) override;
    void ApplyEnded(const PrinterRequest& request, const ApplyOutcome& outcome) override;
};
