#include "support/ScopedOsClass.h"

namespace {

struct ReportedVersion {
    DWORD platformId;
    DWORD major;
    DWORD minor;
    BYTE productType;
};

// One version the system reports for each class. OsUnknown is 6.2, which
// Windows 8 and later report to a program without a supported-OS list.
ReportedVersion VersionOf(OsClass os)
{
    const BYTE ws = VER_NT_WORKSTATION;
    const BYTE server = VER_NT_SERVER;
    switch (os) {
    case OsWin9x: return {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0};
    case OsNT4: return {VER_PLATFORM_WIN32_NT, 4, 0, ws};
    case Os2000: return {VER_PLATFORM_WIN32_NT, 5, 0, ws};
    case OsXP: return {VER_PLATFORM_WIN32_NT, 5, 1, ws};
    case Os2003: return {VER_PLATFORM_WIN32_NT, 5, 2, server};
    case OsVista: return {VER_PLATFORM_WIN32_NT, 6, 0, ws};
    case Os2008: return {VER_PLATFORM_WIN32_NT, 6, 0, server};
    case Os7: return {VER_PLATFORM_WIN32_NT, 6, 1, ws};
    case Os2008R2: return {VER_PLATFORM_WIN32_NT, 6, 1, server};
    case Os81: return {VER_PLATFORM_WIN32_NT, 6, 3, ws};
    case Os2012R2: return {VER_PLATFORM_WIN32_NT, 6, 3, server};
    default: return {VER_PLATFORM_WIN32_NT, 6, 2, ws};
    }
}

OsClass g_reported = OsUnknown;

BOOL WINAPI FakeGetVersionExA(LPOSVERSIONINFOA info)
{
    ReportedVersion v = VersionOf(g_reported);
    info->dwPlatformId = v.platformId;
    info->dwMajorVersion = v.major;
    info->dwMinorVersion = v.minor;
    info->dwBuildNumber = 0;
    if (info->dwOSVersionInfoSize >= sizeof(OSVERSIONINFOEXA))
        reinterpret_cast<OSVERSIONINFOEXA*>(info)->wProductType = v.productType;
    return TRUE;
}

} // namespace

const OsClass kAllOsClasses[12] = {OsUnknown, OsWin9x, OsNT4,   Os2000,   OsXP, Os2003,
                                   OsVista,   Os2008,  Os7,     Os2008R2, Os81, Os2012R2};

const char* OsClassName(OsClass os)
{
    static const char* const names[] = {"OsUnknown", "OsWin9x", "OsNT4",   "Os2000",   "OsXP", "Os2003",
                                        "OsVista",   "Os2008",  "Os7",     "Os2008R2", "Os81", "Os2012R2"};
    return os >= 0 && os < 12 ? names[os] : "?";
}

ScopedOsClass::ScopedOsClass(OsClass os)
    : m_override(Win32().GetVersionExA, &FakeGetVersionExA), m_saved(g_reported)
{
    g_reported = os;
}

ScopedOsClass::~ScopedOsClass()
{
    g_reported = m_saved;
}
