#include "platform/FileReadable.h"

#include "classlib/Handle.h"
#include "platform/OsClass.h"
#include "platform/SourceTrust.h"

namespace {

// Opens path for reading as FileReadable describes; error is the system's
// reason when it cannot be opened. Opened as a source is (a named pipe
// there learns who asks but cannot act as this account).
CFileHandle OpenSharedForReading(const char* path, DWORD& error)
{
    // 95/98/Me refuse an open that names delete sharing (they have none).
    const DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE | (GetOsClass() == OsWin9x ? 0 : FILE_SHARE_DELETE);
    for (int tries = 1;; ++tries) {
        CFileHandle file(
            Win32().CreateFileA(path, GENERIC_READ, sharing, nullptr, OPEN_EXISTING, SourceOpenFlags(), nullptr));
        error = file.IsValid() ? 0 : ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION || tries == kHeldFileTries)
            return file;
        ::Sleep(kHeldFileRetryPause);
    }
}

} // namespace

bool FileReadable(const char* path)
{
    DWORD error = 0;
    return FileReadable(path, error);
}

bool FileReadable(const char* path, DWORD& error)
{
    return OpenSharedForReading(path, error).IsValid();
}

bool IsDiskFile(const char* path)
{
    // Without backup semantics a folder does not open; a device does, and
    // tells its kind.
    DWORD error = 0;
    const CFileHandle file = OpenSharedForReading(path, error);
    return file.IsValid() && ::GetFileType(file.Get()) == FILE_TYPE_DISK;
}
