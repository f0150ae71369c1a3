// File calls that reach the native system directory from this 32-bit program
// under WOW64: while RunningOnWow64() is set, file-system redirection is
// switched off for exactly one wrapped call and switched back on at once.
// Each function takes the arguments of the call it wraps and returns its
// result unchanged. Elsewhere they are the plain calls.
#pragma once

#include "platform/PlatformFlags.h"

#include <windows.h>

struct CFileStatus;

// governed: redirection is switched off for the call. By default the WOW64
// flag decides; the driver settings file passes its own rule (Terminal
// Services move it elsewhere).
HANDLE SafeCreateFile(LPCSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security, DWORD creation,
                      DWORD flagsAndAttributes, HANDLE templateFile, bool governed = RunningOnWow64() != FALSE);
DWORD SafeGetFileAttributes(LPCSTR fileName, bool governed = RunningOnWow64() != FALSE);
BOOL SafeSetFileAttributes(LPCSTR fileName, DWORD attributes, bool governed = RunningOnWow64() != FALSE);
BOOL SafeDeleteFile(LPCSTR fileName, bool governed = RunningOnWow64() != FALSE);
BOOL SafeMoveFileEx(LPCSTR from, LPCSTR to, DWORD flags, bool governed = RunningOnWow64() != FALSE);
// The file-status query (size, times, attributes) by path.
BOOL SafeGetFileStatus(LPCSTR fileName, CFileStatus& status);

// True when the file exists, also while another program holds it open
// without sharing; looked up with redirection switched off under WOW64.
bool SafeFilePresent(LPCSTR fileName);
