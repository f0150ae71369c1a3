// Makes the system report a version of the chosen platform class to the
// program for the lifetime of the object (through the GetVersionExA entry of
// the platform seam), and puts the real query back afterwards.
//   ScopedOsClass os(OsWin9x);   // GetOsClass() now gives OsWin9x
#pragma once

#include "app/OsClass.h"
#include "support/ApiOverride.h"

class ScopedOsClass {
public:
    explicit ScopedOsClass(OsClass os);
    ~ScopedOsClass();
    ScopedOsClass(const ScopedOsClass&) = delete;
    ScopedOsClass& operator=(const ScopedOsClass&) = delete;

private:
    ScopedApiOverride<decltype(&::GetVersionExA)> m_override;
};
