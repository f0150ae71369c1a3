// Stands in for the machine's platform flags for the lifetime of the object
// and puts the previous values back afterwards, also when the test fails
// half-way.
//   ScopedPlatformFlags flags(/*runningOnWow64=*/true, /*terminalServicesActive=*/false);
#pragma once

#include "support/Uncopyable.h"

#include <windows.h>

class ScopedPlatformFlags : Uncopyable {
public:
    ScopedPlatformFlags(bool runningOnWow64, bool terminalServicesActive);
    ~ScopedPlatformFlags();

private:
    BOOL m_savedWow64;
    BOOL m_savedTerminalServices;
};
