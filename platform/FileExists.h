#pragma once

#include <windows.h>

// True when the file can be opened for reading with no sharing. A file that
// another process holds open therefore counts as missing. File-system
// redirection is left as it is (SafeFileExists is the redirection-safe form).
bool FileExists(const char* path);
// The same, with error set to the system's reason when it cannot be opened
// (a missing file or folder, a file another process holds, an empty path).
bool FileExists(const char* path, DWORD& error);

// True when path names a file on a disk: not a folder, not a device (a
// console, a port, NUL), which would open as well.
bool IsDiskFile(const char* path);
