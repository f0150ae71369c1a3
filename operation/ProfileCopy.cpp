#include "operation/ProfileCopy.h"

#include "classlib/PathParts.h"
#include "operation/InstalledFiles.h"
#include "platform/FileCompare.h"
#include "platform/FileReplace.h"
#include "platform/PlatformFlags.h"
#include "platform/SafeFileAccess.h"
#include "settings/InstallAccount.h"

OverwriteDecision DecideOverwrite(INT_PTR answer)
{
    switch (answer) {
    case OverwriteYes:
        return {true, false, false};
    case OverwriteAll:
        return {true, true, false};
    case OverwriteCancel:
        return {false, false, true};
    default: // No, or the dialog did not open
        return {false, false, false};
    }
}

namespace {

// Puts file in place of target (whose attributes are given) in one step, or,
// while another program holds target, at the next restart once beforeRestart
// agrees. A read-only target refuses the rename: read-only is lifted for the
// replacement and put back on the file that then holds the name (the
// replacement carries hidden, system and archive over itself), so that the
// file keeps the attributes the administrator gave it. file is left where it
// is on CopyFailed.
CopyResult PutInPlace(bool governed, const std::string& file, const std::string& target, DWORD attributes,
                      const std::function<bool()>& beforeRestart, DWORD& error)
{
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    const auto putReadOnlyOn = [&](const std::string& path) {
        if (readOnly)
            SafeSetFileAttributes(path.c_str(), SafeGetFileAttributes(path.c_str()) | FILE_ATTRIBUTE_READONLY);
    };
    if (readOnly) {
        const DWORD lifted = attributes & ~FILE_ATTRIBUTE_READONLY;
        SafeSetFileAttributes(target.c_str(), lifted != 0 ? lifted : FILE_ATTRIBUTE_NORMAL);
    }
    error = ReplaceWithTemp(governed, file, target);
    if (error == 0) {
        putReadOnlyOn(target);
        return CopyReplaced;
    }
    // Only a target the user agreed to replace (or the tool's own file) gets
    // here, so the restart replacement carries out that answer; file is its
    // source and carries the attributes the file put in place then keeps
    // (the held target keeps its own meanwhile, so that a later run sees
    // them).
    if (IsInUse(governed, error, target)) {
        if (beforeRestart() && ReplaceAtRestart(governed, file, target)) {
            // After the access list, which Wine keeps in the file's mode
            // along with read-only.
            putReadOnlyOn(file);
            putReadOnlyOn(target);
            return CopyAtRestart;
        }
        // Told as what it is: the file is in use (a rename over a held file
        // fails with access denied, which would read as a permission).
        error = ERROR_SHARING_VIOLATION;
    }
    putReadOnlyOn(target);
    return CopyFailed;
}

// An existing target's read-only, hidden, system and archive attributes stay
// with the file that replaces it (read-only is lifted for the replacement
// itself). The source is copied to a temporary file beside the target, which
// then replaces the target in one step (platform/FileReplace.h): the target is
// the old file or the new one, whole, whenever the process ends. A target that
// another program holds is replaced at the next restart where the system can.
// error is the system's reason for CopyFailed.
CopyResult CopyProfileFile(const std::string& source, const std::string& target, DWORD& error)
{
    // The targets lie in the native system and driver directories: the
    // redirection rule of the other profile-file calls holds.
    const bool governed = RunningOnWow64() != FALSE;
    const std::string folder = DirectoryPart(target);
    if (const DWORD recovery = RecoverLeftovers(governed, folder)) {
        error = recovery;
        return CopyFailed;
    }

    DWORD attributes = SafeGetFileAttributes(target.c_str());
    // A folder of the target's name is never replaced, now or at a restart.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = ERROR_ACCESS_DENIED;
        return CopyFailed;
    }
    // A target that already is the file is left alone: no write, no flush,
    // no restart for a file in use that is right already.
    DWORD compareError = 0;
    if (attributes != INVALID_FILE_ATTRIBUTES && CompareFileWithSource(source, target, compareError) == FilesSame) {
        ForgetEarlierRestartReplacements(governed, target, std::string());
        AccountFileInPlace(governed, target);
        return CopyInPlace;
    }

    std::string temp;
    if (!WriteTempCopy(governed, source, folder, temp)) {
        error = ::GetLastError();
        return CopyFailed;
    }
    // The account says what the tool puts there before it is there.
    CAccountedReplacement accounted;
    if (!accounted.Prepare(governed, target, temp, error)) {
        RemoveTemp(governed, temp);
        return CopyFailed;
    }
    const CopyResult result = PutInPlace(
        governed, temp, target, attributes, [&] { return accounted.KeepAtRestart(); }, error);
    if (result == CopyFailed) {
        accounted.Undo();
        RemoveTemp(governed, temp);
    }
    return result;
}

// Keeps an existing target as it is (the answer was not to replace it),
// taking back its deletion or replacement still waiting for the restart:
// CopyKept.
CopyResult KeepProfileFile(const std::string& target)
{
    // The file in place is the one the answer keeps: a deletion (a removal
    // while it was held) or a replacement still waiting for the restart
    // would undo that answer then.
    ForgetEarlierRestartReplacements(RunningOnWow64() != FALSE, target, std::string());
    return CopyKept;
}

} // namespace

CopyResult DeleteProfileFile(const std::string& target, DWORD& error)
{
    const bool governed = RunningOnWow64() != FALSE;
    if (const DWORD recovery = RecoverLeftovers(governed, DirectoryPart(target))) {
        error = recovery;
        return CopyFailed;
    }
    const DWORD attributes = SafeGetFileAttributes(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // A replacement still waiting would bring it back at the restart.
        ForgetEarlierRestartReplacements(governed, target, std::string());
        return CopyInPlace;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = ERROR_ACCESS_DENIED;
        return CopyFailed;
    }
    error = DeleteNow(governed, target);
    if (error == 0)
        return CopyReplaced;
    if (IsInUse(governed, error, target)) {
        if (DeleteAtRestart(governed, target))
            return CopyAtRestart;
        error = ERROR_SHARING_VIOLATION;
    }
    return CopyFailed;
}

CopyResult RestoreKeptOriginal(const std::string& target, DWORD& error)
{
    const bool governed = RunningOnWow64() != FALSE;
    if (const DWORD recovery = RecoverLeftovers(governed, DirectoryPart(target))) {
        error = recovery;
        return CopyFailed;
    }
    return PutInPlace(
        governed, KeptOriginalPath(target), target, SafeGetFileAttributes(target.c_str()), [] { return true; }, error);
}

void AddCopy(TargetCopies& copies, CopyResult result, const std::string& target, DWORD error)
{
    switch (result) {
    case CopyReplaced:
        copies.installed.push_back(target);
        break;
    case CopyAtRestart:
        copies.atRestart.push_back(target);
        break;
    case CopyInPlace:
        copies.inPlace.push_back(target);
        break;
    case CopyFailed:
        copies.failed.push_back({target, error});
        break;
    case CopyKept:
        break;
    }
}

void InstallToTargets(const std::string& source, const std::string targets[2], bool& overwriteAll,
                      bool& overwriteCancelled, TargetCopies& copies, const AskOverwrite& ask, const TargetTold& told)
{
    for (int i = 0; i < 2; ++i) {
        const std::string& target = targets[i];
        if (target.empty())
            continue;

        // Only a target that is there and differs from the set's file is
        // asked about: one that already is the file is left as it is by the
        // copy and told in place.
        bool copy = true;
        DWORD compareError = 0;
        if (!overwriteAll && SafeFilePresent(target.c_str()) &&
            CompareFileWithSource(source, target, compareError) != FilesSame) {
            if (overwriteCancelled) {
                copy = false;
            } else {
                const OverwriteDecision decision = DecideOverwrite(ask(source, target));
                copy = decision.copy;
                overwriteAll = decision.setOverwriteAll;
                overwriteCancelled = decision.setOverwriteCancelled;
            }
        }
        DWORD error = 0;
        const CopyResult result = copy ? CopyProfileFile(source, target, error) : KeepProfileFile(target);
        AddCopy(copies, result, target, error);
        if (told)
            told(target, result, error);
    }
}
