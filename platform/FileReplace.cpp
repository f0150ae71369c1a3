#include "platform/FileReplace.h"

#include "classlib/Handle.h"
#include "classlib/PathParts.h"
#include "platform/FsRedirection.h"
#include "platform/PendingRenames.h"

#include <cstdio>
#include <vector>

namespace {

const char kTempPrefix[] = "~kpx";
const char kTempSuffix[] = ".tmp";
const size_t kTempDigits = 8;
// Tries at a free name before giving up; a clash means another file of the
// pattern already has the name, which the next number avoids.
const int kNameTries = 32;

std::string InFolder(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder[folder.size() - 1] == '\\')
        return folder + name;
    return folder + "\\" + name;
}

// A name of the pattern not used before in this process. The tick count and
// the process id make names of two runs differ; the counter names within one.
std::string NextTempName()
{
    static DWORD counter = 0;
    const DWORD number = (::GetTickCount() << 8) ^ (::GetCurrentProcessId() << 20) ^ ++counter;
    char name[32];
    std::snprintf(name, sizeof name, "%s%08lx%s", kTempPrefix, static_cast<unsigned long>(number), kTempSuffix);
    return name;
}

DWORD Attributes(bool governed, const std::string& path)
{
    return CallWithoutFsRedirection(governed, [&] { return ::GetFileAttributesA(path.c_str()); });
}

BOOL SetAttributes(bool governed, const std::string& path, DWORD attributes)
{
    return CallWithoutFsRedirection(governed, [&] { return Win32().SetFileAttributesA(path.c_str(), attributes); });
}

BOOL Delete(bool governed, const std::string& path)
{
    return CallWithoutFsRedirection(governed, [&] { return Win32().DeleteFileA(path.c_str()); });
}

BOOL MoveEx(bool governed, const std::string& from, const std::string& to, DWORD flags)
{
    return CallWithoutFsRedirection(governed, [&] { return Win32().MoveFileExA(from.c_str(), to.c_str(), flags); });
}

// Makes an empty file at path; fails when it exists.
BOOL CreateEmpty(bool governed, const std::string& path)
{
    CFileHandle file(CallWithoutFsRedirection(governed, [&] {
        return Win32().CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    }));
    return file.IsValid();
}

// The target's access list put on temp, so that the file that takes its
// place keeps the permissions the administrator gave it. Only where the
// security calls exist (NT); a failure leaves temp with the folder's
// inherited permissions, which is what a new file there gets anyway.
void CopyPermissions(bool governed, const std::string& target, const std::string& temp)
{
    if (!Win32().GetFileSecurityA || !Win32().SetFileSecurityA)
        return;
    const SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    CallWithoutFsRedirection(governed,
                             [&] { return Win32().GetFileSecurityA(target.c_str(), what, nullptr, 0, &needed); });
    if (needed == 0)
        return;
    std::vector<BYTE> descriptor(needed);
    if (!CallWithoutFsRedirection(governed, [&] {
            return Win32().GetFileSecurityA(target.c_str(), what, descriptor.data(), needed, &needed);
        }))
        return;
    CallWithoutFsRedirection(governed, [&] { return Win32().SetFileSecurityA(temp.c_str(), what, descriptor.data()); });
}

// temp renamed to target, replacing it when it exists.
DWORD MoveIntoPlace(bool governed, const std::string& temp, const std::string& target)
{
    if (MoveEx(governed, temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    const DWORD error = ::GetLastError();
    if (error != ERROR_CALL_NOT_IMPLEMENTED)
        return error;
    // 95/98/Me: no rename replaces a file. Between the deletion and the
    // rename the target is missing (see the header).
    if (Attributes(governed, target) != INVALID_FILE_ATTRIBUTES && !Delete(governed, target))
        return ::GetLastError();
    if (!CallWithoutFsRedirection(governed, [&] { return Win32().MoveFileA(temp.c_str(), target.c_str()); }))
        return ::GetLastError();
    return 0;
}

// A name of the pattern in folder that no file has now.
std::string FreeTempPath(bool governed, const std::string& folder)
{
    for (int i = 0; i < kNameTries; ++i) {
        const std::string path = InFolder(folder, NextTempName());
        if (Attributes(governed, path) == INVALID_FILE_ATTRIBUTES)
            return path;
    }
    return InFolder(folder, NextTempName());
}

// ReplaceFileA with a backup name: if it fails, the old target is still
// there under its name (with the one exception handled below).
DWORD ReplaceKeepingBackup(bool governed, const std::string& temp, const std::string& target)
{
    const std::string backup = FreeTempPath(governed, DirectoryPart(target));
    if (CallWithoutFsRedirection(governed, [&] {
            return Win32().ReplaceFileA(target.c_str(), temp.c_str(), backup.c_str(), 0, nullptr, nullptr);
        })) {
        Delete(governed, backup);
        return 0;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The old target was moved to the backup name and the new one could
        // not follow: the old one goes back.
        MoveEx(governed, backup, target, 0);
    } else if (Attributes(governed, backup) != INVALID_FILE_ATTRIBUTES) {
        Delete(governed, backup);
    }
    return error;
}

} // namespace

bool IsReplaceTempName(const std::string& fileName)
{
    const size_t prefix = sizeof kTempPrefix - 1, suffix = sizeof kTempSuffix - 1;
    if (fileName.size() != prefix + kTempDigits + suffix)
        return false;
    if (::lstrcmpiA(fileName.substr(0, prefix).c_str(), kTempPrefix) != 0 ||
        ::lstrcmpiA(fileName.substr(prefix + kTempDigits).c_str(), kTempSuffix) != 0)
        return false;
    for (size_t i = prefix; i < prefix + kTempDigits; ++i) {
        const char c = fileName[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

void RemoveLeftoverTemps(bool governed, const std::string& folder)
{
    std::vector<std::string> found;
    const std::string pattern = InFolder(folder, std::string(kTempPrefix) + "*" + kTempSuffix);
    WIN32_FIND_DATAA data;
    CFindHandle search(CallWithoutFsRedirection(governed, [&] { return ::FindFirstFileA(pattern.c_str(), &data); }));
    if (!search.IsValid())
        return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsReplaceTempName(data.cFileName))
            found.push_back(InFolder(folder, data.cFileName));
    } while (::FindNextFileA(search.Get(), &data));
    search.Reset();

    if (found.empty())
        return;
    // The source of a replacement still waiting for the restart is no leftover.
    const std::vector<std::string> pending = PendingRenamePaths();
    for (const std::string& path : found) {
        if (!IsNamedIn(pending, path))
            RemoveTemp(governed, path);
    }
}

bool WriteTempCopy(bool governed, const std::string& source, const std::string& folder, std::string& temp)
{
    for (int i = 0; i < kNameTries; ++i) {
        temp = InFolder(folder, NextTempName());
        const BOOL written = source.empty() ? CreateEmpty(governed, temp) : CallWithoutFsRedirection(governed, [&] {
            return Win32().CopyFileA(source.c_str(), temp.c_str(), TRUE);
        });
        if (written)
            break;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            // A copy cut short may leave part of the file.
            if (Attributes(governed, temp) != INVALID_FILE_ATTRIBUTES)
                RemoveTemp(governed, temp);
            temp.clear();
            ::SetLastError(error);
            return false;
        }
        if (i + 1 == kNameTries) {
            temp.clear();
            return false;
        }
    }

    // The copy takes the source's attributes; a read-only copy cannot be
    // opened to flush, so read-only is lifted for the flush only.
    const DWORD attributes = Attributes(governed, temp);
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly)
        SetAttributes(governed, temp, attributes & ~FILE_ATTRIBUTE_READONLY);
    const bool flushed = FlushFileToDisk(governed, temp);
    const DWORD error = ::GetLastError();
    if (readOnly)
        SetAttributes(governed, temp, attributes);
    if (!flushed) {
        RemoveTemp(governed, temp);
        temp.clear();
        ::SetLastError(error);
        return false;
    }
    return true;
}

bool FlushFileToDisk(bool governed, const std::string& path)
{
    CFileHandle file(CallWithoutFsRedirection(governed, [&] {
        return Win32().CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    }));
    return file.IsValid() && Win32().FlushFileBuffers(file.Get());
}

void RemoveTemp(bool governed, const std::string& temp)
{
    SetAttributes(governed, temp, FILE_ATTRIBUTE_NORMAL);
    Delete(governed, temp);
}

DWORD ReplaceWithTemp(bool governed, const std::string& temp, const std::string& target)
{
    if (Attributes(governed, target) == INVALID_FILE_ATTRIBUTES)
        return MoveIntoPlace(governed, temp, target);
    if (Win32().ReplaceFileA)
        return ReplaceKeepingBackup(governed, temp, target);
    CopyPermissions(governed, target, temp);
    return MoveIntoPlace(governed, temp, target);
}

bool IsHeldError(DWORD error)
{
    // ReplaceFileA reports a held target as a sharing violation, or as a
    // replaced file it cannot remove; MoveFileExA as access denied.
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

bool ReplaceAtRestart(bool governed, const std::string& temp, const std::string& target)
{
    return MoveEx(governed, temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
}
