#include "app/PlatformFlags.h"

#include "classlib/Win32Api.h"

namespace {

BOOL g_runningOnWow64 = FALSE;
BOOL g_terminalServicesActive = FALSE;

// A library loaded for one lookup, freed when the lookup is done.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const char* name) : m_h(Win32().LoadLibraryA(name)) {}
    ~LoadedLibrary()
    {
        if (m_h)
            Win32().FreeLibrary(m_h);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    HMODULE get() const { return m_h; }

private:
    HMODULE m_h;
};

// A service manager or service handle, closed on every way out.
class ServiceHandle {
public:
    explicit ServiceHandle(SC_HANDLE h) : m_h(h) {}
    ~ServiceHandle()
    {
        if (m_h)
            Win32().CloseServiceHandle(m_h);
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;

    SC_HANDLE get() const { return m_h; }

private:
    SC_HANDLE m_h;
};

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

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
    LoadedLibrary kernel("kernel32");
    if (!kernel.get())
        return -1;
    // Looked up at run time: systems before XP SP2 lack the function.
    auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
        Win32().GetProcAddress(kernel.get(), "IsWow64Process"));
    if (!isWow64Process)
        return -1;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64))
        return -1;
    return wow64 ? 1 : 0;
}

int QueryTerminalServices()
{
    ServiceHandle manager(Win32().OpenSCManagerA(nullptr, nullptr, GENERIC_READ));
    if (!manager.get())
        return -1;
    ServiceHandle service(Win32().OpenServiceA(manager.get(), "TermService", SERVICE_QUERY_STATUS));
    if (!service.get())
        return -1;
    SERVICE_STATUS status = {};
    if (!Win32().QueryServiceStatus(service.get(), &status))
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

BOOL RunningOnWow64() { return g_runningOnWow64; }

BOOL TerminalServicesActive() { return g_terminalServicesActive; }
