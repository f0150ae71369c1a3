// Makes the program see a chosen Windows version for the lifetime of the
// object: GetVersionExA, through the platform seam, reports a version of
// that platform class (for example 5.1 workstation for OsXP).
//   ScopedOsClass xp(OsXP);
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
    ScopedApiOverride<decltype(Win32Api::GetVersionExA)> m_override;
    OsClass m_saved;
};

// Every platform class, OsUnknown to Os2012R2, for table-driven tests.
extern const OsClass kAllOsClasses[12];
const char* OsClassName(OsClass os);
