// The platform seam: one entry per Win32 call that the program makes where a
// test must be able to stand in for the system. Each entry has exactly the
// signature of the call it is named after and is the real function by default.
// Code calls Win32().OpenMutexA(...) instead of ::OpenMutexA(...); a test
// replaces one entry for its duration with ScopedApiOverride (tests/support).
//
// Only calls whose outcome Wine cannot be made to produce need to come through
// here (another user's mutex, a refused open, a printer status, a failed
// allocation, a version, a service state, a rename the spooler accepts).
#pragma once

#include "classlib/SystemFunctionList.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>
#include <winspool.h>

typedef BOOL(WINAPI* GetFileSecurityFn)(LPCSTR fileName, SECURITY_INFORMATION requested,
                                        PSECURITY_DESCRIPTOR descriptor, DWORD length, LPDWORD needed);
typedef BOOL(WINAPI* SetFileSecurityFn)(LPCSTR fileName, SECURITY_INFORMATION info, PSECURITY_DESCRIPTOR descriptor);
typedef BOOL(WINAPI* GetKernelObjectSecurityFn)(HANDLE handle, SECURITY_INFORMATION requested,
                                                PSECURITY_DESCRIPTOR descriptor, DWORD length, LPDWORD needed);
typedef LONG(WINAPI* RegQueryValueExWFn)(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                         LPDWORD size);
typedef LONG(WINAPI* RegSetValueExWFn)(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data,
                                       DWORD size);

struct Win32Api {
    // Version, WOW64 and services
    decltype(&::GetVersionExA) GetVersionExA;
    decltype(&::LoadLibraryExA) LoadLibraryExA; // system DLLs by full path (classlib/SystemLibrary.h)
    decltype(&::GetProcAddress) GetProcAddress;
    decltype(&::FreeLibrary) FreeLibrary;
    decltype(&::OpenSCManagerA) OpenSCManagerA;
    decltype(&::OpenServiceA) OpenServiceA;
    decltype(&::QueryServiceStatus) QueryServiceStatus;
    decltype(&::CloseServiceHandle) CloseServiceHandle;

    // Kernel objects, windows, modules
    decltype(&::CreateMutexA) CreateMutexA;
    decltype(&::OpenMutexA) OpenMutexA;
    decltype(&::ReleaseMutex) ReleaseMutex;
    decltype(&::CloseHandle) CloseHandle;
    decltype(&::FindWindowA) FindWindowA;
    decltype(&::IsIconic) IsIconic;
    decltype(&::ShowWindow) ShowWindow;
    decltype(&::BringWindowToTop) BringWindowToTop;
    decltype(&::SetForegroundWindow) SetForegroundWindow;
    decltype(&::SendMessageTimeoutA) SendMessageTimeoutA;
    decltype(&::GetModuleFileNameA) GetModuleFileNameA;
    decltype(&::OpenThreadToken) OpenThreadToken;
    decltype(&::OpenProcessToken) OpenProcessToken;
    decltype(&::MessageBoxA) MessageBoxA;
    decltype(&::MessageBeep) MessageBeep; // a test hears the refusal of a character
    decltype(&::GetComputerNameA) GetComputerNameA;
    decltype(&::GetLocalTime) GetLocalTime; // the log's time stamp

    // Common dialogs: taken at run time from comdlg32.dll in the system
    // directory (classlib/SystemFunctions.h), never imported; the entries are
    // those of its list (classlib/SystemFunctionList.h). Common controls.
    KPX_COMMON_DIALOG_FUNCTIONS(KPX_FUNCTION_ENTRY)
    decltype(&::InitCommonControls) InitCommonControls; // where InitCommonControlsEx is missing

    // Help engines (HTML Help is reached through LoadLibraryExA/GetProcAddress)
    decltype(&::WinHelpA) WinHelpA;

    // Memory
    decltype(&::GlobalAlloc) GlobalAlloc;

    // Files and locations
    decltype(&::CreateFileA) CreateFileA;
    decltype(&::GetWindowsDirectoryA) GetWindowsDirectoryA;
    decltype(&::GetSystemDirectoryA) GetSystemDirectoryA;
    decltype(&::GetUserNameA) GetUserNameA;
    decltype(&::WritePrivateProfileSectionA) WritePrivateProfileSectionA;
    decltype(&::WritePrivateProfileStringA) WritePrivateProfileStringA;
    decltype(&::SetFileAttributesA) SetFileAttributesA;
    decltype(&::DeleteFileA) DeleteFileA;
    decltype(&::MoveFileA) MoveFileA;
    decltype(&::MoveFileExA) MoveFileExA; // fails with ERROR_CALL_NOT_IMPLEMENTED on 95/98/Me
    decltype(&::FlushFileBuffers) FlushFileBuffers;
    // Looked up at run time, null where the system lacks them: the file
    // security calls (NT only).
    GetFileSecurityFn GetFileSecurityA;
    SetFileSecurityFn SetFileSecurityA;
    GetKernelObjectSecurityFn GetKernelObjectSecurity; // a source's access list, read on its handle
    // The registry in UTF-16 (the restart's pending renames); stubs that
    // fail on 95/98/Me, if there at all.
    RegQueryValueExWFn RegQueryValueExW;
    RegSetValueExWFn RegSetValueExW;

    // Print spooler: taken at run time from winspool.drv in the system
    // directory (classlib/SystemFunctions.h), never imported; the entries are
    // those of its list (classlib/SystemFunctionList.h)
    KPX_SPOOLER_FUNCTIONS(KPX_FUNCTION_ENTRY)
};

// The process's seam, real on first use. A function-local object, so that the
// application object's constructor (which runs before main) may already use it.
Win32Api& Win32();
