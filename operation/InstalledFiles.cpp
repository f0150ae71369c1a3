#include "operation/InstalledFiles.h"

#include "classlib/Handle.h"
#include "classlib/PathParts.h"
#include "classlib/Win32Api.h"
#include "platform/FileDigest.h"
#include "platform/FileReplace.h"
#include "platform/FileStamp.h"
#include "platform/FsRedirection.h"
#include "platform/PendingRenames.h"
#include "platform/SafeFileAccess.h"

namespace {

// The copy of target beside it under its kept name, replaced whole.
DWORD KeepOriginal(bool governed, const std::string& target)
{
    std::string temp;
    if (!WriteTempCopy(governed, target, DirectoryPart(target), temp))
        return ::GetLastError();
    const DWORD error = ReplaceWithTemp(governed, temp, KeptOriginalPath(target));
    if (error != 0)
        RemoveTemp(governed, temp);
    return error;
}

} // namespace

bool CAccountedReplacement::Prepare(bool governed, const std::string& target, const std::string& temp, DWORD& error)
{
    m_governed = governed;
    m_target = target;
    if (!m_account.Load(error))
        return false;
    const InstalledFile* entry = m_account.Find(target);
    m_hadEntry = entry != nullptr;
    InstalledFile file;
    file.target = target;
    if (entry) {
        m_before = *entry;
        file.originalKept = entry->originalKept;
    } else if (SafeGetFileAttributes(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        // The first time the tool writes under this name: what stands there
        // is somebody else's, and comes back when the tool's file goes.
        error = KeepOriginal(governed, target);
        if (error != 0 && !IsInUse(governed, error, target))
            return false;
        m_keepAtRestart = error != 0;
        file.originalKept = true;
    }
    if (!FileDigest(governed, temp, file.digest, error))
        return false;
    const FileStamp stamp = StampOf(governed, temp);
    file.size = stamp.size;
    file.written = stamp.written;
    m_account.Put(file);
    return m_account.Save(error);
}

bool CAccountedReplacement::KeepAtRestart()
{
    if (!m_keepAtRestart)
        return true;
    // Carried out in order at the restart: the old file steps aside before
    // the new one takes its name.
    m_keepScheduled = CallWithoutFsRedirection(m_governed, [&] {
                          return Win32().MoveFileExA(m_target.c_str(), KeptOriginalPath(m_target).c_str(),
                                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT);
                      }) != FALSE;
    return m_keepScheduled;
}

void CAccountedReplacement::Undo()
{
    // No new file comes at the restart: the old one must not step aside then.
    if (m_keepScheduled) {
        const std::string kept = KeptOriginalPath(m_target);
        DropPendingRenames([&](const PendingRename& rename) {
            return ::lstrcmpiA(rename.source.c_str(), m_target.c_str()) == 0 &&
                   ::lstrcmpiA(rename.target.c_str(), kept.c_str()) == 0;
        });
    }
    if (m_hadEntry)
        m_account.Put(m_before);
    else
        m_account.Drop(m_target);
    DWORD ignored = 0;
    m_account.Save(ignored);
}

void AccountFileInPlace(bool governed, const std::string& target)
{
    CInstallAccount account;
    DWORD error = 0;
    if (!account.Load(error))
        return;
    const InstalledFile* entry = account.Find(target);
    if (!entry)
        return;
    InstalledFile file = *entry;
    if (!FileDigest(governed, target, file.digest, error) || file.digest == entry->digest)
        return;
    const FileStamp stamp = StampOf(governed, target);
    file.size = stamp.size;
    file.written = stamp.written;
    account.Put(file);
    account.Save(error);
}

RemovalVerdict DecideRemoval(bool governed, const CInstallAccount& account, const std::string& target,
                             const IsSetFile& isSetFile, DWORD& error)
{
    error = 0;
    const InstalledFile* entry = account.Find(target);
    const bool kept = entry && entry->originalKept &&
                      SafeGetFileAttributes(KeptOriginalPath(target).c_str()) != INVALID_FILE_ATTRIBUTES;
    WIN32_FIND_DATAA found;
    CFindHandle search(CallWithoutFsRedirection(governed, [&] { return ::FindFirstFileA(target.c_str(), &found); }));
    if (!search.IsValid())
        return kept ? RemoveRestore : RemoveNothingThere;
    // A name with "~" may be the short name of another file; a name the
    // folder knows under another long name is one.
    const std::string name = FileNamePart(target);
    if (name.find('~') != std::string::npos || ::lstrcmpiA(found.cFileName, name.c_str()) != 0)
        return RemoveLeaveAlias;
    if (!entry)
        return isSetFile(target) ? RemoveDelete : RemoveLeaveNotOurs;
    std::string digest;
    if (FileDigest(governed, target, digest, error)) {
        if (digest != entry->digest)
            return RemoveLeaveChanged;
    } else if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        // Held without sharing (a driver printing with it): the tool's file
        // still when its size and last-write time are those the tool left.
        const FileStamp stamp = StampOf(governed, target);
        if (stamp.size != entry->size || stamp.written != entry->written)
            return RemoveLeaveChanged;
    } else {
        return RemoveLeaveUnreadable;
    }
    return kept ? RemoveRestore : RemoveDelete;
}
