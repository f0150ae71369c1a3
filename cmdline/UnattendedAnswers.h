// The command line's side of the apply. Its questions are answered without
// asking anybody: the command line is the confirmation, a missing source file
// ends the apply (nobody could point to another), and an existing target is
// replaced or kept as the command line says. Each step becomes an output
// line as it happens; an apply that stopped early ends with a line that says
// where.
#pragma once

#include "cmdline/RunOutput.h"
#include "operation/ApplyCallback.h"

#include <windows.h>

#include <string>
#include <vector>

class CUnattendedAnswers : public IApplyCallback {
public:
    // overwrite: /overwrite's answer; output receives the lines and must
    // outlive the answers. removing: the run is a removal.
    CUnattendedAnswers(bool overwrite, CRunOutput& output, bool removing = false)
        : m_overwrite(overwrite), m_removing(removing), m_output(output)
    {
    }

    bool ConfirmApply() override { return true; }
    // Gives up at once; the file and the system's reason are told at the end.
    bool SourceFileMissing(std::string& path, DWORD error) override;
    // Yes or No, never "all" or "cancel", so that every existing target is
    // asked about and each kept one is told.
    INT_PTR AskOverwrite(const std::string& source, const std::string& target) override;

    void FileCopied(const std::string& target, CopyResult result, DWORD error) override;
    void OtherPrintersUseFile(const PrinterRequest& request, const std::string& fileName,
                              const std::vector<std::string>& printers) override;
    void SetRecorded(const PrinterRequest& request) override;
    void RenameEnded(const PrinterRequest& request, RenameResult result, DWORD error) override;
    void SectionMoveEnded(const PrinterRequest& request, bool moved) override;
    void ApplyEnded(const PrinterRequest& request, const ApplyOutcome& outcome) override;
    void AlreadyRenamed(const PrinterRequest& request) override;
    void PrinterSkipped(const PrinterRequest& request, ApplyStop why) override;
    void RecordRemoved(const PrinterRequest& request, bool hadRecord) override;
    void FileDeleted(const std::string& target, CopyResult result, DWORD error) override;
    void FileStillNamed(const std::string& fileName) override;
    void FilesLeftForOtherUsers() override;
    void FileLeft(const std::string& target, RemovalVerdict why, DWORD error) override;
    void FileRestored(const std::string& target, bool atRestart) override;

    // A target was kept as it was (the command line said no to replacing).
    bool KeptAny() const { return m_keptAny; }

private:
    // A line about the request's printer, which starts with its name.
    void Tell(const PrinterRequest& request, const std::string& text);


    bool m_keptAny = false;
    bool m_overwrite;
    bool m_removing;
    CRunOutput& m_output;
    std::string m_missing;
    DWORD m_missingError = 0;
};
