#include "platform/PlatformFlags.h"

#include "classlib/Handle.h"
#include "classlib/SystemLibrary.h"

namespace {

BOOL g_runningOnWow64 = FALSE;
BOOL g_terminalServicesActive = FALSE;

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
using IsWow64Process2Fn = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);

// Paused and every pending state count as active: the service has been
// started and its users' sessions may exist.
bool IsActiveServiceState(DWORD state)
{
    switch (state) {
    case SERVICE_START_PENDING:
    case SERVICE_STOP_PENDING:
    case SERVICE_RUNNING:
    case SERVICE_CONTINUE_PENDING:
    case SERVICE_PAUSE_PENDING:
    case SERVICE_PAUSED:
        return true;
    default:
        return false;
    }
}

} // namespace

int QueryWow64()
{
    CLibraryHandle kernel(LoadSystemLibrary("kernel32.dll"));
    if (!kernel.Get())
        return -1;
    // Looked up at run time: systems before XP SP2 lack the function.
    auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(Win32().GetProcAddress(kernel.Get(), "IsWow64Process"));
    if (!isWow64Process)
        return -1;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64))
        return -1;
    return wow64 ? 1 : 0;
}

USHORT QueryNativeMachine()
{
    CLibraryHandle kernel(LoadSystemLibrary("kernel32.dll"));
    if (!kernel.Get())
        return IMAGE_FILE_MACHINE_UNKNOWN;
    // Looked up at run time: only Windows 10 1709 and later have it.
    auto isWow64Process2 = reinterpret_cast<IsWow64Process2Fn>(Win32().GetProcAddress(kernel.Get(), "IsWow64Process2"));
    if (!isWow64Process2)
        return IMAGE_FILE_MACHINE_UNKNOWN;
    USHORT process = IMAGE_FILE_MACHINE_UNKNOWN;
    USHORT native = IMAGE_FILE_MACHINE_UNKNOWN;
    if (!isWow64Process2(GetCurrentProcess(), &process, &native))
        return IMAGE_FILE_MACHINE_UNKNOWN;
    return native;
}

int QueryTerminalServices()
{
    CServiceHandle manager(Win32().OpenSCManagerA(nullptr, nullptr, GENERIC_READ));
    if (!manager.Get())
        return -1;
    CServiceHandle service(Win32().OpenServiceA(manager.Get(), "TermService", SERVICE_QUERY_STATUS));
    if (!service.Get())
        return -1;
    SERVICE_STATUS status = {};
    if (!Win32().QueryServiceStatus(service.Get(), &status))
        return -1;
    return IsActiveServiceState(status.dwCurrentState) ? 1 : 0;
}

void InitPlatformFlags()
{
    // -1 (could not be told) leaves a flag false, the same as 0.
    const int wow64 = QueryWow64();
    const int terminalServices = QueryTerminalServices();
    SetPlatformFlags(wow64 == 1, terminalServices == 1);
}

void SetPlatformFlags(bool runningOnWow64, bool terminalServicesActive)
{
    g_runningOnWow64 = runningOnWow64 ? TRUE : FALSE;
    g_terminalServicesActive = terminalServicesActive ? TRUE : FALSE;
}

BOOL RunningOnWow64()
{
    return g_runningOnWow64;
}

BOOL TerminalServicesActive()
{
    return g_terminalServicesActive;
}
