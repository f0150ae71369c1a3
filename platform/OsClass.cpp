#include "platform/OsClass.h"

#include "classlib/Win32Api.h"

// The system tells the extended record from the plain one by its size alone.
static_assert(sizeof(OSVERSIONINFOEXA) == 156, "extended version record must be 156 bytes");
static_assert(sizeof(OSVERSIONINFOA) == 148, "plain version record must be 148 bytes");

namespace {

struct NtVersion {
    DWORD major;
    DWORD minor;
    OsClass workstation;
    OsClass server;
};

// 6.2 is missing on purpose: the manifest lists no supported systems, so
// Windows 8 and every later version report 6.2 to this program and cannot be
// told apart. 6.3 is seen only where a system reports it all the same.
const NtVersion kNtVersions[] = {
    {4, 0, OsNT4, OsNT4},    {5, 0, Os2000, Os2000}, {5, 1, OsXP, OsXP},
    {5, 2, Os2003, Os2003}, // XP x64 is a workstation that reports 5.2
    {6, 0, OsVista, Os2008}, {6, 1, Os7, Os2008R2},  {6, 3, Os81, Os2012R2},
};

} // namespace

OsClass ClassifyVersion(DWORD platformId, DWORD major, DWORD minor, BYTE productType)
{
    if (platformId == VER_PLATFORM_WIN32_WINDOWS)
        return major == 4 ? OsWin9x : OsUnknown;
    if (platformId != VER_PLATFORM_WIN32_NT)
        return OsUnknown;

    for (const NtVersion& v : kNtVersions) {
        if (v.major == major && v.minor == minor)
            return productType == VER_NT_WORKSTATION ? v.workstation : v.server;
    }
    return OsUnknown;
}

OsClass GetOsClass()
{
    OSVERSIONINFOEXA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!Win32().GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
        // Windows 95/98/Me and NT 4.0 before SP6 know only the plain record
        // and refuse the extended one; the product type they cannot give is
        // never examined for their versions. A query that fails both ways
        // leaves the record zero, and platform id 0 classes as unknown.
        info = {};
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        Win32().GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
    }
    return ClassifyVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.wProductType);
}
