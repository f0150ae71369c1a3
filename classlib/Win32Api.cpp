#include "classlib/Win32Api.h"

#include "classlib/SystemFunctions.h"

namespace {

// The real entry of a function taken at run time: forwards to the process's
// binding of its DLL, which is made on the first call.
template <auto Process, auto Entry>
struct Forward;

template <class Functions, const Functions& (*Process)(), class R, class... Args,
          R (WINAPI* Functions::*Entry)(Args...)>
struct Forward<Process, Entry> {
    static R WINAPI Call(Args... args) { return (Process().*Entry)(args...); }
};

// An entry point of a library the program has loaded, or null where the
// system lacks it (the import table names nothing newer than 98 / NT 4.0).
template <class Fn>
Fn LookUp(const char* module, const char* name)
{
    HMODULE library = ::GetModuleHandleA(module);
    if (!library)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

// The seam's entry for each function of a list forwards to the binding.
#define KPX_FORWARD_SPOOLER(name) a.name = &Forward<&ProcessSpooler, &SpoolerFunctions::name>::Call;
#define KPX_FORWARD_DIALOG(name)  a.name = &Forward<&ProcessCommonDialogs, &CommonDialogFunctions::name>::Call;

Win32Api RealApi()
{
    Win32Api a;
    a.GetVersionExA = &::GetVersionExA;
    a.LoadLibraryExA = &::LoadLibraryExA;
    a.GetProcAddress = &::GetProcAddress;
    a.FreeLibrary = &::FreeLibrary;
    a.OpenSCManagerA = &::OpenSCManagerA;
    a.OpenServiceA = &::OpenServiceA;
    a.QueryServiceStatus = &::QueryServiceStatus;
    a.CloseServiceHandle = &::CloseServiceHandle;
    a.CreateMutexA = &::CreateMutexA;
    a.OpenMutexA = &::OpenMutexA;
    a.ReleaseMutex = &::ReleaseMutex;
    a.CloseHandle = &::CloseHandle;
    a.FindWindowA = &::FindWindowA;
    a.IsIconic = &::IsIconic;
    a.ShowWindow = &::ShowWindow;
    a.BringWindowToTop = &::BringWindowToTop;
    a.SetForegroundWindow = &::SetForegroundWindow;
    a.SendMessageTimeoutA = &::SendMessageTimeoutA;
    a.GetModuleFileNameA = &::GetModuleFileNameA;
    a.OpenThreadToken = &::OpenThreadToken;
    a.OpenProcessToken = &::OpenProcessToken;
    a.MessageBoxA = &::MessageBoxA;
    KPX_COMMON_DIALOG_FUNCTIONS(KPX_FORWARD_DIALOG)
    a.InitCommonControls = &::InitCommonControls;
    a.WinHelpA = &::WinHelpA;
    a.MessageBeep = &::MessageBeep;
    a.GetComputerNameA = &::GetComputerNameA;
    a.GetLocalTime = &::GetLocalTime;
    a.GlobalAlloc = &::GlobalAlloc;
    a.CreateFileA = &::CreateFileA;
    a.GetWindowsDirectoryA = &::GetWindowsDirectoryA;
    a.GetSystemDirectoryA = &::GetSystemDirectoryA;
    a.GetUserNameA = &::GetUserNameA;
    a.WritePrivateProfileSectionA = &::WritePrivateProfileSectionA;
    a.WritePrivateProfileStringA = &::WritePrivateProfileStringA;
    a.SetFileAttributesA = &::SetFileAttributesA;
    a.DeleteFileA = &::DeleteFileA;
    a.MoveFileA = &::MoveFileA;
    a.MoveFileExA = &::MoveFileExA;
    a.FlushFileBuffers = &::FlushFileBuffers;
    a.GetFileSecurityA = LookUp<GetFileSecurityFn>("advapi32.dll", "GetFileSecurityA");
    a.SetFileSecurityA = LookUp<SetFileSecurityFn>("advapi32.dll", "SetFileSecurityA");
    a.GetKernelObjectSecurity = LookUp<GetKernelObjectSecurityFn>("advapi32.dll", "GetKernelObjectSecurity");
    a.RegQueryValueExW = LookUp<RegQueryValueExWFn>("advapi32.dll", "RegQueryValueExW");
    a.RegSetValueExW = LookUp<RegSetValueExWFn>("advapi32.dll", "RegSetValueExW");
    KPX_SPOOLER_FUNCTIONS(KPX_FORWARD_SPOOLER)
    return a;
}

#undef KPX_FORWARD_SPOOLER
#undef KPX_FORWARD_DIALOG

} // namespace

Win32Api& Win32()
{
    static Win32Api api = RealApi();
    return api;
}
