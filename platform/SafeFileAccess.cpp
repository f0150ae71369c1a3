#include "platform/SafeFileAccess.h"

#include "classlib/FileStatus.h"
#include "classlib/Handle.h"
#include "platform/FsRedirection.h"
#include "platform/PlatformFlags.h"

// The profile copies go to the system directory and the driver directory,
// which under WOW64 must be the native ones: these calls are governed by the
// WOW64 flag alone. (Terminal Services only move the driver settings file.)

HANDLE SafeCreateFile(LPCSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security, DWORD creation,
                      DWORD flagsAndAttributes, HANDLE templateFile, bool governed)
{
    return CallWithoutFsRedirection(governed, [&] {
        return Win32().CreateFileA(fileName, access, shareMode, security, creation, flagsAndAttributes, templateFile);
    });
}

DWORD SafeGetFileAttributes(LPCSTR fileName, bool governed)
{
    return CallWithoutFsRedirection(governed, [&] { return ::GetFileAttributesA(fileName); });
}

BOOL SafeSetFileAttributes(LPCSTR fileName, DWORD attributes, bool governed)
{
    return CallWithoutFsRedirection(governed, [&] { return Win32().SetFileAttributesA(fileName, attributes); });
}

BOOL SafeDeleteFile(LPCSTR fileName, bool governed)
{
    return CallWithoutFsRedirection(governed, [&] { return Win32().DeleteFileA(fileName); });
}

BOOL SafeMoveFileEx(LPCSTR from, LPCSTR to, DWORD flags, bool governed)
{
    return CallWithoutFsRedirection(governed, [&] { return Win32().MoveFileExA(from, to, flags); });
}

BOOL SafeGetFileStatus(LPCSTR fileName, CFileStatus& status)
{
    return CallWithoutFsRedirection(RunningOnWow64() != FALSE,
                                    [&] { return GetFileStatus(fileName, status) ? TRUE : FALSE; });
}

bool SafeFilePresent(LPCSTR fileName)
{
    // No data access: such an open does not meet the sharing mode of another
    // program that holds the file, so a file in use counts as existing (and
    // its replacement is asked about like any other). A refusal for sharing
    // all the same still says that the file is there.
    CFileHandle file(
        SafeCreateFile(fileName, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    return file.IsValid() || ::GetLastError() == ERROR_SHARING_VIOLATION;
}
