#include "platform/FileReplace.h"

#include "classlib/Handle.h"
#include "classlib/PathParts.h"
#include "platform/FsRedirection.h"
#include "platform/PendingRenames.h"
#include "platform/SafeFileAccess.h"
#include "platform/SourceTrust.h"

#include <cstdio>
#include <vector>

namespace {

const char kTempPrefix[] = "~kpx";
const char kTempSuffix[] = ".tmp";
const size_t kTempDigits = 8;
// Tries at a free name before giving up; a clash means another file of the
// pattern already has the name, which the next number avoids.
const int kNameTries = 32;
// The bytes a copy reads and writes at a time.
const DWORD kCopyChunk = 64 * 1024;
// The attributes a replacement carries over from the file it replaces.
const DWORD kKeptAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

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

// The old target's name for the moment between the two renames of a
// replacement on 95/98/Me: the target's own name, then ".~kpx", a mark of
// the new file's content and ".old". A later run that finds the backup beside
// its target deletes it only when the target has that content: then the
// replacement finished (only the backup's deletion was cut short) and the
// backup is the old file it replaced. A target of any other content took the
// name between the two renames (another program wrote it there, or put an
// older copy back), and the backup may be the only copy of the old file: it
// stays, as does a backup of an earlier version's name without a mark.
const char kBackupInfix[] = ".~kpx";
const char kBackupSuffix[] = ".old";
const size_t kMarkDigits = 16;
const char kUnmarkedBackupSuffix[] = ".~kpxold";

bool IsHexDigits(const std::string& text)
{
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

// The mark of a file's content: its 64-bit FNV-1a hash as sixteen hex
// digits. Not for security; two files of one mark and different contents do
// not meet by chance. False, with the system's reason as the last error,
// when the file cannot be read.
bool ContentMark(bool governed, const std::string& path, std::string& mark)
{
    CFileHandle file(CallWithoutFsRedirection(governed, [&] {
        return Win32().CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }));
    if (!file.IsValid())
        return false;
    unsigned long long hash = 14695981039346656037ull;
    std::vector<BYTE> buffer(64 * 1024);
    DWORD read = 0;
    do {
        if (!::ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
            return false;
        for (DWORD i = 0; i < read; ++i)
            hash = (hash ^ buffer[i]) * 1099511628211ull;
    } while (read > 0);
    char text[kMarkDigits + 1];
    std::snprintf(text, sizeof text, "%08lx%08lx", static_cast<unsigned long>(hash >> 32),
                  static_cast<unsigned long>(hash & 0xFFFFFFFFu));
    mark = text;
    return true;
}

// The file name of the target a backup's file name belongs to, and the
// mark it carries (empty for a backup without one); false for a name that
// is no backup's.
bool BackupOf(const std::string& name, std::string& targetName, std::string& mark)
{
    const size_t unmarked = sizeof kUnmarkedBackupSuffix - 1;
    if (name.size() > unmarked &&
        ::lstrcmpiA(name.substr(name.size() - unmarked).c_str(), kUnmarkedBackupSuffix) == 0) {
        targetName = name.substr(0, name.size() - unmarked);
        mark.clear();
        return true;
    }
    const size_t infix = sizeof kBackupInfix - 1, marked = infix + kMarkDigits + sizeof kBackupSuffix - 1;
    if (name.size() <= marked)
        return false;
    const std::string tail = name.substr(name.size() - marked);
    mark = tail.substr(infix, kMarkDigits);
    if (::lstrcmpiA(tail.substr(0, infix).c_str(), kBackupInfix) != 0 ||
        ::lstrcmpiA(tail.substr(infix + kMarkDigits).c_str(), kBackupSuffix) != 0 || !IsHexDigits(mark))
        return false;
    targetName = name.substr(0, name.size() - marked);
    return true;
}

// 95/98/Me: no rename replaces a file. The old target steps aside under its
// backup name, temp takes the target's name, the backup goes. A process ended
// between the two renames leaves the backup for the next run to put back.
DWORD MoveAsideThenIntoPlace(bool governed, const std::string& temp, const std::string& target)
{
    std::string mark;
    if (!ContentMark(governed, temp, mark))
        return ::GetLastError();
    // A backup of this name left by an earlier replacement is never
    // overwritten: the first rename then fails, and nothing has changed.
    const std::string backup = target + kBackupInfix + mark + kBackupSuffix;
    if (!CallWithoutFsRedirection(governed, [&] { return Win32().MoveFileA(target.c_str(), backup.c_str()); }))
        return ::GetLastError();
    if (!CallWithoutFsRedirection(governed, [&] { return Win32().MoveFileA(temp.c_str(), target.c_str()); })) {
        const DWORD error = ::GetLastError();
        // Should the old file not go back either (a file took the target's
        // name meanwhile), the backup stays beside it.
        CallWithoutFsRedirection(governed, [&] { return Win32().MoveFileA(backup.c_str(), target.c_str()); });
        return error;
    }
    RemoveTemp(governed, backup);
    return 0;
}

// temp renamed to target in one step, replacing it when it exists: the
// target's name holds the old file or the new one at every instant.
DWORD MoveIntoPlace(bool governed, const std::string& temp, const std::string& target, bool targetExists)
{
    if (SafeMoveFileEx(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH, governed))
        return 0;
    const DWORD error = ::GetLastError();
    if (error != ERROR_CALL_NOT_IMPLEMENTED)
        return error;
    if (!targetExists) {
        if (!CallWithoutFsRedirection(governed, [&] { return Win32().MoveFileA(temp.c_str(), target.c_str()); }))
            return ::GetLastError();
        return 0;
    }
    return MoveAsideThenIntoPlace(governed, temp, target);
}

// A temporary file of this tool that the pending list names as the source of
// a replacement of target.
bool IsOurPendingReplacementOf(const PendingRename& rename, const std::string& target)
{
    return !rename.target.empty() && ::lstrcmpiA(rename.target.c_str(), target.c_str()) == 0 &&
           IsReplaceTempName(FileNamePart(rename.source));
}

// A deletion of target waiting for the restart: a file put in place now must
// not be deleted then.
bool IsPendingDeletionOf(const PendingRename& rename, const std::string& target)
{
    return rename.target.empty() && ::lstrcmpiA(rename.source.c_str(), target.c_str()) == 0;
}

} // namespace

void ForgetEarlierRestartReplacements(bool governed, const std::string& target, const std::string& keep)
{
    std::vector<PendingRename> dropped;
    DropPendingRenames(
        [&](const PendingRename& rename) {
            return IsPendingDeletionOf(rename, target) ||
                   (IsOurPendingReplacementOf(rename, target) && ::lstrcmpiA(rename.source.c_str(), keep.c_str()) != 0);
        },
        &dropped);
    // Only a replacement taken back leaves a temporary file without a use.
    for (const PendingRename& rename : dropped) {
        if (!rename.target.empty())
            RemoveTemp(governed, rename.source);
    }
}

bool IsReplaceTempName(const std::string& fileName)
{
    const size_t prefix = sizeof kTempPrefix - 1, suffix = sizeof kTempSuffix - 1;
    if (fileName.size() != prefix + kTempDigits + suffix)
        return false;
    if (::lstrcmpiA(fileName.substr(0, prefix).c_str(), kTempPrefix) != 0 ||
        ::lstrcmpiA(fileName.substr(prefix + kTempDigits).c_str(), kTempSuffix) != 0)
        return false;
    return IsHexDigits(fileName.substr(prefix, kTempDigits));
}

namespace {

// The files of folder whose names match pattern and pass test.
// The files of folder whose names hold "~kpx": the temporary files and the
// backups, found in one look through the folder (the system directory holds
// thousands of files).
std::vector<std::string> OurFiles(bool governed, const std::string& folder)
{
    std::vector<std::string> found;
    const std::string wanted = InFolder(folder, std::string("*") + kTempPrefix + "*");
    WIN32_FIND_DATAA data;
    CFindHandle search(CallWithoutFsRedirection(governed, [&] { return ::FindFirstFileA(wanted.c_str(), &data); }));
    if (!search.IsValid())
        return found;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            found.push_back(data.cFileName);
    } while (::FindNextFileA(search.Get(), &data));
    return found;
}

} // namespace

DWORD RecoverLeftovers(bool governed, const std::string& folder)
{
    // A backup is the old target of a replacement cut short between its two
    // renames. With the target missing it is the only copy and goes back;
    // beside the target it goes only when the target is the replacement's
    // finished file (see kBackupInfix), and otherwise stays.
    const std::vector<std::string> ours = OurFiles(governed, folder);
    DWORD failure = 0;
    std::vector<std::string> temps;
    for (const std::string& name : ours) {
        if (IsReplaceTempName(name))
            temps.push_back(InFolder(folder, name));
        std::string targetName, mark;
        if (!BackupOf(name, targetName, mark))
            continue;
        const std::string backup = InFolder(folder, name);
        const std::string target = InFolder(folder, targetName);
        if (SafeGetFileAttributes(target.c_str(), governed) != INVALID_FILE_ATTRIBUTES) {
            std::string found;
            if (!mark.empty() && ContentMark(governed, target, found) && ::lstrcmpiA(found.c_str(), mark.c_str()) == 0)
                RemoveTemp(governed, backup);
        } else if (!CallWithoutFsRedirection(governed,
                                             [&] { return Win32().MoveFileA(backup.c_str(), target.c_str()); })) {
            failure = ::GetLastError();
        }
    }

    // A temporary file is only ever a new copy the target does not depend
    // on, unless a replacement waiting for the restart names it as source.
    if (temps.empty())
        return failure;
    const std::vector<std::string> pending = PendingRenamePaths();
    for (const std::string& path : temps) {
        if (!IsNamedIn(pending, path))
            RemoveTemp(governed, path);
    }
    return failure;
}

DWORD RecoverBackupOf(bool governed, const std::string& target)
{
    if (SafeGetFileAttributes(target.c_str(), governed) != INVALID_FILE_ATTRIBUTES)
        return 0;
    const std::string folder = DirectoryPart(target);
    WIN32_FIND_DATAA data;
    CFindHandle search(CallWithoutFsRedirection(
        governed, [&] { return ::FindFirstFileA((target + kBackupInfix + "*").c_str(), &data); }));
    if (!search.IsValid())
        return 0;
    do {
        std::string targetName, mark;
        if (!BackupOf(data.cFileName, targetName, mark) ||
            ::lstrcmpiA(targetName.c_str(), FileNamePart(target).c_str()) != 0)
            continue;
        const std::string backup = InFolder(folder, data.cFileName);
        if (!CallWithoutFsRedirection(governed, [&] { return Win32().MoveFileA(backup.c_str(), target.c_str()); }))
            return ::GetLastError();
        return 0;
    } while (::FindNextFileA(search.Get(), &data));
    return 0;
}

namespace {

// Makes a new temporary file in folder under a free name of the pattern with
// make, which fails with ERROR_FILE_EXISTS or ERROR_ALREADY_EXISTS where the
// name is taken (the next is tried); false, with the system's reason as the
// last error, when none could be made (a part left of one is removed).
template <typename Make>
bool MakeTemp(bool governed, const std::string& folder, std::string& temp, Make make)
{
    for (int i = 0; i < kNameTries; ++i) {
        temp = InFolder(folder, NextTempName());
        if (make(temp))
            return true;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            // A copy cut short may leave part of the file.
            if (SafeGetFileAttributes(temp.c_str(), governed) != INVALID_FILE_ATTRIBUTES)
                RemoveTemp(governed, temp);
            temp.clear();
            ::SetLastError(error);
            return false;
        }
    }
    temp.clear();
    return false;
}

// Makes path (a new file) and has fill write it through the handle, then
// flushes it. False with the system's reason as the last error; never
// ERROR_FILE_EXISTS once the file was made, so that MakeTemp removes it
// rather than trying the next name.
template <typename Fill>
bool WriteNewFile(bool governed, const std::string& path, Fill fill)
{
    CFileHandle file(CallWithoutFsRedirection(governed, [&] {
        return Win32().CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    }));
    if (!file.IsValid())
        return false;
    if (fill(file.Get()) && Win32().FlushFileBuffers(file.Get()))
        return true;
    const DWORD error = ::GetLastError();
    ::SetLastError(error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS || error == 0 ? ERROR_WRITE_FAULT
                                                                                             : error);
    return false;
}

bool WriteWhole(HANDLE file, const char* bytes, DWORD size)
{
    DWORD written = 0;
    return ::WriteFile(file, bytes, size, &written, nullptr) && written == size;
}

} // namespace

bool WriteTempBytes(bool governed, const std::string& folder, const std::vector<std::string_view>& pieces,
                    std::string& temp)
{
    return MakeTemp(governed, folder, temp, [&](const std::string& path) {
        return WriteNewFile(governed, path, [&](HANDLE file) {
            for (const std::string_view& piece : pieces) {
                if (!WriteWhole(file, piece.data(), static_cast<DWORD>(piece.size())))
                    return false;
            }
            return true;
        });
    });
}

bool WriteTempCopy(bool governed, const std::string& source, const std::string& folder, std::string& temp)
{
    if (source.empty())
        return MakeTemp(governed, folder, temp, [&](const std::string& path) {
            return WriteNewFile(governed, path, [](HANDLE) { return true; });
        });

    // Read through one handle, opened as every source is (a named pipe in
    // its place cannot act as this account), so the bytes copied are those
    // of the file opened.
    CFileHandle input(CallWithoutFsRedirection(governed, [&] {
        return Win32().CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_SEQUENTIAL_SCAN | SourceOpenFlags(), nullptr);
    }));
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!input.IsValid() || !::GetFileInformationByHandle(input.Get(), &info)) {
        temp.clear();
        return false;
    }
    std::vector<char> chunk(kCopyChunk);
    return MakeTemp(governed, folder, temp, [&](const std::string& path) {
        return WriteNewFile(governed, path, [&](HANDLE file) {
            for (;;) {
                DWORD read = 0;
                if (!::ReadFile(input.Get(), chunk.data(), kCopyChunk, &read, nullptr))
                    return false;
                if (read == 0)
                    break;
                if (!WriteWhole(file, chunk.data(), read))
                    return false;
            }
            // The copy keeps the source's last-write time, as a copy by the
            // system does: a target held without sharing is judged by it
            // (platform/FileCompare.h).
            return ::SetFileTime(file, nullptr, nullptr, &info.ftLastWriteTime) != FALSE;
        });
    });
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
    SafeSetFileAttributes(temp.c_str(), FILE_ATTRIBUTE_NORMAL, governed);
    SafeDeleteFile(temp.c_str(), governed);
}

DWORD ReplaceWithTemp(bool governed, const std::string& temp, const std::string& target)
{
    const DWORD attributes = SafeGetFileAttributes(target.c_str(), governed);
    const bool targetExists = attributes != INVALID_FILE_ATTRIBUTES;
    if (targetExists) {
        // What the replaced file had, the new one gets: its access list and
        // its attributes (a read-only target refuses the rename, as it
        // refuses a write).
        CopyPermissions(governed, target, temp);
        const DWORD kept = attributes & kKeptAttributes;
        SafeSetFileAttributes(temp.c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL, governed);
    }
    const DWORD error = MoveIntoPlace(governed, temp, target, targetExists);
    if (error == 0)
        ForgetEarlierRestartReplacements(governed, target, std::string());
    return error;
}

DWORD DeleteNow(bool governed, const std::string& target)
{
    // A read-only file refuses the deletion; it keeps its attributes when
    // the deletion fails for another reason.
    const DWORD attributes = SafeGetFileAttributes(target.c_str(), governed);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SafeSetFileAttributes(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY, governed);
    if (!SafeDeleteFile(target.c_str(), governed)) {
        const DWORD error = ::GetLastError();
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            SafeSetFileAttributes(target.c_str(), attributes, governed);
        return error;
    }
    ForgetEarlierRestartReplacements(governed, target, std::string());
    return 0;
}

bool DeleteAtRestart(bool governed, const std::string& target)
{
    // Replacements waiting for the same target go first: the file would
    // otherwise come back after the deletion.
    ForgetEarlierRestartReplacements(governed, target, std::string());
    return CallWithoutFsRedirection(governed, [&] {
               return Win32().MoveFileExA(target.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
           }) != FALSE;
}

bool IsInUse(bool governed, DWORD error, const std::string& target)
{
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return true;
    if (error != ERROR_ACCESS_DENIED)
        return false;
    // A file mapped by a running program, or held open without sharing,
    // refuses the rename with access denied, and so do the file's
    // permissions. A file whose permissions allow its deletion opens for
    // deletion with every sharing granted unless a program holds it.
    const DWORD attributes = SafeGetFileAttributes(target.c_str(), governed);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    CFileHandle file(CallWithoutFsRedirection(governed, [&] {
        return Win32().CreateFileA(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }));
    return file.IsValid() || ::GetLastError() == ERROR_SHARING_VIOLATION;
}

bool ReplaceAtRestart(bool governed, const std::string& temp, const std::string& target)
{
    // The access list goes on the temporary file now, so that the file put
    // in place at the restart keeps the target's.
    CopyPermissions(governed, target, temp);
    if (!SafeMoveFileEx(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT,
                        governed))
        return false;
    ForgetEarlierRestartReplacements(governed, target, temp);
    return true;
}
