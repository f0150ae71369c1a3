#include "app/DllSearchPath.h"

#include "classlib/Handle.h"
#include "classlib/SystemLibrary.h"

namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFn)(DWORD directoryFlags);
typedef BOOL(WINAPI* SetDllDirectoryAFn)(LPCSTR path);

template <class Fn>
Fn Lookup(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(Win32().GetProcAddress(module, name)));
}

} // namespace

void RestrictDllSearchPath()
{
    CLibraryHandle kernel(LoadSystemLibrary("kernel32.dll"));
    if (!kernel.IsValid())
        return;
    if (auto setDefault = Lookup<SetDefaultDllDirectoriesFn>(kernel.Get(), "SetDefaultDllDirectories"))
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (auto setDirectory = Lookup<SetDllDirectoryAFn>(kernel.Get(), "SetDllDirectoryA"))
        setDirectory("");
}
