#include "platform/FileExists.h"

#include "classlib/Handle.h"

bool FileExists(const char* path)
{
    DWORD error = 0;
    return FileExists(path, error);
}

bool FileExists(const char* path, DWORD& error)
{
    CFileHandle file(Win32().CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    error = file.IsValid() ? 0 : ::GetLastError();
    return file.IsValid();
}

bool IsDiskFile(const char* path)
{
    // Without backup semantics a folder does not open; a device does, and
    // tells its kind.
    CFileHandle file(Win32().CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         0, nullptr));
    return file.IsValid() && ::GetFileType(file.Get()) == FILE_TYPE_DISK;
}
