#pragma once

#include <windows.h>

// How often, and how far apart, a file another program holds without sharing
// is tried again before it counts as unreadable: about a second in all, as
// long as a virus scanner or a copy holds a file it has just met.
const int kHeldFileTries = 5;
const DWORD kHeldFileRetryPause = 250; // milliseconds

// True when the file can be opened for reading. The open grants every
// sharing, so another program reading or writing it meanwhile (a virus
// scanner, a preview, another machine on a share) does not disturb it; a file
// held without sharing is tried again for about a second before it counts as
// missing. It is opened as every source is (SourceOpenFlags): a named pipe
// in its place cannot act as this account. File-system redirection is left
// as it is. Whether a target is there at all, readable or not, is
// SafeFilePresent's question.
bool FileReadable(const char* path);
// The same, with error set to the system's reason when it cannot be opened
// (a missing file or folder, a file another process keeps holding, an empty
// path).
bool FileReadable(const char* path, DWORD& error);

// True when path names a file on a disk: not a folder, not a device (a
// console, a port, NUL), which would open as well. Opened as FileReadable
// opens it, so a file in brief use elsewhere is judged all the same.
bool IsDiskFile(const char* path);
