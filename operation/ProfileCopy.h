// Installing one profile file into its targets, asking before an existing
// file is replaced. The answers "overwrite all" and "cancel" hold for the
// rest of one apply, so the caller keeps them across its files.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The answers of the overwrite question (the overwrite dialog's results).
enum OverwriteAnswer {
    OverwriteYes = IDYES,       // 6: replace this one
    OverwriteAll = 5,           // replace this one and every later one
    OverwriteNo = IDNO,         // 7: keep this one
    OverwriteCancel = IDCANCEL, // 2: keep this one and every later one
};

// What becomes of one existing target; a result other than the four answers
// (the dialog did not open) keeps the target.
struct OverwriteDecision {
    bool copy;
    bool setOverwriteAll;
    bool setOverwriteCancelled;
};
OverwriteDecision DecideOverwrite(INT_PTR answer);

// Asks about replacing target (an existing file) with source; returns the
// dialog's result.
using AskOverwrite = std::function<INT_PTR(const std::string& source, const std::string& target)>;

// What became of one target.
enum CopyResult {
    CopyReplaced,  // the target is now the source's file
    CopyInPlace,   // the target already was the source's file: nothing written
    CopyAtRestart, // another program holds the target: it is replaced at the next restart
    CopyFailed,    // the target is as it was
    CopyKept,      // the answer was not to replace it: the target is as it was
};

// Deletes a profile file that no record names any more: now, or, while
// another program holds it, at the next restart where the system can.
// Read-only is cleared first. A target that is not there needs nothing:
// CopyInPlace. error is the system's reason for CopyFailed.
CopyResult DeleteProfileFile(const std::string& target, DWORD& error);

// Puts the file that was kept aside when the tool first wrote target back in
// its place, in one step: now, or, while another program holds target, at
// the next restart where the system can. error is the system's reason for
// CopyFailed.
CopyResult RestoreKeptOriginal(const std::string& target, DWORD& error);

// A target that could not be written, with the system's reason.
struct FailedCopy {
    std::string target;
    DWORD error;
};
// The targets of one or more installations, or of a removal's deletions:
// those written (deleted) and those that could not be.
struct TargetCopies {
    std::vector<std::string> installed;
    std::vector<FailedCopy> failed;
    std::vector<std::string> atRestart; // replaced (deleted) at the next restart (in use now)
    std::vector<std::string> inPlace;   // already the source's file (already gone): left as it is
};

// Adds target to the list of copies its result puts it in (a kept target is
// in none).
void AddCopy(TargetCopies& copies, CopyResult result, const std::string& target, DWORD error);

// What became of one target, told as it happens; error is the system's
// reason for CopyFailed.
using TargetTold = std::function<void(const std::string& target, CopyResult result, DWORD error)>;

// Installs source into each non-empty target in turn, asking through ask
// about a target that differs from source while neither overwrite-all nor
// cancel has been answered (a target that already is source's file is left
// as it is and added as in place, unasked); records those two
// answers, and adds each target to copies as written, to be replaced at the
// restart, or failed (AddCopy), telling each through told when given.
void InstallToTargets(const std::string& source, const std::string targets[2], bool& overwriteAll,
                      bool& overwriteCancelled, TargetCopies& copies, const AskOverwrite& ask,
                      const TargetTold& told = nullptr);
