#include "support/ScopedPlatformFlags.h"

#include "platform/PlatformFlags.h"

ScopedPlatformFlags::ScopedPlatformFlags(bool runningOnWow64, bool terminalServicesActive)
    : m_savedWow64(RunningOnWow64()), m_savedTerminalServices(TerminalServicesActive())
{
    SetPlatformFlags(runningOnWow64, terminalServicesActive);
}

ScopedPlatformFlags::~ScopedPlatformFlags()
{
    SetPlatformFlags(m_savedWow64 != FALSE, m_savedTerminalServices != FALSE);
}
