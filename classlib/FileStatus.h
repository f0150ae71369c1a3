// The file-status query: size, times and attributes of one file, looked up
// by name in its directory (FindFirstFileA), so that it also works for a file
// that is open elsewhere without sharing.
#pragma once

#include <windows.h>

// Seconds since 1970-01-01 UTC, at 64 bits: the run-time library's time_t of
// this 32-bit program ends in 2038, file times do not.
using FileSeconds = long long;

struct CFileStatus {
    ULONGLONG m_size = 0;    // bytes
    FileSeconds m_ctime = 0; // creation; 0 when unknown
    FileSeconds m_mtime = 0; // last write, same scale
    FileSeconds m_atime = 0; // last access, same scale
    DWORD m_attribute = 0;   // FILE_ATTRIBUTE_* bits
};

// Fills status for the file or folder at path; false when there is none, or
// when the path holds a wildcard ('*' or '?'), which would make it a search
// rather than one file. status is left alone on false.
bool GetFileStatus(const char* path, CFileStatus& status);

// The FILETIME of a time on that scale (0 or later).
FILETIME ToFileTime(FileSeconds time);
