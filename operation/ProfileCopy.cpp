#include "operation/ProfileCopy.h"

#include "platform/SafeFileAccess.h"

OverwriteDecision DecideOverwrite(INT_PTR answer)
{
    switch (answer) {
    case OverwriteYes:
        return {true, false, false};
    case OverwriteAll:
        return {true, true, false};
    case OverwriteCancel:
        return {false, false, true};
    default:  // No, or the dialog did not open
        return {false, false, false};
    }
}

BOOL CopyProfileFile(const std::string& source, const std::string& target)
{
    DWORD attributes = SafeGetFileAttributes(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SafeSetFileAttributes(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    return SafeCopyFile(source.c_str(), target.c_str(), FALSE);
}

void InstallToTargets(const std::string& source, const std::string targets[2],
                      bool& overwriteAll, bool& overwriteCancelled, bool& copyFailed,
                      const AskOverwrite& ask)
{
    TargetCopies copies;
    InstallToTargets(source, targets, overwriteAll, overwriteCancelled, copies, ask);
    if (!copies.failed.empty())
        copyFailed = true;
}

void InstallToTargets(const std::string& source, const std::string targets[2],
                      bool& overwriteAll, bool& overwriteCancelled, TargetCopies& copies,
                      const AskOverwrite& ask)
{
    for (int i = 0; i < 2; ++i) {
        const std::string& target = targets[i];
        if (target.empty())
            continue;

        bool copy = true;
        if (SafeFileExists(target.c_str())) {
            if (overwriteAll) {
                copy = true;
            } else if (overwriteCancelled) {
                copy = false;
            } else {
                OverwriteDecision decision = DecideOverwrite(ask(source, target));
                copy = decision.copy;
                overwriteAll = overwriteAll || decision.setOverwriteAll;
                overwriteCancelled = overwriteCancelled || decision.setOverwriteCancelled;
            }
        }
        if (!copy)
            continue;
        if (CopyProfileFile(source, target))
            copies.installed.push_back(target);
        else
            copies.failed.push_back({target, GetLastError()});
    }
}
