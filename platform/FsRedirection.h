// Runs one file call with WOW64 file-system redirection switched off for the
// calling thread, and switches it back on before returning, whatever the call
// returned. The library and both entry points are looked up on every call,
// so nothing depends on state left by an earlier one; on systems without
// WOW64 (no entry points) the call simply runs with redirection unchanged.
#pragma once

#include "classlib/Handle.h"
#include "classlib/SystemLibrary.h"
#include "classlib/Win32Api.h"

#include <windows.h>

typedef BOOL(WINAPI* Wow64DisableFsRedirectionFn)(PVOID* oldValue);
typedef BOOL(WINAPI* Wow64RevertFsRedirectionFn)(PVOID oldValue);

// call() when governed is false; otherwise call() between the disable and the
// revert, with the call's result passed back unchanged.
template <class Call>
auto CallWithoutFsRedirection(bool governed, Call call) -> decltype(call())
{
    if (!governed)
        return call();

    CLibraryHandle kernel(LoadSystemLibrary("kernel32.dll"));
    if (!kernel.IsValid())
        return call();

    // Both lookups come first: a system with only one of the two entry
    // points must not have redirection switched off with no way back.
    FARPROC disable = Win32().GetProcAddress(kernel.Get(), "Wow64DisableWow64FsRedirection");
    FARPROC revert = Win32().GetProcAddress(kernel.Get(), "Wow64RevertWow64FsRedirection");
    if (!disable || !revert)
        return call();

    PVOID saved = nullptr;
    reinterpret_cast<Wow64DisableFsRedirectionFn>(reinterpret_cast<void*>(disable))(&saved);
    auto result = call();
    reinterpret_cast<Wow64RevertFsRedirectionFn>(reinterpret_cast<void*>(revert))(saved);
    return result;
}
