#include "platform/FileExists.h"

#include "classlib/Handle.h"

bool FileExists(const char* path)
{
    CFileHandle file(Win32().CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return file.IsValid();
}

bool IsDiskFile(const char* path)
{
    // Without backup semantics a folder does not open; a device does, and
    // tells its kind.
    CFileHandle file(Win32().CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
    return file.IsValid() && ::GetFileType(file.Get()) == FILE_TYPE_DISK;
}
