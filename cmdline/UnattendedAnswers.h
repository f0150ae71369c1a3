// The apply's questions answered without asking anybody: the command line is
// the confirmation, a missing source file ends the apply (nobody could point
// to another), and an existing target is replaced or kept as the command line
// says. What the answers decided is kept for the run's output.
#pragma once

#include "operation/ProfileSetApply.h"

#include <windows.h>
#include <string>
#include <vector>

class CUnattendedAnswers : public IApplyQuestions {
public:
    explicit CUnattendedAnswers(bool overwrite) : m_overwrite(overwrite) {}

    bool ConfirmApply() override { return true; }
    // True when the file can be opened for reading, as the copy error
    // dialog tests it; otherwise the path and the system's reason are kept.
    bool ConfirmSourceFile(std::string& path) override;
    // Yes or No, never "all" or "cancel", so that every existing target is
    // asked about and each kept one is known.
    INT_PTR AskOverwrite(const std::string& source, const std::string& target) override;

    const std::string& MissingSource() const { return m_missing; }
    DWORD MissingSourceError() const { return m_missingError; }
    const std::vector<std::string>& KeptTargets() const { return m_kept; }

private:
    bool m_overwrite;
    std::string m_missing;
    DWORD m_missingError = 0;
    std::vector<std::string> m_kept;
};
